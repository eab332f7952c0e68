#include "Translations.h"

#include "SmallRoutines.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quavix {

namespace {

const QString ProgramFileName = QStringLiteral("quavix");

bool IsEnglish(const QLocale& language) {
    // "C" is the locale of a system that names none: the program's own words suit it.
    return language.language() == QLocale::English || language.language() == QLocale::C;
}

} // namespace

InstalledTranslations::InstalledTranslations(std::unique_ptr<QTranslator> program,
                                             std::unique_ptr<QTranslator> qt)
    : program_(std::move(program)), qt_(std::move(qt)) {
    if (program_) {
        language_ = program_->language();
        QCoreApplication::installTranslator(program_.get());
    }
    if (qt_)
        QCoreApplication::installTranslator(qt_.get());
}

InstalledTranslations::~InstalledTranslations() {
    if (qt_)
        QCoreApplication::removeTranslator(qt_.get());
    if (program_)
        QCoreApplication::removeTranslator(program_.get());
}

QString ProgramTranslationsFolder() {
    return ExeFolder() + QStringLiteral("translations");
}

std::unique_ptr<InstalledTranslations> InstallTranslations(const QLocale& locale, const QString& folder,
                                                           const QString& qtFolder) {
    // The user's languages in the order they prefer them. The first the program speaks wins, and English
    // counts among them: someone who puts English before German gets English, though German is there.
    std::unique_ptr<QTranslator> program;
    QLocale chosen;
    for (const QString& name : locale.uiLanguages()) {
        const QLocale language(name);
        if (IsEnglish(language))
            break;
        if (!program)
            program = std::make_unique<QTranslator>();
        // Tries "quavix_de_AT" and then "quavix_de" for Austrian German, and so on.
        if (program->load(language, ProgramFileName, QStringLiteral("_"), folder)) {
            chosen = language;
            break;
        }
    }
    if (!program || program->isEmpty())
        return std::make_unique<InstalledTranslations>(nullptr, nullptr);

    // Qt's own words for the buttons and dialogs it draws, where the system has them installed.
    auto qt = std::make_unique<QTranslator>();
    const QString qtPath = qtFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : qtFolder;
    if (!qt->load(chosen, QStringLiteral("qtbase"), QStringLiteral("_"), qtPath))
        qt.reset();
    return std::make_unique<InstalledTranslations>(std::move(program), std::move(qt));
}

QStringList HelpCollectionsFor(const QLocale& locale, const QString& folder) {
    const QString collection = QStringLiteral("Quavix 2.qhc");
    QStringList files;
    for (const QString& name : locale.uiLanguages()) {
        const QLocale language(name);
        if (IsEnglish(language))
            break;
        for (const QString& code : {language.name(), QLocale::languageToCode(language.language())}) {
            const QString file = folder + QStringLiteral("help/%1/").arg(code) + collection;
            if (!files.contains(file))
                files.append(file);
        }
    }
    files.append(folder + collection);
    return files;
}

} // namespace quavix
