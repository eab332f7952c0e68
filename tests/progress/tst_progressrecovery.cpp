// The kept history when its file cannot be used: damaged as a whole or in one table, made by a newer
// version, in a folder or a file that cannot be written, on a full disk. Nothing stops the trainer, nothing
// kept is deleted, what still reads is carried on, and the user is told once.
#include "NoteFigures.h"
#include "ProgressStore.h"
#include "ProgressTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace quavix;

class ProgressRecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void damagedFileIsSetAsideAndAFreshOneStarted_data();
    void damagedFileIsSetAsideAndAFreshOneStarted();
    void damagedTableIsSetAsideAndTheRestCarried_data();
    void damagedTableIsSetAsideAndTheRestCarried();
    void damagedFileOfTheReleaseBeforeCarriesItsAnswers();
    void newerFileIsSetAside();
    void unwritableFolderKeepsNothing_data();
    void unwritableFolderKeepsNothing();
    void fullDiskStopsKeepingAndKeepsWhatWasStored_data();
    void fullDiskStopsKeepingAndKeepsWhatWasStored();
};

void ProgressRecoveryTest::damagedFileIsSetAsideAndAFreshOneStarted_data() {
    QTest::addColumn<QByteArray>("how");
    QTest::newRow("not a database at all") << QByteArray("garbage");
    QTest::newRow("pages overwritten") << QByteArray("pages");
    QTest::newRow("cut short") << QByteArray("truncated");
}

void ProgressRecoveryTest::damagedFileIsSetAsideAndAFreshOneStarted() {
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

void ProgressRecoveryTest::damagedTableIsSetAsideAndTheRestCarried_data() {
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

void ProgressRecoveryTest::damagedTableIsSetAsideAndTheRestCarried() {
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
    QCOMPARE(ReadAll(QDir(temp.path()).filePath(aside.front())), bytes); // kept as it was, and alone
    QCOMPARE(QDir(temp.path()).entryList({"progress-damaged-*"}), aside);
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

void ProgressRecoveryTest::damagedFileOfTheReleaseBeforeCarriesItsAnswers() {
    // Damage met while an older file is brought up to date leaves it at its own layout, without the
    // columns added since; what still reads in it is carried over all the same.
    QTemporaryDir temp;
    const QString path = QDir(temp.path()).filePath("progress.sqlite");
    auto answers = SampleAnswers(3000, 19);
    for (std::size_t i = 0; i < answers.size(); ++i)
        answers[i].Alteration = static_cast<std::int8_t>(static_cast<int>(i % 3) - 1);
    QVERIFY(WriteReleaseBeforeFile(path, answers, {{"level", "4"}}));
    QVERIFY(DamageTable(path, "answers_by_note"));
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QCOMPARE(QDir(temp.path()).entryList({"progress-damaged-*.sqlite"}, QDir::Files).size(), 1);
    QCOMPARE(store.Answers(), answers);
    QCOMPARE(store.Options().at("level"), QString("4"));
}

void ProgressRecoveryTest::newerFileIsSetAside() {
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

void ProgressRecoveryTest::unwritableFolderKeepsNothing_data() {
    QTest::addColumn<QByteArray>("how");
    QTest::addColumn<QString>("says"); // what the problem names
    QTest::newRow("folder cannot be made") << QByteArray("blocked") << "in the folder";
    QTest::newRow("read-only folder") << QByteArray("read-only") << "in the folder";
    QTest::newRow("read-only folder with a kept file") << QByteArray("read-only kept") << "in the folder";
    QTest::newRow("read-only kept file") << QByteArray("read-only file") << "to the file";
}

void ProgressRecoveryTest::unwritableFolderKeepsNothing() {
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

void ProgressRecoveryTest::fullDiskStopsKeepingAndKeepsWhatWasStored_data() {
    QTest::addColumn<bool>("realFileSystem");
    QTest::newRow("file may grow no more") << false;
    QTest::newRow("small file system") << true;
}

void ProgressRecoveryTest::fullDiskStopsKeepingAndKeepsWhatWasStored() {
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

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (const int child = RunChildMode(argc, argv); child >= 0)
        return child;
    ProgressRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_progressrecovery.moc"
