// The help wrapper over the built collection: file-name clean-up, every failure path, the contents, and a
// topic for every context number the program asks for.
#include "HTMLHelp.h"
#include "NoteNames.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

using namespace quavix;

namespace {

// The tests live in <build>/tests, the program and its help in <build>/src/app.
QString BuiltCollection() {
    return QDir(QCoreApplication::applicationDirPath()).filePath("../src/app/Quavix 2.qhc");
}

QByteArray Digest(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

const QList<int> ProgramContexts = {7,   11,  13,  14,  15,  18,  19,  20,  101,
                                    102, 103, 104, 105, 106, 107, 108, 109, 110};

} // namespace

class tst_help : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFileInfo::exists(BuiltCollection()), qPrintable(BuiltCollection())); }

    void setHelpFileTrims_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << "/opt/q/Quavix 2.qhc"
                               << "/opt/q/Quavix 2.qhc";
        QTest::newRow("blanks") << "   /opt/q/Quavix 2.qhc  "
                                << "/opt/q/Quavix 2.qhc";
        QTest::newRow("controls") << QString("\t\r\n\x01/a.qhc\x1f\x7f\n") << "/a.qhc";
        QTest::newRow("inner blanks kept") << " a  b\tc " << QString("a  b\tc");
        QTest::newRow("only blanks") << " \t\n "
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void setHelpFileTrims() {
        QFETCH(QString, given);
        QFETCH(QString, stored);
        THTMLHelp help;
        help.SetHelpFile(given);
        QCOMPARE(help.FileName(), stored);
    }

    void failsWithoutUsableCollection_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("no file name") << "";
        QTest::newRow("blank file name") << "   ";
        QTest::newRow("absent") << "ABSENT";
        QTest::newRow("folder") << "FOLDER";
        QTest::newRow("not a collection") << "GARBAGE";
    }
    void failsWithoutUsableCollection() {
        QFETCH(QString, file);
        QTemporaryDir dir;
        if (file == "ABSENT")
            file = dir.filePath("Quavix 2.qhc");
        else if (file == "FOLDER")
            file = dir.path();
        else if (file == "GARBAGE") {
            file = dir.filePath("Quavix 2.qhc");
            QFile garbage(file);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write("this is no help collection\n");
        }
        const QStringList before = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        {
            THTMLHelp help;
            help.SetHelpFile(file);
            QVERIFY(!help.ShowContents());
            QVERIFY(!help.ShowContext(110));
            QVERIFY(!help.ShowContext(109));
            QVERIFY(help.Window() == nullptr);
        }
        // Only read: a missing collection is not created, nothing is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    }

    void unknownContextFails_data() {
        QTest::addColumn<int>("context");
        for (int context : {0, -1, 1, 8, 100, 111, 2147483647})
            QTest::addRow("%d", context) << context;
    }
    void unknownContextFails() {
        QFETCH(int, context);
        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        QVERIFY(!help.ShowContext(context));
        QVERIFY(help.Window() == nullptr);
    }

    void everyProgramContextHasItsOwnTopic() {
        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        QSet<QUrl> topics;
        for (int context : ProgramContexts) {
            QVERIFY2(help.ShowContext(context), qPrintable(QString::number(context)));
            const QUrl topic = help.TopicUrl(context);
            QCOMPARE(help.CurrentTopic(), topic);
            auto* browser = help.Window()->findChild<QTextBrowser*>();
            QVERIFY(browser);
            // A real page came up, with its heading.
            QVERIFY2(browser->toPlainText().size() > 200, qPrintable(topic.toString()));
            QVERIFY(!browser->documentTitle().isEmpty());
            topics.insert(topic);
        }
        QCOMPARE(topics.size(), ProgramContexts.size());
        QVERIFY(help.Window()->isVisible());
    }

    // A broken link inside the help would show the user an empty page.
    void linksBetweenTopicsLeadSomewhere() {
        QHelpEngineCore engine(BuiltCollection());
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QString ns = engine.registeredDocumentations().value(0);
        const QList<QUrl> files = engine.files(ns, QString(), "html");
        QVERIFY(files.size() >= ProgramContexts.size());
        static const QRegularExpression href("(?:href|src)=\"([^\"#]+)");
        for (const QUrl& file : files) {
            const QString html = QString::fromUtf8(engine.fileData(file));
            for (auto match = href.globalMatch(html); match.hasNext();) {
                const QUrl target(match.next().captured(1));
                if (!target.isRelative())
                    continue;
                QVERIFY2(!engine.fileData(file.resolved(target)).isEmpty(),
                         qPrintable(file.toString() + " -> " + target.toString()));
            }
        }
    }

    // The keyboard topic (F12) must list every key the program answers to.
    void keyboardTopicListsEveryKey() {
        QHelpEngineCore engine(BuiltCollection());
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QList<QHelpLink> links = engine.documentsForIdentifier("109");
        QCOMPARE(links.size(), 1);
        QTextDocument document;
        document.setHtml(QString::fromUtf8(engine.fileData(links.first().url)));
        const QString text = document.toPlainText();
        for (const char* key : {"F1",     "Shift+F1", "F2",     "F3",  "F4",    "F5",    "F6",     "F7",
                                "F8",     "F9",       "F10",    "F11",    "F12", "Space", "Enter", "Ctrl+G", "Ctrl+F",
                                "Ctrl+A", "Ctrl+N",   "Ctrl+S", "+",   "-",     "Alt+F4"})
            QVERIFY2(text.contains(QRegularExpression(
                         QString("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(key)))),
                     key);
        for (const char* letter : {"A", "B", "C", "D", "E", "F", "G"})
            QVERIFY2(text.contains(QRegularExpression(QString("\\b%1\\b").arg(letter))), letter);
        // The keys of every naming of the notes, each as a key of its own, next to the naming's names.
        const QString html = QString::fromUtf8(engine.fileData(links.first().url));
        for (NoteNamings naming : {LetterNames, GermanNames, FixedDo})
            for (char letter = 'A'; letter <= 'G'; ++letter) {
                const QString key(QChar(AnswerKey(letter, naming)));
                QVERIFY2(html.contains("<span class=\"key\">" + key + "</span>"), qPrintable(key));
                QVERIFY(text.contains(QString::fromLatin1(NoteName(letter, naming).data())));
            }
    }

    void contentsShowTheTreeAndATopic() {
        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        QVERIFY(help.ShowContents());
        QVERIFY(help.Window() && help.Window()->isVisible());
        auto* tree = help.Window()->findChild<QHelpContentWidget*>();
        QVERIFY(tree);
        // The contents are read in the background.
        QTRY_VERIFY(tree->model()->rowCount() > 0);
        QTRY_VERIFY(!help.CurrentTopic().isEmpty());
        QCOMPARE(help.CurrentTopic(), help.TopicUrl(110));
        QVERIFY(tree->model()->rowCount(tree->model()->index(0, 0)) >= 8);
        // What the main window does for Help, Contents: the contents with topic 110 beside them.
        QVERIFY(help.ShowContext(110));
        QCOMPARE(help.Window()->findChildren<QHelpContentWidget*>().size(), 1);
        // The topic on show is marked in the contents.
        QTRY_COMPARE(tree->currentIndex().data().toString(), QString("Welcome to Quavix 2"));
        QVERIFY(help.ShowContext(109));
        QTRY_COMPARE(tree->currentIndex().data().toString(), QString("Keyboard shortcuts"));
    }

    // The MIDI topic has no control of its own to press F1 on, so the contents and the keyboard topic lead
    // to it.
    void midiTopicReachable() {
        QHelpEngineCore engine(BuiltCollection());
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QList<QHelpLink> keyboard = engine.documentsForIdentifier("109");
        QCOMPARE(keyboard.size(), 1);
        QVERIFY(QString::fromUtf8(engine.fileData(keyboard.first().url)).contains("href=\"midi.html\""));

        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        QVERIFY(help.ShowContents());
        auto* tree = help.Window()->findChild<QTreeView*>();
        QVERIFY(tree);
        QTRY_VERIFY(tree->model()->rowCount() > 0);
        const QModelIndexList found =
            tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, "Playing a MIDI keyboard", 1,
                                 Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
    }

    // The help window opens beside the main window, not over the control the user asked about, and
    // stays where the user puts it.
    void helpWindowOpensBesideTheMainWindow() {
        QWidget main;
        main.setFixedSize(395, 405);
        main.move(0, 0);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        help.SetMainWindow(&main);
        QVERIFY(help.ShowContext(101));
        QWidget* window = help.Window();
        const QRect area = main.screen()->availableGeometry();
        QVERIFY(!window->frameGeometry().intersects(main.frameGeometry()));
        QVERIFY2(area.contains(window->geometry()),
                 qPrintable(QString("%1,%2 %3x%4 in %5x%6; main %7,%8 %9x%10")
                                .arg(window->x())
                                .arg(window->y())
                                .arg(window->width())
                                .arg(window->height())
                                .arg(area.width())
                                .arg(area.height())
                                .arg(main.frameGeometry().x())
                                .arg(main.frameGeometry().y())
                                .arg(main.frameGeometry().width())
                                .arg(main.frameGeometry().height())));
        QVERIFY(window->width() >= 360 && window->height() >= 300);

        const QPoint chosen(area.left() + 40, area.top() + 30);
        window->move(chosen);
        window->close();
        QVERIFY(help.ShowContext(104));
        QCOMPARE(window->pos(), chosen);
    }

    void helpWindowsCloseWithTheHelpObject() {
        QPointer<QWidget> window;
        {
            THTMLHelp help;
            help.SetHelpFile(BuiltCollection());
            QVERIFY(help.ShowContext(14));
            window = help.Window();
            QVERIFY(window && window->isVisible());
            QVERIFY(help.HelpCommand(THTMLHelp::HH_CLOSE_ALL, 0));
            QVERIFY(window.isNull());
            QVERIFY(help.ShowContext(14));
            window = help.Window();
        }
        QVERIFY(window.isNull());
    }

    // Installed elsewhere, the two files still find each other; and using them changes neither.
    void collectionWorksWhereverInstalledAndStaysUntouched() {
        QTemporaryDir dir;
        const QString qhc = dir.filePath("Quavix 2.qhc");
        const QString qch = dir.filePath("Quavix 2.qch");
        QVERIFY(QFile::copy(BuiltCollection(), qhc));
        QVERIFY(QFile::copy(QFileInfo(BuiltCollection()).dir().filePath("Quavix 2.qch"), qch));
        QFile::setPermissions(qhc, QFile::ReadOwner);
        QFile::setPermissions(qch, QFile::ReadOwner);
        const QByteArray qhcBefore = Digest(qhc), qchBefore = Digest(qch);
        {
            THTMLHelp help;
            help.SetHelpFile("  " + qhc + "\n");
            QVERIFY(help.ShowContents());
            QVERIFY(help.ShowContext(105));
            QVERIFY(help.CurrentTopic().toString().endsWith("level.html"));
        }
        QCOMPARE(Digest(qhc), qhcBefore);
        QCOMPARE(Digest(qch), qchBefore);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
