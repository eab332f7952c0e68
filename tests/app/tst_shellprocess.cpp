// The real program started as separate processes: of two copies exactly one stays, and the other ends at
// once without ever starting a user interface. (That the lock and socket a killed copy leaves behind are
// taken over is the single-instance test's.)
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The tests are built in <build>/tests, the program in <build>/src/app.
QString Program() {
    return QDir(QCoreApplication::applicationDirPath()).filePath("../src/app/quavix");
}

// A copy still running when its test ends is killed.
struct Stopper {
    void operator()(QProcess* process) const {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
        delete process;
    }
};
using Copy = std::unique_ptr<QProcess, Stopper>;

// Each test has a runtime folder of its own, so it never meets a copy a user is running.
Copy Start(const QTemporaryDir& runtime, const QString& platform = "offscreen") {
    Copy process(new QProcess);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", platform);
    process->setProcessEnvironment(env);
    process->start(Program(), QStringList());
    return process;
}

bool Running(const QProcess& process) {
    return process.state() != QProcess::NotRunning;
}

// Waits until the copy listens for later ones.
bool WaitUntilListening(const QTemporaryDir& runtime, const QProcess& process) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && Running(process)) {
        if (QFileInfo::exists(runtime.filePath("QX25.socket")))
            return true;
        QTest::qWait(10);
    }
    return false;
}

// A platform that does not exist: a copy that tried to start its user interface would die of it.
const QString NoPlatform = "no-such-platform";

} // namespace

class tst_shellprocess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFileInfo(Program()).isExecutable(), qPrintable(Program())); }

    void twoCopiesStartedTogetherGiveOne() {
        for (int round = 0; round < 5; ++round) {
            QTemporaryDir runtime;
            auto a = Start(runtime);
            auto b = Start(runtime);
            QVERIFY(a->waitForStarted() && b->waitForStarted());
            QElapsedTimer clock;
            clock.start();
            while (Running(*a) && Running(*b) && clock.elapsed() < 5000)
                QTest::qWait(5);
            QProcess* ended = Running(*a) ? b.get() : a.get();
            QProcess* stays = ended == a.get() ? b.get() : a.get();
            QVERIFY2(!Running(*ended), "both copies are still running");
            QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
            QCOMPARE(ended->exitCode(), 0);
            const qint64 endedAfter = clock.elapsed();
            // The one that stays serves later copies.
            QVERIFY2(WaitUntilListening(runtime, *stays), qPrintable(stays->readAllStandardError()));
            qInfo("round %d: one copy ended %lld ms after both had started", round, endedAfter);
        }
    }

    void laterCopyEndsAtOnceWithoutAnyUserInterface() {
        QTemporaryDir runtime;
        auto first = Start(runtime);
        QVERIFY(WaitUntilListening(runtime, *first));
        QList<qint64> times;
        for (int copy = 0; copy < 5; ++copy) {
            QElapsedTimer clock;
            clock.start();
            auto later = Start(runtime, NoPlatform);
            QVERIFY(later->waitForFinished(5000));
            times << clock.elapsed();
            QCOMPARE(later->exitStatus(), QProcess::NormalExit);
            QCOMPARE(later->exitCode(), 0);
            QVERIFY(!later->readAllStandardError().contains("platform"));
            QVERIFY(later->readAllStandardOutput().isEmpty());
        }
        std::sort(times.begin(), times.end());
        qInfo("a later copy ends in %lld ms (median of 5, fastest %lld, slowest %lld)", times[2], times[0],
              times[4]);
        QVERIFY(times[2] < 1000);
        QVERIFY(Running(*first));
        // The copies use their runtime folder for the lock and the socket only.
        QStringList entries =
            QDir(runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        entries.sort();
        QCOMPARE(entries, QStringList({"QX25.lock", "QX25.socket"}));
    }
};

QTEST_GUILESS_MAIN(tst_shellprocess)
#include "tst_shellprocess.moc"
