// The kept history on disk: answers and options across reopening, the figures the results show, older
// files, pausing and forgetting, and CSV export. What happens to files that cannot be used is in
// tst_progressrecovery.
#include "AnswerCsv.h"
#include "NoteFigures.h"
#include "ProgressStore.h"
#include "ProgressTestSupport.h"
#include "WeakKeys.h"
#include "WeakNotes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace quavix;

namespace {

void CompareFigures(const std::map<NoteKey, NoteFigures>& stored, const std::vector<NoteFigures>& expected) {
    QCOMPARE(stored.size(), expected.size());
    for (const NoteFigures& note : expected) {
        const auto found = stored.find(note.Key);
        QVERIFY(found != stored.end());
        QCOMPARE(found->second.Asked, note.Asked);
        QCOMPARE(found->second.Right, note.Right);
        QCOMPARE(found->second.Wrong, note.Wrong);
        QCOMPARE(found->second.TimedOut, note.TimedOut);
        QCOMPARE(found->second.MedianMs, note.MedianMs);
        QVERIFY(std::abs(found->second.SlowSum - note.SlowSum) < 1e-6);
    }
}

} // namespace

class ProgressStoreTest : public QObject {
    Q_OBJECT

private slots:
    void keepsAnswersAndOptionsAcrossReopening();
    void figuresMatchTheAnswers_data();
    void figuresMatchTheAnswers();
    void olderFileIsBroughtUpToDate();
    void pauseAndForget();
    void exportRoundTrips();
    void exportToAPlaceThatCannotBeWritten();
    void fileOfTheReleaseBeforeCountsEachSpelling();
    void keySignaturesAreKeptAndTallied();
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
    auto answers = SampleAnswers(count, seed);
    // A third sharp and a third flat, each spelling a note of its own.
    for (std::size_t i = 0; i < answers.size(); ++i)
        answers[i].Alteration = static_cast<std::int8_t>(static_cast<int>(i % 3) - 1);
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
        CompareFigures(figures[span], SummariseByNote(inSpan));
        if (QTest::currentTestFailed())
            return;
    }
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
    // The first answers are B flat 3 answered with a named sharp, F sharp 4 on the full-range piano by its
    // key, G flat 4 by a black key of the single octave: each keeps its spelling in the history and in the
    // answer list.
    auto answers = SampleAnswers(400, 15);
    answers[0].Alteration = -1;
    answers[0].Answered = LetterCode('A', 1);
    answers[0].Result = Outcome::Wrong;
    answers[1].Alteration = 1;
    answers[1].Answered = FirstKeyCode + 66;
    answers[1].Result = Outcome::Right;
    answers[2].Alteration = -1;
    answers[2].Answered = FirstPitchClassCode + 6;
    answers[2].Result = Outcome::Right;
    QTemporaryDir temp;
    ProgressStore store(temp.filePath("data"));
    QVERIFY(store.Open());
    QVERIFY(store.RecordAll(answers));
    QCOMPARE(store.Answers(), answers);
    const QString path = temp.filePath("answers.csv");
    QString error;
    QVERIFY2(store.ExportCsv(path, &error), qPrintable(error));

    const QList<QByteArray> lines = ReadAll(path).split('\n');
    QCOMPARE(lines.size(), 400 + 2); // header, answers, and the empty rest after the last line break
    QVERIFY(lines.front().startsWith("quiz_started,answered_at,"));
    const QRegularExpression iso(
        R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,)");
    QVERIFY2(iso.match(QString::fromLatin1(lines[1])).hasMatch(), lines[1].constData());
    QVERIFY2(lines[1].contains(",A#,"), lines[1].constData());
    QVERIFY2(lines[1].contains(QByteArray::fromStdString(PitchName(answers[0].Step)).insert(1, 'b')),
             lines[1].constData());
    QVERIFY2(lines[2].contains(",k66,"), lines[2].constData());
    QVERIFY2(lines[3].contains(",pc6,"), lines[3].constData());

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

void ProgressStoreTest::fileOfTheReleaseBeforeCountsEachSpelling() {
    // A file as the release before left it: spellings kept with the answers, but its hourly sums and its
    // index of times by staff and step alone. Opened now, every spelling counts on its own, with nothing
    // lost.
    auto answers = SampleAnswers(600, 21);
    for (std::size_t i = 0; i < answers.size(); ++i)
        answers[i].Alteration = static_cast<std::int8_t>(static_cast<int>(i % 3) - 1);
    answers.front().AnsweredMs = -3600 * 1000 - 5; // before 1970: the hour still rounds down
    QTemporaryDir temp;
    QVERIFY(WriteReleaseBeforeFile(QDir(temp.path()).filePath("progress.sqlite"), answers,
                                   {{"accidentals", "sharps"}}));

    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QVERIFY(store.TakeProblem().isEmpty());
    QCOMPARE(store.Answers(), answers);
    QCOMPARE(store.Options().at("accidentals"), QString("sharps"));
    CompareFigures(store.FiguresSince({std::numeric_limits<std::int64_t>::min() / 2}).front(),
                   SummariseByNote(answers));
    // And it goes on counting each spelling as it is written now.
    QVERIFY(store.Record(answers.back()));
    answers.push_back(answers.back());
    CompareFigures(store.FiguresSince({0}).front(), SummariseByNote(std::span(answers).subspan(1)));
}

void ProgressStoreTest::keySignaturesAreKeptAndTallied() {
    // C major (0) is a key of its own, apart from notes asked with no signature at all.
    auto answers = SampleAnswers(80, 22);
    const int keys[] = {AnswerRecord::NoKeySignature, 0, -3, 7};
    for (std::size_t i = 0; i < answers.size(); ++i)
        answers[i].KeySignature = static_cast<std::int8_t>(keys[i % 4]);
    QTemporaryDir temp;
    ProgressStore store(temp.path());
    QVERIFY(store.Open());
    QVERIFY(store.RecordAll(answers));
    QCOMPARE(store.Answers(), answers);
    const std::int64_t since = answers[40].AnsweredMs / 3600000 * 3600000;
    const auto figures = store.KeyFiguresSince({0, since});
    QCOMPARE(figures[0].size(), std::size_t(3));
    for (const int key : {0, -3, 7}) {
        std::vector<AnswerRecord> inKey;
        std::copy_if(answers.begin(), answers.end(), std::back_inserter(inKey),
                     [&](const AnswerRecord& answer) { return answer.KeySignature == key; });
        const NoteTally expected = TallyKeys(inKey).at(key);
        const NoteTally stored = TallyOf(figures[0].at(key));
        QCOMPARE(stored.Answers, expected.Answers);
        QCOMPARE(stored.Misses, expected.Misses);
        QVERIFY(std::abs(stored.SlowSum - expected.SlowSum) < 1e-6);
        QVERIFY(figures[1].at(key).Asked < figures[0].at(key).Asked);
    }
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
    QTest::newRow("a double sharp") << QByteArray(good).replace(",C5,", ",C##,");
    QTest::newRow("a key past the last") << QByteArray(good).replace(",C5,", ",k140,");
    QTest::newRow("a thirteenth pitch class") << QByteArray(good).replace(",C5,", ",pc12,");
    QTest::newRow("a note with two signs") << QByteArray(good).replace(",C4,", ",C#b4,");
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

QTEST_GUILESS_MAIN(ProgressStoreTest)
#include "tst_progressstore.moc"
