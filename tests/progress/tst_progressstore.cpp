// The kept history on disk: answers and options across reopening, the figures the results show, damaged,
// newer, unwritable and full files, pausing and forgetting, and CSV export.
#include "AnswerCsv.h"
#include "NoteFigures.h"
#include "ProgressStore.h"
#include "ProgressTestSupport.h"
#include "WeakNotes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <random>
#include <sys/mount.h>
#include <unistd.h>

using namespace quavix;

class ProgressStoreTest : public QObject {
    Q_OBJECT

private slots:
    void keepsAnswersAndOptionsAcrossReopening();
    void figuresMatchTheAnswers_data();
    void figuresMatchTheAnswers();
    void damagedFileIsSetAsideAndAFreshOneStarted_data();
    void damagedFileIsSetAsideAndAFreshOneStarted();
    void damagedTableIsSetAsideAndTheRestCarried_data();
    void damagedTableIsSetAsideAndTheRestCarried();
    void newerFileIsSetAside();
    void olderFileIsBroughtUpToDate();
    void unwritableFolderKeepsNothing_data();
    void unwritableFolderKeepsNothing();
    void fullDiskStopsKeepingAndKeepsWhatWasStored_data();
    void fullDiskStopsKeepingAndKeepsWhatWasStored();
    void pauseAndForget();
    void exportRoundTrips();
    void exportToAPlaceThatCannotBeWritten();
    void csvRejectsWhatNoExportWrites_data();
    void csvRejectsWhatNoExportWrites();
};

void ProgressStoreTest::keepsAnswersAndOptionsAcrossReopening() {
    QTemporaryDir temp;
    const QString folder = temp.filePath("data/quavix"); // made by Open
    const auto answers = SampleAnswers(50, 1);
    QVERIFY(!ProgressStore::IsKept(folder));
    {
        ProgressStore store(folder);
        QVERIFY(store.Open());
        for (const AnswerRecord& record : answers)
            QVERIFY(store.Record(record));
        QVERIFY(store.SetOption("level", "5"));
        QVERIFY(store.SetOption("level", "7"));
        QVERIFY(store.SetOption("staff", "bass"));
        QCOMPARE(Pragma(store, "journal_mode"), QString("wal"));
    }
    QVERIFY(ProgressStore::IsKept(folder));
    ProgressStore store(folder);
    QVERIFY(store.Open());
    QVERIFY(store.TakeProblem().isEmpty());
    QCOMPARE(store.Answers(), answers);
    QCOMPARE(store.Options(), (std::map<QString, QString>{{"level", "7"}, {"staff", "bass"}}));
    QCOMPARE(Pragma(store, "user_version").toInt(), ProgressStore::SchemaVersion);
}

void ProgressStoreTest::figuresMatchTheAnswers_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("seed");
    QTest::newRow("a few") << 7 << 3;
    QTest::newRow("a month's worth") << 3000 << 4;
    QTest::newRow("another month") << 2500 << 5;
}

void ProgressStoreTest::figuresMatchTheAnswers() {
    // What SQLite works out for a span must be what the program works out from the same answers in memory.
    QFETCH(int, count);
    QFETCH(int, seed);
    QTemporaryDir temp;
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    const auto answers = SampleAnswers(count, seed);
    QVERIFY(store.RecordAll(answers));
    const std::int64_t hour = 3600 * 1000;
    const std::vector<std::int64_t> from = {SampleNow - RecentDays * 24 * hour + hour / 3,
                                            SampleNow - HistoryDays * 24 * hour + hour / 2, 0};
    const auto figures = store.FiguresSince(from);
    QCOMPARE(figures.size(), from.size());
    for (std::size_t span = 0; span < from.size(); ++span) {
        // A span starts at the full hour.
        const std::int64_t start = from[span] / hour * hour;
        std::vector<AnswerRecord> inSpan;
        for (const AnswerRecord& record : answers)
            if (record.AnsweredMs >= start)
                inSpan.push_back(record);
        const auto expected = SummariseByNote(inSpan);
        QCOMPARE(figures[span].size(), expected.size());
        for (const NoteFigures& note : expected) {
            const auto found = figures[span].find(note.Key);
            QVERIFY(found != figures[span].end());
            const NoteFigures& stored = found->second;
            QCOMPARE(stored.Asked, note.Asked);
            QCOMPARE(stored.Right, note.Right);
            QCOMPARE(stored.Wrong, note.Wrong);
            QCOMPARE(stored.TimedOut, note.TimedOut);
            QCOMPARE(stored.MedianMs, note.MedianMs);
            QVERIFY(std::abs(stored.SlowSum - note.SlowSum) < 1e-6);
        }
    }
}

void ProgressStoreTest::damagedFileIsSetAsideAndAFreshOneStarted_data() {
    QTest::addColumn<QByteArray>("how");
    QTest::newRow("not a database at all") << QByteArray("garbage");
    QTest::newRow("pages overwritten") << QByteArray("pages");
    QTest::newRow("cut short") << QByteArray("truncated");
}

void ProgressStoreTest::damagedFileIsSetAsideAndAFreshOneStarted() {
    QFETCH(QByteArray, how);
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath("progress.sqlite");
    {
        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QVERIFY(store.RecordAll(SampleAnswers(3000, 8)));
    }
    QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.size() > 64 * 1024);
    if (how == "garbage")
        bytes = QByteArray(bytes.size(), '\x5a');
    else if (how == "pages")
        bytes.replace(8192, bytes.size() - 16384, QByteArray(bytes.size() - 16384, '\xff'));
    else
        bytes.truncate(bytes.size() / 3);
    WriteAll(path, bytes);

    ProgressStore store(temp.path());
    store.Open();
    // Damage inside the file shows only when it is read; either way the store goes on with a fresh file.
    store.Answers();
    QVERIFY(store.IsOpen());
    const AnswerRecord next = SampleAnswers(1, 9).front();
    QVERIFY(store.Record(next));
    QCOMPARE(store.Answers(), std::vector<AnswerRecord>{next});
    QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));

    const QStringList aside = QDir(temp.path()).entryList({"progress-damaged-*.sqlite"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(ReadAll(QDir(temp.path()).filePath(aside.front())), bytes); // kept as it was
    const QString problem = store.TakeProblem();
    QVERIFY2(problem.contains(aside.front()) && problem.contains("anew"), qPrintable(problem));
    QVERIFY(store.TakeProblem().isEmpty()); // told once
}

void ProgressStoreTest::damagedTableIsSetAsideAndTheRestCarried_data() {
    QTest::addColumn<QString>(
        "damaged"); // a table or index, or "middle" for a leaf in the middle of the answers
    QTest::addColumn<int>("answersKept"); // 0 none, 1 some from the first, 2 all
    QTest::addColumn<bool>("optionsKept");
    QTest::newRow("the options") << "options" << 2 << false;
    QTest::newRow("the answers' tree") << "answers" << 0 << true;
    QTest::newRow("a page in the middle of the answers") << "middle" << 1 << true;
    QTest::newRow("the sums per hour") << "note_hours" << 2 << true;
    QTest::newRow("the answers' index") << "answers_by_note" << 2 << true;
}

void ProgressStoreTest::damagedTableIsSetAsideAndTheRestCarried() {
    QFETCH(QString, damaged);
    QFETCH(int, answersKept);
    QFETCH(bool, optionsKept);
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath("progress.sqlite");
    const auto answers = SampleAnswers(3000, 18);
    const std::map<QString, QString> options = {{"level", "4"}, {"staff", "bass"}};
    {
        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QVERIFY(store.RecordAll(answers));
        QVERIFY(store.SetOptions(options));
    }
    if (damaged == "middle") {
        int pageSize = 0;
        RootPageOf(path, "answers", pageSize);
        QVERIFY(DamagePage(path, MiddleLeafOf(path, "answers"), pageSize));
    } else {
        QVERIFY(DamageTable(path, damaged));
    }
    const QByteArray bytes = ReadAll(path);

    // Whichever reading meets the damage first, the file is set aside and a fresh one holds what still
    // reads, with the sums per hour worked out again.
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    store.Options();
    store.FiguresSince({0});
    store.Answers();
    QVERIFY(store.IsOpen());
    const QStringList aside = QDir(temp.path()).entryList({"progress-damaged-*.sqlite"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(ReadAll(QDir(temp.path()).filePath(aside.front())), bytes); // kept as it was
    QCOMPARE(store.TakeProblem(), QString("Your kept progress could not be read. Quavix has put it aside as "
                                          "\u201c%1\u201d. Quavix has started keeping your progress anew.")
                                      .arg(aside.front()));
    QVERIFY(store.TakeProblem().isEmpty());

    const auto carried = store.Answers();
    switch (answersKept) {
    case 0:
        QCOMPARE(carried.size(), std::size_t(0));
        break;
    case 1:
        QVERIFY2(!carried.empty() && carried.size() < answers.size(),
                 qPrintable(QString::number(carried.size())));
        QVERIFY(std::equal(carried.begin(), carried.end(), answers.begin()));
        break;
    default:
        QCOMPARE(carried, answers);
    }
    const std::map<QString, QString> none;
    QCOMPARE(store.Options(), optionsKept ? options : none);
    const auto figures = store.FiguresSince({0}).front();
    const auto expected = SummariseByNote(carried);
    QCOMPARE(figures.size(), expected.size());
    for (const NoteFigures& note : expected)
        QCOMPARE(figures.at(note.Key).Right, note.Right);
    QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));
    QVERIFY(store.TakeProblem().isEmpty());
}

void ProgressStoreTest::newerFileIsSetAside() {
    QTemporaryDir temp;
    {
        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QVERIFY(store.RecordAll(SampleAnswers(20, 10)));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        QVERIFY(query.exec(QString("PRAGMA user_version = %1").arg(ProgressStore::SchemaVersion + 1)));
    }
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QCOMPARE(store.AnswerCount(), 0);
    const QString problem = store.TakeProblem();
    QVERIFY2(problem.contains("newer version"), qPrintable(problem));
    const QStringList aside = QDir(temp.path()).entryList({"progress-newer-*.sqlite"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QVERIFY(problem.contains(aside.front()));
    // The newer program's file is whole: its version and its answers.
    ProgressStore other(temp.path());
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer-look");
    db.setDatabaseName(QDir(temp.path()).filePath(aside.front()));
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY(query.exec("SELECT (SELECT user_version FROM pragma_user_version), COUNT(*) FROM answers"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), ProgressStore::SchemaVersion + 1);
    QCOMPARE(query.value(1).toInt(), 20);
    query = QSqlQuery();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("newer-look");
}

void ProgressStoreTest::olderFileIsBroughtUpToDate() {
    // An empty file is an SQLite database at version 0 with nothing in it, the oldest file there can be.
    QTemporaryDir temp;
    WriteAll(QDir(temp.path()).filePath("progress.sqlite"), {});
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QVERIFY(store.TakeProblem().isEmpty());
    QCOMPARE(Pragma(store, "user_version").toInt(), ProgressStore::SchemaVersion);
    QVERIFY(store.Record(SampleAnswers(1, 11).front()));
    QVERIFY(store.SetOption("sound", "on"));
    QCOMPARE(store.AnswerCount(), 1);
}

void ProgressStoreTest::unwritableFolderKeepsNothing_data() {
    QTest::addColumn<QByteArray>("how");
    QTest::addColumn<QString>("says"); // what the problem names
    QTest::newRow("folder cannot be made") << QByteArray("blocked") << "in the folder";
    QTest::newRow("read-only folder") << QByteArray("read-only") << "in the folder";
    QTest::newRow("read-only folder with a kept file") << QByteArray("read-only kept") << "in the folder";
    QTest::newRow("read-only kept file") << QByteArray("read-only file") << "to the file";
}

void ProgressStoreTest::unwritableFolderKeepsNothing() {
    QFETCH(QByteArray, how);
    QFETCH(QString, says);
    QTemporaryDir temp;
    QVERIFY(QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther));
    QString folder = temp.filePath("quavix");
    QByteArray kept;
    if (how == "blocked") {
        WriteAll(temp.filePath("file"), "not a folder");
        folder = temp.filePath("file/quavix");
    } else {
        QVERIFY(QDir().mkpath(folder));
        if (how != "read-only") {
            ProgressStore store(folder);
            QVERIFY(store.Open());
            QVERIFY(store.RecordAll(SampleAnswers(30, 12)));
            store.Close();
            kept = ReadAll(QDir(folder).filePath("progress.sqlite"));
        }
        const QFile::Permissions readOnly =
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        if (how == "read-only file") {
            // A folder anyone may write in, holding a file nobody but its owner may.
            QVERIFY(QFile::setPermissions(folder, readOnly | QFile::WriteOwner | QFile::WriteOther));
            QVERIFY(QFile::setPermissions(QDir(folder).filePath("progress.sqlite"),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        } else {
            QVERIFY(QFile::setPermissions(folder, readOnly));
        }
    }
    const QStringList before = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    // As someone who may not write there (root may write anywhere, so the child runs as nobody then).
    const StoreChild child = RunStoreChild(folder);
    if (child.couldNotDropRoot)
        QSKIP("running as root, and cannot run the test as another user to meet the permissions");
    QVERIFY2(child.finished, qPrintable(child.output));
    QVERIFY2(child.output.contains("open=0"), qPrintable(child.output));
    QVERIFY2(child.output.contains("record=0"), qPrintable(child.output));
    const QString named = says == "to the file" ? QDir(folder).filePath("progress.sqlite") : folder;
    QVERIFY2(child.output.contains(QString("problem=Quavix cannot write %1 \u201c%2\u201d").arg(says, named)),
             qPrintable(child.output));

    QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    if (how != "blocked") {
        QStringList expected;
        if (!kept.isEmpty())
            expected << "progress.sqlite";
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), expected);
        if (!kept.isEmpty())
            QCOMPARE(ReadAll(QDir(folder).filePath("progress.sqlite")), kept);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void ProgressStoreTest::fullDiskStopsKeepingAndKeepsWhatWasStored_data() {
    QTest::addColumn<bool>("realFileSystem");
    QTest::newRow("file may grow no more") << false;
    QTest::newRow("small file system") << true;
}

void ProgressStoreTest::fullDiskStopsKeepingAndKeepsWhatWasStored() {
    QFETCH(bool, realFileSystem);
    QTemporaryDir temp;
    const QString folder = temp.filePath("disk");
    QVERIFY(QDir().mkpath(folder));
    SmallDisk disk;
    if (realFileSystem && !disk.Mount(folder, 96 * 1024))
        QSKIP("cannot mount a small file system here (needs root and a kernel that lets this process mount)");

    const auto answers = SampleAnswers(6000, 13);
    std::size_t stored = 0;
    {
        ProgressStore store(folder);
        QVERIFY(store.Open());
        if (!realFileSystem) {
            // SQLite reports a file that reached its page limit exactly as one on a full disk.
            QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
            QVERIFY(query.exec("PRAGMA max_page_count = 40"));
        }
        while (stored < answers.size() && store.Record(answers[stored]))
            ++stored;
        QVERIFY2(stored < answers.size(), "the disk never filled");
        QVERIFY(stored > 0);
        QVERIFY(!store.IsOpen());
        QVERIFY(!store.Record(answers[0])); // harmless once closed
        QCOMPARE(store.TakeProblem(),
                 QString("The disk is full, so Quavix has stopped keeping your progress. "
                         "What was kept before is safe."));
    }
    if (realFileSystem)
        disk.Grow(folder, 4 * 1024 * 1024);
    ProgressStore store(folder);
    QVERIFY(store.Open());
    QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));
    QCOMPARE(store.Answers(), std::vector<AnswerRecord>(answers.begin(), answers.begin() + stored));
}

void ProgressStoreTest::pauseAndForget() {
    QTemporaryDir temp;
    WriteAll(temp.filePath("someone-elses.txt"), "stays");
    const auto answers = SampleAnswers(10, 14);
    {
        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QVERIFY(store.RecordAll(answers));
        QVERIFY(store.Pause());
        QVERIFY(!store.IsOpen());
        QVERIFY(!store.Record(answers[0]));
    }
    QVERIFY(!ProgressStore::IsKept(temp.path()));
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files),
             (QStringList{"progress-paused.sqlite", "someone-elses.txt"}));
    {
        // Keeping again brings the history back.
        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QCOMPARE(store.Answers(), answers);
        QVERIFY(ProgressStore::IsKept(temp.path()));
        QVERIFY(store.Forget());
        QVERIFY(!store.IsOpen());
    }
    QVERIFY(!ProgressStore::IsKept(temp.path()));
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList{"someone-elses.txt"});
}

void ProgressStoreTest::exportRoundTrips() {
    QTemporaryDir temp;
    ProgressStore store(temp.filePath("data"));
    QVERIFY(store.Open());
    const auto answers = SampleAnswers(400, 15);
    QVERIFY(store.RecordAll(answers));
    const QString path = temp.filePath("answers.csv");
    QString error;
    QVERIFY2(store.ExportCsv(path, &error), qPrintable(error));

    const QList<QByteArray> lines = ReadAll(path).split('\n');
    QCOMPARE(lines.size(), 400 + 2); // header, answers, and the empty rest after the last line break
    QVERIFY(lines.front().startsWith("quiz_started,answered_at,"));
    const QRegularExpression iso(
        R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,)");
    QVERIFY2(iso.match(QString::fromLatin1(lines[1])).hasMatch(), lines[1].constData());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::vector<AnswerRecord> read;
    QVERIFY2(AnswerCsv::Read(file, read, &error), qPrintable(error));
    QCOMPARE(read, answers);
}

void ProgressStoreTest::exportToAPlaceThatCannotBeWritten() {
    QTemporaryDir temp;
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QVERIFY(store.RecordAll(SampleAnswers(5, 16)));
    WriteAll(temp.filePath("file"), "x");
    QString error;
    QVERIFY(!store.ExportCsv(temp.filePath("file/answers.csv"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(store.IsOpen()); // the history itself is fine
    QVERIFY(store.TakeProblem().isEmpty());
}

void ProgressStoreTest::csvRejectsWhatNoExportWrites_data() {
    QTest::addColumn<QByteArray>("line");
    const QByteArray good =
        "2026-12-08T10:00:00.000Z,2026-12-08T10:00:03.250Z,piano,bass,C4,1,wrong,C5,3.250";
    QTest::newRow("a good line, for contrast") << good;
    QTest::newRow("a field missing") << QByteArray(good).replace(",wrong,", ",");
    QTest::newRow("a time without its zone's form") << QByteArray(good).replace("T10:00:03", " 10:00:03");
    QTest::newRow("an unknown input") << QByteArray(good).replace("piano", "harp");
    QTest::newRow("a row outside the table") << QByteArray(good).replace(",1,", ",30,");
    QTest::newRow("an answer to a time-out") << QByteArray(good).replace("wrong", "timed out");
    QTest::newRow("a wrong answer with none given") << QByteArray(good).replace(",C5,", ",,");
    QTest::newRow("an answer that names nothing") << QByteArray(good).replace(",C5,", ",H,");
    QTest::newRow("seconds not to the millisecond") << QByteArray(good).replace("3.250", "3.25");
    QTest::newRow("negative seconds") << QByteArray(good).replace("3.250", "-3.250");
}

void ProgressStoreTest::csvRejectsWhatNoExportWrites() {
    QFETCH(QByteArray, line);
    QByteArray text = AnswerCsv::Header() + AnswerCsv::Line(SampleAnswers(1, 17).front()) + line + "\r\n";
    QBuffer buffer(&text);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    std::vector<AnswerRecord> answers;
    QString error;
    const bool good = QByteArray(QTest::currentDataTag()).startsWith("a good line");
    QCOMPARE(AnswerCsv::Read(buffer, answers, &error), good);
    if (good) {
        QCOMPARE(answers.back().Answered, 19);
        QCOMPARE(answers.back().Milliseconds, 3250);
    } else {
        QVERIFY2(error.startsWith("Line 3:"), qPrintable(error));
    }
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (const int child = RunChildMode(argc, argv); child >= 0)
        return child;
    ProgressStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_progressstore.moc"
