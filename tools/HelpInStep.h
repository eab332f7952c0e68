#pragma once

// Keeps the translated help in step with the English: the same topics, the same context numbers leading to
// the same topics, the contents in the same order, and every translated page made from the English text
// as it is now. A translated page records which English text it was made from as that text's checksum:
//
//     <meta name="translated-from" content="CHECKSUM">          in a topic's <head>
//     <!-- translated-from: CHECKSUM -->                         in a language's quavix.qhp
//
// The checksum is the Git blob id of the English file, so `git diff RECORDED CURRENT` shows what changed in
// the English since the translation was made.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quavix::HelpInStep {

// The checksum of an English source file's content. Line ends count as Git stores them, so a checkout with
// Windows line ends gives the same checksum.
QString SourceChecksum(const QByteArray& content);

// The checksum a translated page or project records, empty when it records none.
QString RecordedChecksum(const QByteArray& content);

// Every way the help of `languages` (folders helpFolder/<language>) is out of step with the English help
// in helpFolder, one line each; empty when all are in step.
QStringList Problems(const QString& helpFolder, const QStringList& languages);

// For a translator: each English source file with its current checksum, and whether each language's
// translation of it is in step, stale or missing.
QStringList Report(const QString& helpFolder, const QStringList& languages);

} // namespace quavix::HelpInStep
