#include "AnswerLog.h"
#include "FixedClock.h"
#include "NoteFigures.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

using namespace quavix;

namespace {

class CollectingSink final : public AnswerSink {
public:
    std::vector<AnswerRecord> stored;
    void Store(const AnswerRecord& record) override { stored.push_back(record); }
};

struct Rig {
    RecordingFrontEnd front;
    ScriptedRandom random;
    FixedClock clock;
    Settings settings;
    QuizEngine quiz{front, random, settings};
    AnswerLog log{clock};

    // The instruments answer with exact notes here.
    Rig(InputModes mode, StaffChoices staff, int level) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        settings.FullRange = mode != NoteButtons;
        settings.Level = level;
        quiz.BuildNoteTable();
        quiz.SetAnswerObserver(&log);
    }
    const NoteEntry& Current() const { return quiz.Table[quiz.State.CurrentNote]; }
    void AnswerRight() { quiz.TakeAnswer(Answer::Named(Current().Letter, AnswerSource::NoteButton)); }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            quiz.tmrCountTimer();
    }
};

AnswerRecord Made(int step, Outcome result, int ms, std::uint8_t staff = TrebleStaff) {
    AnswerRecord record;
    record.Step = step;
    record.Staff = staff;
    record.Result = result;
    record.Milliseconds = ms;
    return record;
}

} // namespace

class AnswerLogTest : public QObject {
    Q_OBJECT

private slots:
    void outcomesAndTimes_data();
    void outcomesAndTimes();
    void oneRecordPerNoteTimedFromItsAppearance();
    void quizBoundaries();
    void sinkGetsEveryRecordInOrder();
    void pitchNames_data();
    void pitchNames();
    void median_data();
    void median();
    void summaryPerNoteWeakestFirst();
};

enum Path { TypedLetter, LetterButton, StepAnswer, TimeOut };

void AnswerLogTest::outcomesAndTimes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("pick"); // candidate index the random source returns
    QTest::addColumn<int>("path");
    QTest::addColumn<int>(
        "answer"); // the letter typed, the button's letter index or the step; unused for time-outs
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("answered");
    QTest::addColumn<int>("noteStaff");
    // All staves at level 1 hold rows 0..3: C4 treble, C4 bass, D4 treble, B3 bass.
    QTest::newRow("typed, right") << int(NoteButtons) << int(AllStaves) << 2 << int(TypedLetter) << int('d')
                                  << 2 << int(Outcome::Right) << 103 << int(TrebleStaff);
    QTest::newRow("typed, wrong") << int(NoteButtons) << int(AllStaves) << 3 << int(TypedLetter) << int('C')
                                  << 3 << int(Outcome::Wrong) << 102 << int(BassStaff);
    QTest::newRow("button, right, bass C") << int(NoteButtons) << int(AllStaves) << 1 << int(LetterButton)
                                           << 2 << 1 << int(Outcome::Right) << 102 << int(BassStaff);
    QTest::newRow("piano, right") << int(PianoKeys) << int(AllStaves) << 0 << int(StepAnswer) << 12 << 0
                                  << int(Outcome::Right) << 12 << int(TrebleStaff);
    QTest::newRow("piano, wrong octave") << int(PianoKeys) << int(AllStaves) << 1 << int(StepAnswer) << 19
                                         << 1 << int(Outcome::Wrong) << 19 << int(BassStaff);
    // The guitar at level 1 holds rows 0..2: E5, B4, G4, all on the treble staff.
    QTest::newRow("guitar, right") << int(GuitarFrets) << int(TrebleStaff) << 1 << int(StepAnswer) << 18 << 1
                                   << int(Outcome::Right) << 18 << int(TrebleStaff);
    QTest::newRow("guitar, wrong") << int(GuitarFrets) << int(TrebleStaff) << 2 << int(StepAnswer) << 17 << 2
                                   << int(Outcome::Wrong) << 17 << int(TrebleStaff);
    QTest::newRow("time-out") << int(PianoKeys) << int(BassStaff) << 1 << int(TimeOut) << 0 << 3
                              << int(Outcome::TimedOut) << int(AnswerRecord::NoAnswer) << int(BassStaff);
}

void AnswerLogTest::outcomesAndTimes() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, pick);
    QFETCH(int, path);
    QFETCH(int, answer);
    QFETCH(int, row);
    QFETCH(int, outcome);
    QFETCH(int, answered);
    QFETCH(int, noteStaff);
    Rig rig(InputModes(mode), StaffChoices(staff), 1);
    rig.random.script = {pick};
    rig.quiz.BeginQuiz();
    const std::int64_t began = rig.clock.wall;
    QCOMPARE(rig.quiz.State.CurrentNote, row);
    const int step = rig.Current().Step;

    rig.clock.Advance(3217);
    switch (path) {
    case TypedLetter:
        rig.quiz.TakeAnswer(TypedAnswer(char(answer), LetterNames));
        break;
    case LetterButton:
        rig.quiz.TakeAnswer(NoteButtonAnswer(answer));
        break;
    case StepAnswer:
        rig.quiz.TakeAnswer(InstrumentAnswer(answer, InputModes(mode)));
        break;
    case TimeOut:
        for (int tick = 0; tick < 13; ++tick) {
            rig.quiz.tmrCountTimer();
            rig.clock.Advance(1000);
        }
        break;
    }

    QCOMPARE(int(rig.log.Answers().size()), 1);
    const AnswerRecord& record = rig.log.Answers().front();
    QCOMPARE(record.QuizStartedMs, began);
    QCOMPARE(record.InputMode, std::uint8_t(mode));
    QCOMPARE(record.Row, row);
    QCOMPARE(record.Step, step);
    QCOMPARE(int(record.Staff), noteStaff);
    QCOMPARE(int(record.Result), outcome);
    QCOMPARE(record.Answered, answered);
    // A time-out is recorded at the thirteenth tick, before the clock moved on after it.
    const int took = path == TimeOut ? 3217 + 12000 : 3217;
    QCOMPARE(record.Milliseconds, took);
    QCOMPARE(record.AnsweredMs, began + took);
}

void AnswerLogTest::oneRecordPerNoteTimedFromItsAppearance() {
    Rig rig(NoteButtons, TrebleStaff, 6);
    rig.random.script = {0, 1, 2};
    rig.quiz.BeginQuiz();
    rig.clock.Advance(1500);
    const char letter = rig.Current().Letter;
    rig.quiz.TakeAnswer(NoteButtonAnswer((letter - 'A' + 1) % 7)); // wrong: the message comes up
    // Answers while the message shows change nothing, right ones included.
    rig.clock.Advance(400);
    rig.AnswerRight();
    rig.quiz.TakeAnswer(TypedAnswer('x', LetterNames));
    rig.Ticks(20);
    QCOMPARE(int(rig.log.Answers().size()), 1);
    QCOMPARE(rig.log.Answers()[0].Milliseconds, 1500);

    rig.clock.Advance(2600); // the message's three seconds
    rig.front.ExpireMessage(rig.quiz);
    rig.clock.Advance(700);
    rig.AnswerRight();
    QCOMPARE(int(rig.log.Answers().size()), 2);
    QCOMPARE(rig.log.Answers()[1].Result, Outcome::Right);
    QCOMPARE(rig.log.Answers()[1].Milliseconds, 700);
}

void AnswerLogTest::quizBoundaries() {
    Rig rig(PianoKeys, AllStaves, 12);
    QVERIFY(!rig.log.HasEndedQuiz());
    rig.quiz.EndQuiz(); // ends nothing: no quiz ran
    QVERIFY(!rig.log.HasEndedQuiz());

    rig.quiz.BeginQuiz();
    const std::int64_t first = rig.clock.wall;
    for (int note = 0; note < NotesPerQuiz; ++note) {
        rig.clock.Advance(100);
        rig.AnswerRight();
    }
    QVERIFY(!rig.quiz.State.Running); // the twentieth answer ended it
    QVERIFY(rig.log.HasEndedQuiz());
    QCOMPARE(int(rig.log.LastQuiz().size()), NotesPerQuiz);

    rig.clock.Advance(60000);
    rig.quiz.BeginQuiz();
    const std::int64_t second = rig.clock.wall;
    // While the next quiz runs, the results are still those of the one that ended.
    rig.AnswerRight();
    QCOMPARE(int(rig.log.LastQuiz().size()), NotesPerQuiz);
    rig.AnswerRight();
    rig.Ticks(13);
    rig.front.ExpireMessage(rig.quiz);
    rig.clock.Advance(5000);
    rig.quiz.EndQuiz(); // the note standing now was never answered
    rig.quiz.EndQuiz();

    const auto last = rig.log.LastQuiz();
    QCOMPARE(int(last.size()), 3);
    QCOMPARE(last.back().Result, Outcome::TimedOut);
    for (const AnswerRecord& record : last)
        QCOMPARE(record.QuizStartedMs, second);
    QCOMPARE(rig.log.Answers().front().QuizStartedMs, first);
    QCOMPARE(int(rig.log.Answers().size()), NotesPerQuiz + 3);

    // A quiz ended before anything was answered has no results, and is still the latest.
    rig.quiz.BeginQuiz();
    rig.quiz.EndQuiz();
    QVERIFY(rig.log.LastQuiz().empty());
}

void AnswerLogTest::sinkGetsEveryRecordInOrder() {
    Rig rig(NoteButtons, AllStaves, 3);
    CollectingSink sink;
    rig.log.SetSink(&sink);
    ClockSeededRandom seeded(99);
    rig.quiz.BeginQuiz();
    for (int event = 0; event < 400; ++event) {
        rig.clock.Advance(seeded.RandomBelow(3000));
        switch (seeded.RandomBelow(4)) {
        case 0:
            rig.AnswerRight();
            break;
        case 1:
            rig.quiz.TakeAnswer(NoteButtonAnswer(seeded.RandomBelow(7)));
            break;
        case 2:
            rig.quiz.tmrCountTimer();
            break;
        default:
            rig.front.ExpireMessage(rig.quiz);
        }
        if (!rig.quiz.State.Running)
            rig.quiz.BeginQuiz();
    }
    QVERIFY(rig.log.Answers().size() > 50);
    QCOMPARE(sink.stored, rig.log.Answers());
    // The tallies agree with the records they were made from.
    double answers = 0;
    for (const auto& [key, tally] : rig.log.Tallies())
        answers += tally.Answers;
    QCOMPARE(answers, double(rig.log.Answers().size()));
}

void AnswerLogTest::pitchNames_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("name");
    QTest::newRow("lowest") << 0 << "E2";
    QTest::newRow("B below C") << 4 << "B2";
    QTest::newRow("C starts an octave") << 5 << "C3";
    QTest::newRow("middle C") << 12 << "C4";
    QTest::newRow("top of the staff set") << 25 << "B5";
    QTest::newRow("top of the guitar") << 26 << "C6";
    QTest::newRow("outside") << 30 << "?";
}

void AnswerLogTest::pitchNames() {
    QFETCH(int, step);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(PitchName(step)), name);
    QCOMPARE(StepOfPitchName(name.toStdString()), name == "?" ? -1 : step);
}

void AnswerLogTest::median_data() {
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<int>("median");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("one") << QList<int>{700} << 700;
    QTest::newRow("odd, unsorted") << QList<int>{900, 100, 500} << 500;
    QTest::newRow("even: middle two") << QList<int>{4000, 1000, 3001, 2000} << 2500;
    QTest::newRow("even, rounds down") << QList<int>{1, 2} << 1;
    QTest::newRow("an outlier pulls nothing") << QList<int>{1000, 1100, 1200, 13000, 1050} << 1100;
}

void AnswerLogTest::median() {
    QFETCH(QList<int>, times);
    QFETCH(int, median);
    QCOMPARE(MedianMs(std::vector<int>(times.begin(), times.end())), median);
}

void AnswerLogTest::summaryPerNoteWeakestFirst() {
    const std::vector<AnswerRecord> answers = {
        Made(12, Outcome::Right, 1000), // C4 treble: always right, fast
        Made(12, Outcome::Right, 1400),
        Made(12, Outcome::Right, 900, BassStaff), // C4 bass: right but slow
        Made(12, Outcome::Right, 6000, BassStaff),
        Made(12, Outcome::Right, 7000, BassStaff),
        Made(16, Outcome::Wrong, 2000), // G4: half right
        Made(16, Outcome::Right, 3000),
        Made(18, Outcome::TimedOut, 13000), // B4: never right, slow
        Made(18, Outcome::Wrong, 4000),
        Made(20, Outcome::Wrong, 800), // D5: never right, fast
    };
    const auto figures = SummariseByNote(answers);
    QCOMPARE(int(figures.size()), 5);
    // Never right first, the slower of them before the faster; then half right; then the always-right, the
    // slower first.
    const std::vector<NoteKey> order = {
        {TrebleStaff, 18}, {TrebleStaff, 20}, {TrebleStaff, 16}, {BassStaff, 12}, {TrebleStaff, 12}};
    for (std::size_t i = 0; i < order.size(); ++i)
        QVERIFY2(figures[i].Key == order[i], qPrintable(QString("place %1").arg(i)));
    const NoteFigures& b4 = figures[0];
    QCOMPARE(b4.Asked, 2);
    QCOMPARE(b4.Wrong, 1);
    QCOMPARE(b4.TimedOut, 1);
    QCOMPARE(b4.MedianMs, 8500);
    QCOMPARE(b4.Accuracy(), 0.0);
    const NoteFigures& bassC = figures[3];
    QCOMPARE(bassC.Right, 3);
    QCOMPARE(bassC.MedianMs, 6000);
    QCOMPARE(figures[2].Accuracy(), 0.5);
    QVERIFY(SummariseByNote({}).empty());
}

QTEST_APPLESS_MAIN(AnswerLogTest)
#include "tst_answerlog.moc"
