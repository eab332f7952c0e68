// The help wrapper over the built collection: file-name clean-up, every failure path, the contents, and
// where the help window opens. Every context number's topic, in each language, is tried in
// tst_helplanguages.
#include "HTMLHelp.h"
#include "HelpPlacement.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
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

} // namespace

class tst_help : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFileInfo::exists(BuiltCollection()), qPrintable(BuiltCollection())); }

    void setHelpFileTrims_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
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
        // The MIDI topic has no control of its own to press F1 on; the contents lead to it.
        QCOMPARE(tree->model()
                     ->match(tree->model()->index(0, 0), Qt::DisplayRole, "Playing a MIDI keyboard", 1,
                             Qt::MatchExactly | Qt::MatchRecursive)
                     .size(),
                 1);
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
        QVERIFY(area.contains(window->geometry()));
        QVERIFY(window->width() >= 360 && window->height() >= 300);

        const QPoint chosen(area.left() + 40, area.top() + 30);
        window->move(chosen);
        window->close();
        QVERIFY(help.ShowContext(104));
        QCOMPARE(window->pos(), chosen);
    }

    // Where the help window first opens, for main windows and screens of every kind. A frame of 2 + 2 by
    // 30 + 2 pixels, as a desktop's title bar and borders add.
    void placement_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QString>("where"); // right, left, below or over (covering some of the main window)
        QTest::addColumn<bool>("collapsed");
        QTest::newRow("wide screen") << QRect(0, 0, 1920, 1080) << QRect(100, 100, 399, 437) << "right"
                                     << false;
        QTest::newRow("main window on the right")
            << QRect(0, 0, 1920, 1080) << QRect(1500, 100, 399, 437) << "left" << false;
        // 2400 x 1800 at 200 %: about 400 pixels either side of a centred window, too few for a text column
        // beside the tree. A narrow window with the topic alone covers the least.
        QTest::newRow("1200 x 900, main window centred")
            << QRect(0, 0, 1200, 900) << QRect(400, 231, 399, 437) << "over" << true;
        QTest::newRow("room for the topic alone beside it")
            << QRect(0, 0, 1400, 900) << QRect(500, 231, 399, 437) << "right" << true;
        QTest::newRow("room below only")
            << QRect(0, 0, 800, 800) << QRect(0, 0, 399, 437) << "below" << false;
        QTest::newRow("screen below the taskbar")
            << QRect(0, 40, 1920, 1040) << QRect(1500, 40, 399, 437) << "left" << false;
        QTest::newRow("small screen") << QRect(0, 0, 640, 480) << QRect(0, 0, 399, 437) << "over" << true;
    }
    void placement() {
        QFETCH(QRect, area);
        QFETCH(QRect, main);
        QFETCH(QString, where);
        QFETCH(bool, collapsed);
        const QSize frame(4, 32);
        const HelpPlacement place = PlaceHelpWindow(main, area, frame);
        const QRect help = place.frame;
        const QString seen =
            QString("%1,%2 %3x%4").arg(help.x()).arg(help.y()).arg(help.width()).arg(help.height());
        QVERIFY2(area.contains(help), qPrintable(seen));
        QCOMPARE(place.treeCollapsed, collapsed);
        // The topic column reads well: 480 pixels inside the frame, beside the tree unless it is folded away.
        QVERIFY2(help.width() - frame.width() >= 480 + (collapsed ? 0 : 260), qPrintable(seen));
        if (where == "right")
            QVERIFY2(help.left() > main.right(), qPrintable(seen));
        else if (where == "left")
            QVERIFY2(help.right() < main.left(), qPrintable(seen));
        else if (where == "below")
            QVERIFY2(help.top() > main.bottom(), qPrintable(seen));
        if (where != "over")
            return;
        // Over it, but as little as a readable window can: no more than its width beyond the room beside.
        const int roomBeside = std::max(main.left() - area.left(), area.right() - main.right());
        const QRect covered = help.intersected(main);
        QVERIFY2(covered.width() <= help.width() - roomBeside + 8 || roomBeside < 0, qPrintable(seen));
        QVERIFY2(covered.width() < main.width() / 2 || area.width() < 2 * help.width(), qPrintable(seen));
    }

    // On whatever screen the tests run (a small one too, as app/tst_help_smallscreen sets up), the help
    // window opens with a topic column wide enough to read, on the screen, beside a main window in the
    // middle where there is room for it.
    void helpWindowKeepsItsTextReadable() {
        QWidget main;
        main.setFixedSize(395, 405);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect area = main.screen()->availableGeometry();
        main.move(area.center() - main.rect().center());
        THTMLHelp help;
        help.SetHelpFile(BuiltCollection());
        help.SetMainWindow(&main);
        QVERIFY(help.ShowContext(101));
        QWidget* window = help.Window();
        auto* browser = window->findChild<QTextBrowser*>();
        const QString seen = QString("help %1,%2 %3x%4 with a topic %5 wide, on %6x%7")
                                 .arg(window->x())
                                 .arg(window->y())
                                 .arg(window->width())
                                 .arg(window->height())
                                 .arg(browser->width())
                                 .arg(area.width())
                                 .arg(area.height());
        qInfo("%s", qPrintable(seen));
        QVERIFY2(browser->width() >= 480, qPrintable(seen));
        QVERIFY2(area.contains(window->frameGeometry()), qPrintable(seen));
        const int roomBeside = (area.width() - main.frameGeometry().width()) / 2 - 8;
        if (roomBeside >= 480 + 260)
            QVERIFY2(!window->frameGeometry().intersects(main.frameGeometry()), qPrintable(seen));
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
