// The help in each of the program's languages, through the real window: F1 and the Help menu open that
// language's help at every context number, its topics name the keys and commands as the translated program
// shows them, and a missing or damaged collection leaves the English help, without a word.

#include "HTMLHelp.h"
#include "HelpTopics.h"
#include "HintsAndKeys.h"
#include "MainQX25.h"
#include "NoteNameText.h"
#include "NoteNames.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>

using namespace quavix;

namespace {

const QString Compiled = QStringLiteral(QUAVIX_TRANSLATIONS);
const QString HelpSources = QStringLiteral(QUAVIX_HELP_SOURCES);
const QList<int> ProgramContexts = {7,   11,  13,  14,  15,  18,  19,  20,  21, 101,
                                    102, 103, 104, 105, 106, 107, 108, 109, 110};

// The tests live in <build>/tests, the program and its help in <build>/src/app.
QString BuiltFolder() {
    return QDir(QCoreApplication::applicationDirPath()).filePath("../src/app/");
}

QString SourceFolder(const QString& language) {
    return language == QStringLiteral("en") ? HelpSources : HelpSources + '/' + language;
}

// The first heading of a topic as written in its source.
QString SourceHeading(const QString& language, const QString& topic) {
    QFile file(SourceFolder(language) + "/topics/" + topic);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression heading(QStringLiteral("<h1>(.*?)</h1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return QTextDocumentFragment::fromHtml(heading.match(QString::fromUtf8(file.readAll())).captured(1))
        .toPlainText()
        .simplified();
}

// The first heading of the topic the help window shows.
QString ShownHeading(const QWidget* window) {
    const auto* browser = window->findChild<QTextBrowser*>();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty())
            return block.text().simplified();
    return {};
}

// Where the pointer must be for F1 to ask for the context: the middle of a control that carries it, if the
// control there is that one.
bool HoverOverContext(TFormQX25& window, int context) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || control->property("helpContext").toInt() != context)
            continue;
        MouseAt(Mouse::Move, control, control->rect().center());
        if (window.findChild<THintsAndKeys*>()->HelpContextUnderMouse() == context)
            return true;
    }
    return false;
}

// Every topic's text, one after another, as a reader sees it.
QString AllTopicsText(const QString& collection) {
    QHelpEngineCore engine(collection);
    engine.setReadOnly(true);
    if (!engine.setupData())
        return {};
    QString text;
    for (const QUrl& file : engine.files(engine.registeredDocumentations().value(0), QString(), "html")) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(engine.fileData(file)));
        text += document.toPlainText() + '\n';
    }
    return text;
}

QString CollectionOf(const QString& language) {
    return language == QStringLiteral("en") ? BuiltFolder() + "Quavix 2.qhc"
                                            : BuiltFolder() + "help/" + language + "/Quavix 2.qhc";
}

// The window in a language with the help of the given folder (the built one unless told), closing the help
// when it goes.
struct WindowInLanguage {
    explicit WindowInLanguage(const QString& language, const QString& folder = BuiltFolder())
        : translations(InstallTranslations(QLocale(language), Compiled)) {
        // After the window's own start-up, which looks beside the test for the help.
        AppHelp().SetHelpFiles(HelpCollectionsFor(QLocale(language), folder));
    }
    ~WindowInLanguage() { AppHelp().SetHelpFiles({}); }

    std::unique_ptr<InstalledTranslations> translations;
    ShownWindow window;
};

void AddLanguageRows() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title"); // the help window's
    for (const auto& [language, title] : {std::pair{"en", "Quavix 2 Help"},
                                          {"de", "Quavix 2 – Hilfe"},
                                          {"fr", "Aide de Quavix 2"},
                                          {"es", "Ayuda de Quavix 2"},
                                          {"it", "Guida di Quavix 2"}})
        QTest::newRow(language) << QString::fromLatin1(language) << QString::fromUtf8(title);
}

} // namespace

class TestHelpLanguages : public QObject {
    Q_OBJECT

private slots:
    void everyContextOpensInTheLanguage_data() { AddLanguageRows(); }
    void everyContextOpensInTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, title);
        WindowInLanguage inLanguage(language);
        ShownWindow& window = inLanguage.window;
        ModalWatcher watcher;
        QList<int> byF1;
        QSet<QUrl> topics;
        for (const int context : ProgramContexts) {
            // As the user asks: F1 over the control where one carries the context, else what F1 calls.
            if (HoverOverContext(*window, context)) {
                QTest::keyClick(window.window.get(), Qt::Key_F1);
                byF1.append(context);
            } else {
                QVERIFY(ShowHelpTopic(context));
            }
            QWidget* help = AppHelp().Window();
            QVERIFY2(help && help->isVisible(), qPrintable(QString::number(context)));
            QCOMPARE(help->windowTitle(), title);
            QCOMPARE(AppHelp().OpenedFile(), CollectionOf(language));
            const QString topic = AppHelp().CurrentTopic().fileName();
            QCOMPARE(AppHelp().CurrentTopic(), AppHelp().TopicUrl(context));
            topics.insert(AppHelp().CurrentTopic());
            const QString heading = SourceHeading(language, topic);
            QVERIFY2(!heading.isEmpty(), qPrintable(topic));
            QCOMPARE(ShownHeading(help), heading);
            if (language != QStringLiteral("en"))
                QVERIFY2(heading != SourceHeading("en", topic), qPrintable(heading));
            window.Activate();
        }
        QVERIFY(watcher.boxes.isEmpty());
        QCOMPARE(topics.size(), ProgramContexts.size()); // each context has a topic of its own
        // Most of them came by the key itself.
        QVERIFY2(byF1.size() >= 8, qPrintable(QString::number(byF1.size())));
    }

    // Help, Contents opens the contents at the welcome topic; Help, Keyboard Shortcuts the list of keys.
    void theHelpMenuOpensTheLanguage_data() { AddLanguageRows(); }
    void theHelpMenuOpensTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QString, title);
        WindowInLanguage inLanguage(language);
        ShownWindow& window = inLanguage.window;
        for (const auto& [item, context] : {std::pair{"miHelpContents", 110}, {"miHelpKeyboard", 109}}) {
            window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
            QWidget* help = AppHelp().Window();
            QVERIFY(help && help->isVisible());
            QCOMPARE(help->windowTitle(), title);
            QCOMPARE(AppHelp().CurrentTopic(), AppHelp().TopicUrl(context));
            QCOMPARE(ShownHeading(help), SourceHeading(language, AppHelp().CurrentTopic().fileName()));
        }
        // The contents in the language too.
        auto* tree = AppHelp().Window()->findChild<QHelpContentWidget*>();
        QTRY_VERIFY(tree->model()->rowCount() > 0);
        QCOMPARE(tree->model()->index(0, 0).data().toString(), SourceHeading(language, "welcome.html"));
    }

    void aMissingOrDamagedCollectionLeavesEnglish_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("no German help") << "none";
        QTest::newRow("collection damaged") << "collection";
        QTest::newRow("help file missing") << "no help file";
        QTest::newRow("help file damaged") << "help file";
    }
    void aMissingOrDamagedCollectionLeavesEnglish() {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        for (const char* file : {"Quavix 2.qhc", "Quavix 2.qch"})
            QVERIFY(QFile::copy(BuiltFolder() + file, folder + file));
        const QString german = folder + "help/de/";
        QVERIFY(QDir().mkpath(german));
        const auto garbage = [](const QString& file) {
            QFile f(file);
            return f.open(QIODevice::WriteOnly) && f.write("not a help file\n") > 0;
        };
        if (damage == "collection")
            QVERIFY(garbage(german + "Quavix 2.qhc"));
        if (damage == "no help file" || damage == "help file")
            QVERIFY(QFile::copy(BuiltFolder() + "help/de/Quavix 2.qhc", german + "Quavix 2.qhc"));
        if (damage == "help file")
            QVERIFY(garbage(german + "Quavix 2.qch"));

        // The window in German sets up the help; the topic is then shown as the window shows it.
        WindowInLanguage inLanguage("de", folder);
        ModalWatcher watcher;
        QVERIFY(ShowHelpTopic(101));
        QCOMPARE(AppHelp().OpenedFile(), folder + "Quavix 2.qhc");
        QCOMPARE(ShownHeading(AppHelp().Window()), QString("The staff"));
        QTest::qWait(30);
        QVERIFY(watcher.boxes.isEmpty());
    }

    // The keyboard topic names every key as the program shows it in the language, and the keys of every
    // naming of the notes next to the names the language gives them; it leads on to the MIDI topic.
    void keyboardTopicNamesEveryKey_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("keys");
        const QStringList common{"F1", "F2",  "F3",  "F4",  "F5", "F6", "F7",    "F8",
                                 "F9", "F10", "F11", "F12", "+",  "-",  "Alt+F4"};
        QTest::newRow("en") << "en" << common + QStringList{"Space",  "Enter",  "Shift+F1", "Ctrl+G",
                                                            "Ctrl+F", "Ctrl+A", "Ctrl+N",   "Ctrl+S"};
        QTest::newRow("de") << "de"
                            << common + QStringList{"Leertaste", "Eingabetaste", "Umschalt+F1", "Strg+G",
                                                    "Strg+F",    "Strg+A",       "Strg+N",      "Strg+S"};
        QTest::newRow("fr") << "fr"
                            << common + QStringList{QString::fromUtf8("Barre d’espace"),
                                                    QString::fromUtf8("Entrée"),
                                                    "Maj+F1",
                                                    "Ctrl+G",
                                                    "Ctrl+F",
                                                    "Ctrl+A",
                                                    "Ctrl+N",
                                                    "Ctrl+S"};
        QTest::newRow("es") << "es"
                            << common +
                                   QStringList{
                                       "Barra espaciadora", "Intro",     QString::fromUtf8("Mayúsculas+F1"),
                                       "Control+G",         "Control+F", "Control+A",
                                       "Control+N",         "Control+S"};
        QTest::newRow("it") << "it" << common + QStringList{"Barra spaziatrice",
                                                            "Invio",
                                                            "Shift+F1",
                                                            "Ctrl+G",
                                                            "Ctrl+F",
                                                            "Ctrl+A",
                                                            "Ctrl+N",
                                                            "Ctrl+S"};
    }
    void keyboardTopicNamesEveryKey() {
        QFETCH(QString, language);
        QFETCH(QStringList, keys);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        QHelpEngineCore engine(CollectionOf(language));
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QList<QHelpLink> links = engine.documentsForIdentifier("109");
        QCOMPARE(links.size(), 1);
        const QString html = QString::fromUtf8(engine.fileData(links.first().url));
        // The MIDI topic has no control of its own to press F1 on; the keyboard topic leads to it.
        QVERIFY(html.contains("href=\"midi.html\""));
        QTextDocument document;
        document.setHtml(html);
        const QString text = document.toPlainText();
        for (const QString& key : keys)
            QVERIFY2(text.contains(QRegularExpression(
                         QString("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(key)))),
                     qPrintable(key));
        for (NoteNamings naming : {LetterNames, GermanNames, FixedDo})
            for (char letter = 'A'; letter <= 'G'; ++letter) {
                const QString key(QChar(AnswerKey(letter, naming)));
                QVERIFY2(html.contains("<span class=\"key\">" + key + "</span>"), qPrintable(key));
                QVERIFY2(text.contains(NoteNameText(letter, naming)),
                         qPrintable(NoteNameText(letter, naming)));
            }
    }

    // The help calls every menu and command by the name the translated window gives it.
    void topicsNameEveryCommandAsTheMenusDo_data() { AddLanguageRows(); }
    void topicsNameEveryCommandAsTheMenusDo() {
        QFETCH(QString, language);
        const auto translations = InstallTranslations(QLocale(language), Compiled);
        SteppingRandom random;
        TFormQX25::Options options;
        options.colourDepth = 32;
        options.random = &random;
        TFormQX25 window(options);
        const QString text = AllTopicsText(CollectionOf(language));
        QVERIFY(text.size() > 10000);
        QStringList missing;
        std::function<void(const QList<QAction*>&)> visit = [&](const QList<QAction*>& actions) {
            for (const QAction* action : actions) {
                // The fifteen keys are names of keys in the user's naming, not commands; the topic on keys
                // shows how they read.
                if (action->isSeparator() ||
                    QRegularExpression("^actKey-?\\d").match(action->objectName()).hasMatch())
                    continue;
                const QString name = QString(action->text()).remove(QRegularExpression("&(?!&)"));
                if (!text.contains(name))
                    missing.append(name);
                if (action->menu())
                    visit(action->menu()->actions());
            }
        };
        visit(window.menuBar()->actions());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    // A broken link would show the reader an empty page.
    void linksBetweenTopicsLeadSomewhere_data() { AddLanguageRows(); }
    void linksBetweenTopicsLeadSomewhere() {
        QFETCH(QString, language);
        QHelpEngineCore engine(CollectionOf(language));
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QString ns = engine.registeredDocumentations().value(0);
        QCOMPARE(ns.endsWith('.' + language), language != QStringLiteral("en"));
        static const QRegularExpression href("(?:href|src)=\"([^\"#]*)(#[^\"]*)?\"");
        for (const QUrl& file : engine.files(ns, QString(), "html")) {
            const QString html = QString::fromUtf8(engine.fileData(file));
            for (auto match = href.globalMatch(html); match.hasNext();) {
                const auto found = match.next();
                const QUrl target(found.captured(1));
                if (!target.isRelative())
                    continue;
                const QUrl resolved = target.isEmpty() ? file : file.resolved(target);
                const QString page = QString::fromUtf8(engine.fileData(resolved));
                QVERIFY2(!page.isEmpty(), qPrintable(file.toString() + " -> " + found.captured(0)));
                // An anchor must be there too.
                if (!found.captured(2).isEmpty())
                    QVERIFY2(page.contains("id=\"" + found.captured(2).mid(1) + "\""),
                             qPrintable(file.toString() + " -> " + found.captured(0)));
            }
        }
    }
};

QTEST_MAIN(TestHelpLanguages)
#include "tst_helplanguages.moc"
