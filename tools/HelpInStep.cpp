#include "HelpInStep.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace quavix::HelpInStep {

namespace {

const QString ProjectName = QStringLiteral("quavix.qhp");
const QString TopicsFolder = QStringLiteral("topics");

// What the help project says: its contents (each entry with its depth, in order) and which topic each
// context number opens.
struct Project {
    QStringList contents;
    QMap<int, QString> contexts;
    QString error;
};

QByteArray ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Project ReadProject(const QString& file) {
    Project project;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        project.error = QStringLiteral("%1 cannot be read").arg(file);
        return project;
    }
    QXmlStreamReader xml(&f);
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("section")) {
            ++depth;
            project.contents.append(
                QStringLiteral("%1%2").arg(QString(2 * (depth - 1), ' '), xml.attributes().value("ref")));
        } else if (xml.isEndElement() && xml.name() == QLatin1String("section")) {
            --depth;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("keyword") &&
                   xml.attributes().hasAttribute("id")) {
            bool number = false;
            const int id = xml.attributes().value("id").toInt(&number);
            if (!number)
                project.error = QStringLiteral("%1: keyword id \"%2\" is not a number")
                                    .arg(file, xml.attributes().value("id").toString());
            else if (project.contexts.contains(id))
                project.error = QStringLiteral("%1: context number %2 is given twice").arg(file).arg(id);
            else
                project.contexts.insert(id, xml.attributes().value("ref").toString());
        }
    }
    if (xml.hasError())
        project.error =
            QStringLiteral("%1 line %2: %3").arg(file).arg(xml.lineNumber()).arg(xml.errorString());
    return project;
}

QStringList Topics(const QString& folder) {
    QStringList topics;
    for (const QString& name :
         QDir(folder + '/' + TopicsFolder).entryList({"*.html"}, QDir::Files, QDir::Name))
        topics.append(TopicsFolder + '/' + name);
    return topics;
}

// The English files a translation is made from: the project and every topic.
QStringList SourceFiles(const QString& helpFolder) {
    return QStringList{ProjectName} + Topics(helpFolder);
}

enum class Standing { InStep, Stale, Unrecorded, Missing };

Standing StandingOf(const QString& helpFolder, const QString& language, const QString& file,
                    QString* recorded = nullptr) {
    const QString translated = helpFolder + '/' + language + '/' + file;
    if (!QFileInfo(translated).isFile())
        return Standing::Missing;
    const QString checksum = RecordedChecksum(ReadAll(translated));
    if (recorded)
        *recorded = checksum;
    if (checksum.isEmpty())
        return Standing::Unrecorded;
    return checksum == SourceChecksum(ReadAll(helpFolder + '/' + file)) ? Standing::InStep : Standing::Stale;
}

void CompareContexts(const Project& english, const Project& translated, const QString& language,
                     QStringList& problems) {
    for (auto it = english.contexts.begin(); it != english.contexts.end(); ++it) {
        if (!translated.contexts.contains(it.key()))
            problems.append(QStringLiteral("%1: context number %2 (%3) is missing from %1/%4")
                                .arg(language)
                                .arg(it.key())
                                .arg(it.value(), ProjectName));
        else if (translated.contexts[it.key()] != it.value())
            problems.append(QStringLiteral("%1: context number %2 leads to %3, in English to %4")
                                .arg(language)
                                .arg(it.key())
                                .arg(translated.contexts[it.key()], it.value()));
    }
    for (auto it = translated.contexts.begin(); it != translated.contexts.end(); ++it)
        if (!english.contexts.contains(it.key()))
            problems.append(QStringLiteral("%1: context number %2 (%3) is not in the English help")
                                .arg(language)
                                .arg(it.key())
                                .arg(it.value()));
}

void CompareContents(const Project& english, const Project& translated, const QString& language,
                     QStringList& problems) {
    if (english.contents == translated.contents)
        return;
    // The first entry where they part, as the English has it and as the translation has it.
    qsizetype i = 0;
    while (i < english.contents.size() && i < translated.contents.size() &&
           english.contents[i] == translated.contents[i])
        ++i;
    problems.append(
        QStringLiteral("%1: the contents part from the English at entry %2: \"%3\" in English, \"%4\" in %1")
            .arg(language)
            .arg(i + 1)
            .arg(english.contents.value(i, QStringLiteral("(end)")).trimmed(),
                 translated.contents.value(i, QStringLiteral("(end)")).trimmed()));
}

void CompareFiles(const QString& helpFolder, const QString& language, QStringList& problems) {
    const QStringList english = SourceFiles(helpFolder);
    for (const QString& file : english) {
        QString recorded;
        const QString current = SourceChecksum(ReadAll(helpFolder + '/' + file));
        switch (StandingOf(helpFolder, language, file, &recorded)) {
        case Standing::InStep:
            break;
        case Standing::Missing:
            problems.append(QStringLiteral("%1/%2 is missing").arg(language, file));
            break;
        case Standing::Unrecorded:
            problems.append(QStringLiteral("%1/%2 does not record the English text it was made from "
                                           "(translated-from %3)")
                                .arg(language, file, current));
            break;
        case Standing::Stale:
            problems.append(
                QStringLiteral("%1/%2 was made from an older English %2; what changed: git diff %3 %4")
                    .arg(language, file, recorded, current));
            break;
        }
    }
    for (const QString& file : Topics(helpFolder + '/' + language))
        if (!english.contains(file))
            problems.append(QStringLiteral("%1/%2 has no English topic").arg(language, file));
}

} // namespace

QString SourceChecksum(const QByteArray& content) {
    QByteArray text = content;
    text.replace("\r\n", "\n");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData("blob " + QByteArray::number(text.size()) + '\0');
    hash.addData(text);
    return QString::fromLatin1(hash.result().toHex());
}

QString RecordedChecksum(const QByteArray& content) {
    static const QRegularExpression record(
        QStringLiteral(R"(translated-from\W+(?:content=\W*)?([0-9a-f]{40})\b)"));
    return record.match(QString::fromUtf8(content)).captured(1);
}

QStringList Problems(const QString& helpFolder, const QStringList& languages) {
    const Project english = ReadProject(helpFolder + '/' + ProjectName);
    if (!english.error.isEmpty())
        return {english.error};
    QStringList problems;
    for (const QString& language : languages) {
        const QString folder = helpFolder + '/' + language;
        if (!QFileInfo(folder + '/' + ProjectName).isFile()) {
            problems.append(
                QStringLiteral("%1: no help in this language (%1/%2 is missing)").arg(language, ProjectName));
            continue;
        }
        const Project translated = ReadProject(folder + '/' + ProjectName);
        if (!translated.error.isEmpty()) {
            problems.append(translated.error);
            continue;
        }
        CompareContexts(english, translated, language, problems);
        CompareContents(english, translated, language, problems);
        CompareFiles(helpFolder, language, problems);
    }
    return problems;
}

QStringList Report(const QString& helpFolder, const QStringList& languages) {
    QStringList lines;
    for (const QString& file : SourceFiles(helpFolder)) {
        QStringList standings;
        for (const QString& language : languages) {
            static const char* const words[] = {"in step", "stale", "unrecorded", "missing"};
            standings.append(language + ' ' + words[int(StandingOf(helpFolder, language, file))]);
        }
        lines.append(QStringLiteral("%1  %2  %3")
                         .arg(SourceChecksum(ReadAll(helpFolder + '/' + file)), file.leftJustified(24),
                              standings.join(QStringLiteral(", "))));
    }
    return lines;
}

} // namespace quavix::HelpInStep
