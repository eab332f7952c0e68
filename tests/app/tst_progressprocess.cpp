// The real program keeping progress: it takes up the kept settings at start, stores each answer as it
// comes, and a kill -9 in the middle of a quiz loses nothing stored and leaves the file whole; the next start
// opens it as it was.
#include "ProgressStore.h"
#include "ProgressTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace quavix;

namespace {

// The countdown's period in the program under test: a note runs out of time after 13 ticks.
constexpr int CountdownMs = 40;

// How many answers the file holds, read on a connection of the test's own, as the program writes.
int CountAnswers(const QString& path) {
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "watch");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=1000");
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("SELECT COUNT(*) FROM answers") && query.next())
                count = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("watch");
    return count;
}

} // namespace

class TestProgressProcess : public QObject {
    Q_OBJECT

private slots:
    void keptAcrossAKillAndARestart();
};

void TestProgressProcess::keptAcrossAKillAndARestart() {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/quavix_bench";
    if (!QFileInfo(program).isExecutable())
        QSKIP("the program has not been built");
    QTemporaryDir home;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Where the program keeps progress for a user with this home and no XDG_DATA_HOME.
    const QString folder = QDir(home.path()).filePath(".local/share/Quavix 2");
    const QString file = QDir(folder).filePath("progress.sqlite");

    // Kept from an earlier session: fifty answers, the piano, the bass staff, level 3.
    const auto earlier = SampleAnswers(50, 21);
    QVERIFY(KeepEarlierSession(folder, earlier));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        environment.remove(name);
    environment.insert("QUAVIX_BENCH", "quiz");
    environment.insert("QUAVIX_BENCH_SECONDS", "60");
    environment.insert("QUAVIX_BENCH_COUNTDOWN_MS", QString::number(CountdownMs));
    environment.insert("QUAVIX_BENCH_SETTLE_MS", "0");

    // The program begins a quiz and nobody answers: the first note runs out of time after 13 ticks and is
    // stored. Then it is killed, in the middle of the quiz.
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program);
    QVERIFY(first.waitForStarted());
    QVERIFY2(QTest::qWaitFor([&] { return CountAnswers(file) >= 51 || first.state() != QProcess::Running; },
                             30000) &&
                 CountAnswers(file) >= 51,
             "the program stored no answer");
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);

    std::vector<AnswerRecord> answers;
    {
        ProgressStore store(folder);
        QVERIFY(store.Open());
        QVERIFY(store.TakeProblem().isEmpty());
        QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));
        answers = store.Answers();
    }
    QVERIFY2(answers.size() >= 51, qPrintable(QString::number(answers.size())));
    QVERIFY(std::equal(earlier.begin(), earlier.end(), answers.begin()));
    // The new answer came from the restored settings: a time-out on the piano, a bass note of level 3.
    const AnswerRecord& timedOut = answers[50];
    QCOMPARE(timedOut.Result, Outcome::TimedOut);
    QCOMPARE(timedOut.InputMode, std::uint8_t(PianoKeys));
    QCOMPARE(timedOut.Staff, std::uint8_t(BassStaff));
    QVERIFY(timedOut.Row < 8);
    QVERIFY2(timedOut.Milliseconds >= 12 * CountdownMs && timedOut.Milliseconds < 12 * CountdownMs + 10000,
             qPrintable(QString::number(timedOut.Milliseconds)));

    // A restart opens the file as it was, and only paints.
    QProcess second;
    environment.insert("QUAVIX_BENCH", "paint");
    second.setProcessEnvironment(environment);
    second.start(program);
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardOutput().contains("first-paint-us"));
    ProgressStore store(folder);
    QVERIFY(store.Open());
    QCOMPARE(store.Answers(), answers);
    QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));
    QCOMPARE(QDir(folder).entryList({"progress-*"}), QStringList{}); // nothing was set aside
}

QTEST_GUILESS_MAIN(TestProgressProcess)
#include "tst_progressprocess.moc"
