// Start-up and the single-instance rule inside one process: the lock and the signal between copies, stale
// locks, the running copy's reaction to a later copy (during a quiz), and a failed start that ends without
// running the event loop.
#include "HTMLHelp.h"
#include "Program.h"
#include "SingleInstance.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace quavix;

namespace {

TFormQX25* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TFormQX25*>(widget))
            return window;
    return nullptr;
}

// Everything a later copy must leave alone.
struct Snapshot {
    explicit Snapshot(TFormQX25& w)
        : state(w.Engine().State), inputMode(SettingsOf(w).InputMode), staffChoice(SettingsOf(w).StaffChoice),
          fullRange(SettingsOf(w).FullRange), level(SettingsOf(w).Level), geometry(w.geometry()),
          minimised(w.isMinimized()) {}
    quavix::QuizState state;
    int inputMode;
    int staffChoice;
    bool fullRange;
    int level;
    QRect geometry;
    bool minimised;
};

void CompareUnchanged(const Snapshot& before, TFormQX25& window) {
    const Snapshot after(window);
    QCOMPARE(after.state.Running, before.state.Running);
    QCOMPARE(after.state.CurrentNote, before.state.CurrentNote);
    QCOMPARE(after.state.PreviousNote, before.state.PreviousNote);
    QCOMPARE(after.state.PoolSize, before.state.PoolSize);
    QCOMPARE(after.level, before.level);
    QCOMPARE(after.state.NotesLeft, before.state.NotesLeft);
    QCOMPARE(after.state.Score, before.state.Score);
    // The countdown goes on by itself; a later copy neither stops nor restarts it.
    QVERIFY(after.state.SecondsLeft <= before.state.SecondsLeft &&
            after.state.SecondsLeft >= before.state.SecondsLeft - 1);
    QCOMPARE(after.inputMode, before.inputMode);
    QCOMPARE(after.staffChoice, before.staffChoice);
    QCOMPARE(after.fullRange, before.fullRange);
    QCOMPARE(after.geometry, before.geometry);
    QCOMPARE(after.minimised, before.minimised);
}

} // namespace

class tst_shell : public QObject {
    Q_OBJECT

private slots:
    void lockIsExclusiveAndTheSignalArrives() {
        QTemporaryDir dir;
        SingleInstance first("QX25", dir.path());
        SingleInstance later("QX25", dir.path());
        QVERIFY(first.TryLock());
        QVERIFY(!later.TryLock());
        QVERIFY(first.Listen());
        QSignalSpy arrived(&first, &SingleInstance::InstanceMessageArrived);
        QVERIFY(later.SignalRunningCopy());
        QVERIFY(arrived.wait(2000));
        // Each later copy counts once.
        QVERIFY(later.SignalRunningCopy());
        QVERIFY(later.SignalRunningCopy());
        QTRY_COMPARE(arrived.size(), 3);
        QVERIFY(later.SignalRunningCopy());
        QVERIFY(arrived.wait(2000));
        QCOMPARE(arrived.size(), 4);
    }

    void strangersAreIgnored_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("another text") << QByteArray("Check for Quavix 3.0 instance");
        QTest::newRow("only the beginning") << QByteArray("Check for Quavix");
        QTest::newRow("lots of junk") << QByteArray(100000, 'x');
    }
    void strangersAreIgnored() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        SingleInstance first("QX25", dir.path());
        QVERIFY(first.TryLock() && first.Listen());
        QSignalSpy arrived(&first, &SingleInstance::InstanceMessageArrived);
        {
            QLocalSocket stranger;
            stranger.connectToServer(first.ServerName());
            QVERIFY(stranger.waitForConnected(1000));
            stranger.write(bytes);
            stranger.waitForBytesWritten(200);
        }
        QCOMPARE(arrived.size(), 0);
        // The server goes on listening for the real thing, which comes after the stranger and alone counts.
        SingleInstance later("QX25", dir.path());
        QVERIFY(later.SignalRunningCopy());
        QVERIFY(arrived.wait(2000));
        QCOMPARE(arrived.size(), 1);
    }

    // The running copy may still be building its window: the later copy does not wait for it.
    void signalWithNobodyListeningEndsAtOnce() {
        QTemporaryDir dir;
        SingleInstance first("QX25", dir.path());
        QVERIFY(first.TryLock());
        SingleInstance later("QX25", dir.path());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!later.SignalRunningCopy());
        QVERIFY(clock.elapsed() < 300);
    }

    // A copy that died leaves its lock (with its process id) and its socket behind.
    void staleLockAndSocketAreTakenOver() {
        QTemporaryDir dir;
        QProcess gone;
        gone.start("true", QStringList());
        QVERIFY(gone.waitForStarted());
        const qint64 deadPid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile lock(dir.filePath("QX25.lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nquavix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile socket(dir.filePath("QX25.socket"));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();

        SingleInstance next("QX25", dir.path());
        QVERIFY(next.TryLock());
        QVERIFY(next.Listen());
        QSignalSpy arrived(&next, &SingleInstance::InstanceMessageArrived);
        SingleInstance later("QX25", dir.path());
        QVERIFY(!later.TryLock());
        QVERIFY(later.SignalRunningCopy());
        QVERIFY(arrived.wait(2000));
    }

    void lockAndSocketGoWithTheCopy() {
        QTemporaryDir dir;
        {
            SingleInstance first("QX25", dir.path());
            QVERIFY(first.TryLock() && first.Listen());
            QVERIFY(QFile::exists(first.LockFilePath()));
            QVERIFY(QFile::exists(first.ServerName()));
            QVERIFY(QFileInfo(first.ServerName()).permissions() & QFile::ReadOwner);
            QVERIFY(!(QFileInfo(first.ServerName()).permissions() & QFile::ReadOther));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList());
        SingleInstance next("QX25", dir.path());
        QVERIFY(next.TryLock());
    }

    // The whole entry sequence in this process: the window comes up, a later copy starts during a quiz,
    // the window only takes the focus, and closing it (answering Yes) ends the loop.
    void laterCopyDuringAQuizOnlyAsksForTheFocus() {
        QTemporaryDir dir;
        SingleInstance instance("QX25", dir.path());
        QVERIFY(instance.TryLock() && instance.Listen());
        bool checked = false;
        std::unique_ptr<QWidget> other;
        // Runs inside the loop; the window is closed afterwards whatever the checks found.
        const auto check = [&] {
            TFormQX25* window = MainWindow();
            QVERIFY(window && window->isVisible());
            QVERIFY(QTest::qWaitForWindowExposed(window));
            window->findChild<QAction*>("actBeginQuiz")->trigger();
            QVERIFY(window->Engine().State.Running);
            QWidget* focused = window->focusWidget();

            // Another window has the focus when the later copy starts.
            other = std::make_unique<QWidget>();
            other->show();
            other->activateWindow();
            QApplication::setActiveWindow(other.get());
            QTRY_VERIFY(!window->isActiveWindow());

            const Snapshot before(*window);
            SingleInstance later("QX25", dir.path());
            QVERIFY(!later.TryLock());
            QVERIFY(later.SignalRunningCopy());
            QTRY_VERIFY(window->isActiveWindow());
            QCOMPARE(QApplication::focusWidget(), focused ? focused : window);
            CompareUnchanged(before, *window);

            // Already active: nothing happens at all.
            const Snapshot again(*window);
            QSignalSpy arrived(&instance, &SingleInstance::InstanceMessageArrived);
            QVERIFY(later.SignalRunningCopy());
            QVERIFY(arrived.wait(2000));
            CompareUnchanged(again, *window);
            checked = true;
        };
        ModalWatcher watcher(QMessageBox::Yes); // "Quiz in progress. Really quit?"
        QTimer::singleShot(0, [&] {
            check();
            other.reset();
            if (TFormQX25* window = MainWindow())
                window->close();
        });
        QCOMPARE(RunMainWindow(instance), 0);
        QVERIFY(checked);
    }

    void hookLeavesHiddenMinimisedAndBlockedWindowsAlone() {
        ShownWindow window;
        const auto otherActive = [&] {
            auto other = std::make_unique<QWidget>();
            other->show();
            other->activateWindow();
            QApplication::setActiveWindow(other.get());
            return other;
        };
        // Minimised: keeps its state; it is not restored.
        {
            auto other = otherActive();
            window->showMinimized();
            const Snapshot before(*window);
            AppMessageHook(window.window.get());
            QVERIFY(window->isMinimized());
            CompareUnchanged(before, *window);
            window->showNormal();
        }
        // Hidden: stays hidden.
        {
            auto other = otherActive();
            window->hide();
            AppMessageHook(window.window.get());
            QVERIFY(!window->isVisible());
            QCOMPARE(QApplication::activeWindow(), other.get());
        }
        AppMessageHook(nullptr);
    }

    // The help window stays open beside the trainer, but closing the trainer ends the program.
    void closingTheWindowEndsTheLoopWithHelpOpen() {
        QTemporaryDir dir;
        SingleInstance instance("QX25", dir.path());
        QVERIFY(instance.TryLock() && instance.Listen());
        bool helpShown = false;
        bool loopHung = false;
        QTimer::singleShot(0, [&] {
            TFormQX25* window = MainWindow();
            AppHelp().SetHelpFile(
                QDir(QCoreApplication::applicationDirPath()).filePath("../src/app/Quavix 2.qhc"));
            window->findChild<QAction*>("miHelpContents")->trigger();
            helpShown = AppHelp().Window() && AppHelp().Window()->isVisible();
            window->close();
        });
        QTimer::singleShot(5000, [&] {
            loopHung = true;
            QApplication::quit();
        });
        QCOMPARE(RunMainWindow(instance), 0);
        QVERIFY(helpShown);
        QVERIFY(!loopHung);
        AppHelp().HelpCommand(THTMLHelp::HH_CLOSE_ALL, 0);
    }

    void failedStartShowsOneMessageAndSkipsTheLoop() {
        QTemporaryDir dir;
        SingleInstance instance("QX25", dir.path());
        QVERIFY(instance.TryLock() && instance.Listen());
        ModalWatcher watcher;
        // Were the loop to run, this would end it and the check below would see it.
        bool loopRan = false;
        QTimer::singleShot(3000, [&] {
            loopRan = true;
            QApplication::quit();
        });
        TFormQX25::Options options;
        options.colourDepth = -1; // a screen that reports no colour depth: the colour step fails

        QElapsedTimer clock;
        clock.start();
        QCOMPARE(RunMainWindow(instance, options), 1);
        QVERIFY(!loopRan);
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QString("Quavix 2"));
        QVERIFY(watcher.boxes[0].text.startsWith("Quavix 2 encountered a problem on start-up: "));
        QVERIFY(watcher.boxes[0].text.endsWith("a colour depth of -1 bits"));
        QVERIFY(MainWindow() == nullptr);
        QTest::qWait(50);
        QCOMPARE(watcher.boxes.size(), 1);
    }
};

QTEST_MAIN(tst_shell)
#include "tst_shell.moc"
