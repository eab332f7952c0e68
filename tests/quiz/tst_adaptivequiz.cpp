// Adaptive practice and the quiz's length as the engine runs them: the chooser picks every note of real
// quizzes answered through the engine's one answer call, and quizzes of each length walk, score and end as
// they should.

#include "AdaptivePractice.h"
#include "FixedClock.h"
#include "QuizEngine.h"
#include "QuizLength.h"
#include "SilentFrontEnd.h"
#include "SimulatedLearner.h"

#include <QTest>

using namespace quavix;
using namespace quavix::simulation;

namespace {

class ScoreWatch final : public SilentFrontEnd {
public:
    std::vector<int> xs;
    std::uint32_t colour = 0;
    void DrawNote(const NoteEntry&, int x) override { xs.push_back(x); }
    void SetScoreColour(std::uint32_t rgb) override { colour = rgb; }
};

// Answers come to the practice as they come to the progress room: through the log's sink.
class ToPractice final : public AnswerSink {
public:
    explicit ToPractice(AdaptivePractice& practice) : practice_(practice) {}
    void Store(const AnswerRecord& record) override { practice_.Record(record, false); }

private:
    AdaptivePractice& practice_;
};

// A chooser that names a row of its own, to see what the engine makes of it.
class FixedChooser final : public NoteChooser {
public:
    int row = 0;
    std::vector<int> offered;
    int ChooseRow(const QuizEngine&, std::span<const int> rows, int, RandomSource&) override {
        offered.assign(rows.begin(), rows.end());
        return row;
    }
};

struct Rig {
    explicit Rig(Settings chosen, std::uint64_t seed = 7) : settings(chosen), random(seed) {
        engine.BuildNoteTable();
    }
    Settings settings;
    ScoreWatch screen;
    ClockSeededRandom random;
    QuizEngine engine{screen, random, settings};

    void AnswerRight() {
        engine.TakeAnswer(TypedAnswer(engine.Table[engine.State.CurrentNote].Letter, LetterNames));
    }
};

// The simulated learner answers the quiz on the staff set at the top level, through the engine.
struct LearnerFigures {
    int answers = 0;
    int unknownAsks = 0;
};

LearnerFigures PlayWithLearner(bool adaptive, const std::vector<bool>& knows, std::uint64_t seed,
                               int answers) {
    Rig rig(Settings{.StaffChoice = AllStaves, .Level = MaxLevel, .AdaptivePractice = adaptive}, seed);
    FixedClock clock;
    AdaptivePractice practice(clock);
    AnswerLog log(clock);
    ToPractice sink(practice);
    log.SetSink(&sink);
    rig.engine.SetAnswerObserver(&log);
    if (adaptive)
        rig.engine.SetNoteChooser(&practice);
    SimulatedLearner learner(knows, seed);
    LearnerFigures figures;
    while (figures.answers < answers) {
        if (!rig.engine.State.Running)
            rig.engine.BeginQuiz();
        const int row = rig.engine.State.CurrentNote;
        const Response response = learner.Answer(static_cast<std::size_t>(row));
        // The countdown runs while the learner thinks; a time-out ends the note by itself.
        for (int second = 0; second < response.Milliseconds / 1000 && rig.engine.State.SecondsLeft >= 0;
             ++second) {
            clock.Advance(1000);
            rig.engine.tmrCountTimer();
        }
        clock.Advance(response.Milliseconds % 1000);
        if (rig.engine.State.SecondsLeft >= 0) {
            const char letter = rig.engine.Table[row].Letter;
            rig.engine.TakeAnswer(
                TypedAnswer(response.Right ? letter : char('A' + (letter - 'A' + 1) % 7), LetterNames));
        }
        if (rig.screen.PopUpShowing()) {
            rig.screen.RemoveNoteMessage();
            rig.engine.NoteMessageExpired();
        }
        ++figures.answers;
        figures.unknownAsks += knows[static_cast<std::size_t>(row)] ? 0 : 1;
        clock.Advance(500);
    }
    rig.engine.SetAnswerObserver(nullptr);
    return figures;
}

} // namespace

class AdaptiveQuizTest : public QObject {
    Q_OBJECT

private slots:
    void quizOfEachLengthWalksAndScores_data();
    void quizOfEachLengthWalksAndScores();
    void endlessQuizGoesOnInLapsUntilEnded();
    void chooserPicksAmongTheAllowedRowsOnly();
    void learnerIsAskedWhatItDoesNotKnow();
    void masteryMapHoldsEachNoteOfTheChosenStaves_data();
    void masteryMapHoldsEachNoteOfTheChosenStaves();
    void masteryMapShowsTheWeakestSpellingAsked_data();
    void masteryMapShowsTheWeakestSpellingAsked();
    void fluencyCountsEachLocalDay();
};

void AdaptiveQuizTest::quizOfEachLengthWalksAndScores_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("secondX"); // where the second note stands
    QTest::newRow("10 notes") << 10 << 75;
    QTest::newRow("20 notes, as always") << 20 << 64;
    QTest::newRow("50 notes") << 50 << 58;
}

void AdaptiveQuizTest::quizOfEachLengthWalksAndScores() {
    QFETCH(int, length);
    QFETCH(int, secondX);
    Rig rig(Settings{.QuizLength = length});
    rig.engine.BeginQuiz();
    for (int i = 0; i < length; ++i) {
        QVERIFY(rig.engine.State.Running);
        if (i == length / 2)
            QVERIFY(rig.screen.colour < ScoreColour(MaxScore)); // half way, not yet the full colour
        rig.AnswerRight();
    }
    QVERIFY(!rig.engine.State.Running);
    QCOMPARE(int(rig.screen.xs.size()), length);
    QCOMPARE(rig.screen.xs.front(), 54);
    QCOMPARE(rig.screen.xs[1], secondX);
    QCOMPARE(rig.screen.xs.back(), 244);
    QVERIFY(std::is_sorted(rig.screen.xs.begin(), rig.screen.xs.end()));
    // Every answer at once: the best score there is, in the best score's colour.
    QCOMPARE(rig.engine.State.Score, MaxScoreFor(length));
    QCOMPARE(rig.screen.colour, ScoreColour(MaxScore));
    QCOMPARE(MaxScoreCaption(length), std::to_string(length * PointsCap));
}

void AdaptiveQuizTest::endlessQuizGoesOnInLapsUntilEnded() {
    Rig rig(Settings{.QuizLength = UntilStopped});
    rig.engine.BeginQuiz();
    for (int i = 0; i < 45; ++i)
        rig.AnswerRight();
    QVERIFY(rig.engine.State.Running);
    QCOMPARE(rig.engine.NotesAsked(), 46);
    // Laps of 20, each walking as the usual quiz does.
    QCOMPARE(rig.screen.xs[19], 244);
    QCOMPARE(rig.screen.xs[20], 54);
    QCOMPARE(rig.screen.xs[45], 104);
    QCOMPARE(rig.engine.State.Score, 450);
    QCOMPARE(rig.screen.colour, ScoreColour(MaxScore)); // at full pace all along
    rig.engine.EndQuiz();
    QVERIFY(!rig.engine.State.Running);
    QCOMPARE(MaxScoreCaption(UntilStopped), std::string("\u221E"));
}

void AdaptiveQuizTest::chooserPicksAmongTheAllowedRowsOnly() {
    Rig rig(Settings{.StaffChoice = BassStaff, .Level = 3});
    FixedChooser chooser;
    rig.engine.SetNoteChooser(&chooser);
    chooser.row = 5;
    rig.engine.BeginQuiz();
    QCOMPARE(chooser.offered, (std::vector<int>{1, 3, 5, 7}));
    QCOMPARE(rig.engine.State.CurrentNote, 5);
    // A row outside the level or on the other staff is no choice: the engine draws one of its own.
    for (const int wrong : {2, 9, -1, 99}) {
        chooser.row = wrong;
        rig.AnswerRight();
        QVERIFY(rig.engine.State.CurrentNote % 2 == 1 && rig.engine.State.CurrentNote < 8);
    }
}

// The practice closes the loop through the engine: answers reach it through the log and it picks the next
// notes, so a learner who reads the treble staff and not the bass is asked the bass far more than by the
// uniform draw. How well the chooser keeps a learner on target is the picker's own test.
void AdaptiveQuizTest::learnerIsAskedWhatItDoesNotKnow() {
    const std::vector<Profile> profiles = Profiles();
    for (std::uint64_t seed = 1; seed <= 2; ++seed) {
        const LearnerFigures uniform = PlayWithLearner(false, profiles[1].Knows, seed, 300);
        const LearnerFigures adaptive = PlayWithLearner(true, profiles[1].Knows, seed, 300);
        const double uniformShare = double(uniform.unknownAsks) / uniform.answers;
        const double adaptiveShare = double(adaptive.unknownAsks) / adaptive.answers;
        QVERIFY2(adaptiveShare > uniformShare + 0.1,
                 qPrintable(QString("%1 vs %2").arg(adaptiveShare).arg(uniformShare)));
    }
}

void AdaptiveQuizTest::masteryMapHoldsEachNoteOfTheChosenStaves_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("notes");
    QTest::newRow("treble") << int(NoteButtons) << int(TrebleStaff) << 13;
    QTest::newRow("both staves") << int(PianoKeys) << int(AllStaves) << 26;
    // The guitar's 30 places hold 19 notes: a note on two strings is one note.
    QTest::newRow("guitar") << int(GuitarFrets) << int(TrebleStaff) << 19;
}

void AdaptiveQuizTest::masteryMapHoldsEachNoteOfTheChosenStaves() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, notes);
    NoteTable table{};
    BuildNoteTable(table, std::uint8_t(mode));
    FixedClock clock;
    AdaptivePractice practice(clock);
    // One note read fast many times, one always missed.
    AnswerRecord record{.AnsweredMs = clock.wall,
                        .InputMode = std::uint8_t(mode),
                        .Row = 0,
                        .Step = table[0].Step,
                        .Milliseconds = 900};
    for (int i = 0; i < 30; ++i)
        practice.Record(record, false);
    record.Row = 2;
    record.Step = table[2].Step;
    record.Result = Outcome::Wrong;
    for (int i = 0; i < 5; ++i)
        practice.Record(record, false);
    const auto map =
        MasteryMap(practice.Model(), table,
                   Settings{.InputMode = InputModes(mode), .StaffChoice = StaffChoices(staff)}, 0,
                   practice.Now());
    QCOMPARE(int(map.size()), notes);
    std::vector<NoteItem> items;
    for (const MasteryMark& mark : map) {
        const NoteItem item = ItemOfRow(table, mark.Row, std::uint8_t(mode));
        QVERIFY(std::find(items.begin(), items.end(), item) == items.end());
        QVERIFY(staff == AllStaves || item.Clef == staff);
        items.push_back(item);
        QCOMPARE(mark.Level, mark.Row == 0 ? MasteryLevels - 1 : mark.Row == 2 ? 1 : 0);
    }
}

void AdaptiveQuizTest::masteryMapShowsTheWeakestSpellingAsked_data() {
    QTest::addColumn<int>("accidentals");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("level");
    QTest::newRow("naturals") << int(NaturalsOnly) << 0 << MasteryLevels - 1;
    QTest::newRow("free sharps and flats") << int(SharpsAndFlats) << 0 << 1;
    QTest::newRow("C major") << int(InKey) << 0 << MasteryLevels - 1;
    QTest::newRow("C sharp major") << int(InKey) << 7 << 1;
}

void AdaptiveQuizTest::masteryMapShowsTheWeakestSpellingAsked() {
    QFETCH(int, accidentals);
    QFETCH(int, key);
    QFETCH(int, level);
    NoteTable table{};
    BuildNoteTable(table, NoteButtons);
    FixedClock clock;
    AdaptivePractice practice(clock);
    // A note of the treble staff whose letter takes a sharp in every mode.
    const auto shown = MasteryMap(practice.Model(), table, Settings{}, 0, practice.Now());
    const int row = std::find_if(shown.begin(), shown.end(), [&](const MasteryMark& mark) {
                        return std::string_view("CDFGA").find(table[std::size_t(mark.Row)].Letter) !=
                               std::string_view::npos;
                    })->Row;
    // The natural read fast many times, its sharp always missed.
    AnswerRecord record{
        .AnsweredMs = clock.wall, .Row = row, .Step = table[std::size_t(row)].Step, .Milliseconds = 900};
    for (int i = 0; i < 30; ++i)
        practice.Record(record, false);
    record.Alteration = 1;
    record.Result = Outcome::Wrong;
    for (int i = 0; i < 5; ++i)
        practice.Record(record, false);
    const auto map = MasteryMap(practice.Model(), table,
                                Settings{.Accidentals = AccidentalChoices(accidentals)}, key, practice.Now());
    const auto mark = std::find_if(map.begin(), map.end(), [&](const MasteryMark& m) { return m.Row == row; });
    QVERIFY(mark != map.end());
    QCOMPARE(mark->Level, level);
}

void AdaptiveQuizTest::fluencyCountsEachLocalDay() {
    FixedClock clock;
    constexpr std::int64_t Hour = 3600 * 1000;
    constexpr std::int64_t Offset = 2 * 3600; // two hours ahead of UTC
    // Local midnight of today, in UTC ms.
    const std::int64_t today = ((clock.wall / 1000 + Offset) / 86400 * 86400 - Offset) * 1000;
    clock.wall = today + 20 * Hour;
    AdaptivePractice practice(clock);
    const auto answer = [&](std::int64_t at, bool right, int ms) {
        practice.Record(AnswerRecord{.AnsweredMs = at,
                                     .Step = 12,
                                     .Result = right ? Outcome::Right : Outcome::Wrong,
                                     .Milliseconds = ms},
                        false);
    };
    answer(today + 1 * Hour, true, 1000);         // today, fluent
    answer(today + 2 * Hour, true, FluentMs + 1); // today, right but slow
    answer(today - 1 * Hour, true, 800);          // yesterday, late in the evening
    answer(today - 1 * Hour, false, 800);         // yesterday, wrong
    answer(today - 3 * 24 * Hour, true, 800);     // beyond the days asked for
    const auto days = practice.Fluency(3, Offset);
    QCOMPARE(int(days.size()), 3);
    QCOMPARE(days[0].Answers, 0);
    QCOMPARE(days[1].Answers, 2);
    QCOMPARE(days[1].Fluent, 1);
    QCOMPARE(days[2].Answers, 2);
    QCOMPARE(days[2].Fluent, 1);
    // Loaded again from a history that holds the same answers, the days read the same.
    std::vector<AnswerRecord> none;
    practice.LoadHistory(none);
    QCOMPARE(practice.Fluency(3, Offset)[1].Answers, 2);
}

QTEST_APPLESS_MAIN(AdaptiveQuizTest)
#include "tst_adaptivequiz.moc"
