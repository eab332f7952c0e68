#pragma once

#include "SmallRoutines.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

namespace quavix {

// The program's words and Qt's own (the buttons of message boxes, the file dialog) in the user's language,
// installed into the application for as long as this object lives.
class InstalledTranslations final {
public:
    InstalledTranslations(std::unique_ptr<QTranslator> program, std::unique_ptr<QTranslator> qt);
    ~InstalledTranslations();
    InstalledTranslations(const InstalledTranslations&) = delete;
    InstalledTranslations& operator=(const InstalledTranslations&) = delete;

    // The language of the program's translation, such as "de"; empty when the program speaks English.
    QString Language() const { return language_; }
    bool QtTranslated() const { return qt_ != nullptr; }

private:
    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
    QString language_;
};

// Where the program's compiled translations lie: a folder beside the executable, in the build tree and
// once installed alike.
QString ProgramTranslationsFolder();

// Finds the translation for the first of the locale's languages that the program speaks and installs it
// with Qt's own for the same language. English, the language the program is written in, loads nothing,
// and so does a language the program has no translation for or whose file cannot be read: the program
// then speaks English, without a word about it. Call before any window is built.
std::unique_ptr<InstalledTranslations>
InstallTranslations(const QLocale& locale = QLocale(), const QString& folder = ProgramTranslationsFolder(),
                    const QString& qtFolder = {});

// The help collections to try for the locale, in order, chosen as the translations are: one for each of the
// user's languages before English (folder/help/<language>/Quavix 2.qhc, the territory's own first, as in
// "de_AT" before "de"), and the English one beside the executable last, for when none of them can be read.
QStringList HelpCollectionsFor(const QLocale& locale = QLocale(), const QString& folder = ExeFolder());

} // namespace quavix
