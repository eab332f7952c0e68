#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

#include <map>
#include <memory>

using namespace quavix;

Q_DECLARE_METATYPE(quavix::Answer)
Q_DECLARE_METATYPE(quavix::Verdict)
Q_DECLARE_METATYPE(quavix::IgnoredBecause)
Q_DECLARE_METATYPE(quavix::NoteMessage)
Q_DECLARE_METATYPE(quavix::Settings)
Q_DECLARE_METATYPE(quavix::OptionChoice)

// A front end whose modal box can be opened and closed by the test.
class HoldingFrontEnd final : public RecordingFrontEnd {
public:
    bool held = false;
    bool AnswersHeld() const override { return held; }
};

// An engine wired to a recording front end and a seeded generator.
struct Rig {
    HoldingFrontEnd front;
    ClockSeededRandom random{12345};
    Settings settings;
    QuizEngine quiz{front, random, settings};

    explicit Rig(InputModes mode = NoteButtons, StaffChoices staff = TrebleStaff, int level = 1,
                 bool fullRange = false) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        settings.FullRange = fullRange || mode == GuitarFrets;
        settings.Level = level;
        quiz.BuildNoteTable();
    }
    const NoteEntry& Current() const { return quiz.Table[quiz.State.CurrentNote]; }
    AnswerResult Name(char letter) {
        return quiz.TakeAnswer(Answer::Named(letter, AnswerSource::NoteButton));
    }
    AnswerResult AnswerRight() { return Name(Current().Letter); }
    AnswerResult AnswerWrong() { return Name(Current().Letter == 'A' ? 'B' : 'A'); }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            quiz.tmrCountTimer();
    }
};

NoteMessage WrongNote(char picked, char asked) {
    return {NoteMessage::Kind::WrongNote, picked, asked};
}
const NoteMessage WrongOctave{NoteMessage::Kind::WrongOctave, 0, 0};

class QuizEngineTest : public QObject {
    Q_OBJECT

private slots:
    void poolSizes_data();
    void poolSizes();
    void drawsAreUniformOverAllowedRows();
    void pickNoteWithoutAChoiceReturns();
    void pointsBySecondsLeft_data();
    void pointsBySecondsLeft();
    void perfectQuizScores200();
    void verdicts_data();
    void verdicts();
    void judgedAnswersAreReported();
    void timeOutOnThirteenthTick();
    void counterTopSlidesDown();
    void lastNoteEndsQuiz();
    void endQuizLeavesScoreOnDisplay();
    void answersIgnoredWhileTheyCannotBeTaken();
    void messageAfterEndQuizRunsNoHiddenNotes();
    void staleMessageDoesNotMoveNewQuiz();
    void choices_data();
    void choices();
    void rightAnswerKeepsTimerPeriod();
    void scoreColour_data();
    void scoreColour();
};

void QuizEngineTest::poolSizes_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("guitar");
    const int staff[] = {4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26};
    const int guitar[] = {3, 6, 9, 12, 15, 18, 20, 22, 24, 26, 28, 30};
    for (int level = 1; level <= 12; ++level)
        QTest::addRow("level %d", level) << level << staff[level - 1] << guitar[level - 1];
}

void QuizEngineTest::poolSizes() {
    QFETCH(int, level);
    QFETCH(int, staff);
    QFETCH(int, guitar);
    for (InputModes mode : {NoteButtons, PianoKeys, GuitarFrets}) {
        Rig rig(mode, AllStaves, level);
        rig.quiz.BeginQuiz();
        QCOMPARE(rig.quiz.State.PoolSize, mode == GuitarFrets ? guitar : staff);
        QVERIFY(rig.quiz.State.CurrentNote < rig.quiz.State.PoolSize);
    }
}

void QuizEngineTest::drawsAreUniformOverAllowedRows() {
    // Treble at level 12: 13 rows. Without the no-repeat rule each row would come 1/13 of the time; with it,
    // still 1/13 by symmetry.
    Rig rig(NoteButtons, TrebleStaff, 12);
    rig.quiz.BeginQuiz();
    std::map<int, int> counts;
    const int draws = 130000;
    for (int i = 0; i < draws; ++i) {
        rig.quiz.PickNote();
        ++counts[rig.quiz.State.CurrentNote];
    }
    QCOMPARE(int(counts.size()), 13);
    for (auto [row, count] : counts) {
        QVERIFY(row % 2 == 0);
        QVERIFY2(std::abs(count - draws / 13) < draws / 13 / 10, qPrintable(QString::number(count)));
    }
}

void QuizEngineTest::pickNoteWithoutAChoiceReturns() {
    // A guitar pool of 3 picked row 1; then note buttons with the bass staff: only row 1 is allowed and it
    // was the previous pick. The pick must return, leaving the state inside the pool.
    Rig rig(GuitarFrets, TrebleStaff, 1);
    rig.quiz.BeginQuiz();
    rig.quiz.State.PreviousNote = 1;
    rig.quiz.State.CurrentNote = 1;
    rig.settings.InputMode = NoteButtons;
    rig.settings.StaffChoice = BassStaff;
    rig.quiz.State.PoolSize = 3;
    rig.quiz.PickNote();
    QCOMPARE(rig.quiz.State.CurrentNote, 1);
    rig.quiz.State.PoolSize = 0;
    rig.quiz.PickNote();
    QCOMPARE(rig.quiz.State.CurrentNote, 1);
}

void QuizEngineTest::pointsBySecondsLeft_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("points");
    QTest::newRow("12 left") << 0 << 10;
    QTest::newRow("11 left") << 1 << 10;
    QTest::newRow("10 left") << 2 << 10;
    QTest::newRow("9 left") << 3 << 9;
    QTest::newRow("1 left") << 11 << 1;
    QTest::newRow("0 left") << 12 << 0;
}

void QuizEngineTest::pointsBySecondsLeft() {
    QFETCH(int, ticks);
    QFETCH(int, points);
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.Ticks(ticks);
    rig.AnswerRight();
    QCOMPARE(rig.quiz.State.Score, points);
    QCOMPARE(rig.front.scoreCaption, std::to_string(points));
    QCOMPARE(rig.quiz.State.NotesLeft, 18); // moved on even with no points
}

void QuizEngineTest::perfectQuizScores200() {
    Rig rig(GuitarFrets, TrebleStaff, 12);
    rig.quiz.BeginQuiz();
    std::vector<int> xs;
    for (int note = 0; note < 20; ++note) {
        QVERIFY(rig.quiz.State.Running);
        xs.push_back(rig.quiz.NoteX());
        rig.Ticks(note % 3); // 12, 11 or 10 seconds left
        rig.AnswerRight();
    }
    QVERIFY(!rig.quiz.State.Running);
    QCOMPARE(rig.quiz.State.Score, 200);
    QCOMPARE(rig.front.scoreCaption, std::string("200"));
    QCOMPARE(rig.front.scoreColour, 0xFF2828u);
    QCOMPARE(xs.front(), 54);
    QCOMPARE(xs.back(), 244);
    QCOMPARE(rig.front.drawCount, 20);
}

namespace {
constexpr int C4 = 60;
constexpr int D4 = 62;
constexpr int B5 = 83;
constexpr int C6 = 84;
} // namespace

// Every source's answer goes through one call; the mode decides whether a key's octave counts.
void QuizEngineTest::verdicts_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("row");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<IgnoredBecause>("why");
    QTest::addColumn<int>("code");
    QTest::addColumn<NoteMessage>("message");
    const auto named = [](char letter) { return Answer::Named(letter, AnswerSource::TypedKey); };
    const auto key = [](int key) { return Answer::Sounded(key, AnswerSource::MidiKey); };
    const NoteMessage none;
    // Staff set row 0 is C4 (step 12), row 12 B4 (step 18); guitar row 7 is C5 (step 19).
    QTest::newRow("named, right") << 0 << false << 0 << named('C') << Verdict::Right
                                  << IgnoredBecause::Nothing << 102 << none;
    QTest::newRow("named, wrong") << 0 << false << 0 << named('E') << Verdict::WrongNote
                                  << IgnoredBecause::Nothing << 104 << WrongNote('E', 'C');
    QTest::newRow("named nothing") << 0 << false << 0 << named(0) << Verdict::Ignored
                                   << IgnoredBecause::NotANote << -1 << none;
    QTest::newRow("named past G") << 0 << false << 0 << named('H') << Verdict::Ignored
                                  << IgnoredBecause::NotANote << -1 << none;
    QTest::newRow("one octave, a key an octave up")
        << 1 << false << 0 << key(C4 + 12) << Verdict::Right << IgnoredBecause::Nothing << 102 << none;
    QTest::newRow("note buttons, a key far below the staves")
        << 0 << false << 0 << key(C4 - 36) << Verdict::Right << IgnoredBecause::Nothing << 102 << none;
    QTest::newRow("one octave, another letter") << 1 << false << 0 << key(D4) << Verdict::WrongNote
                                                << IgnoredBecause::Nothing << 103 << WrongNote('D', 'C');
    QTest::newRow("full range, exact")
        << 1 << true << 0 << key(C4) << Verdict::Right << IgnoredBecause::Nothing << 12 << none;
    QTest::newRow("full range, octave above") << 1 << true << 0 << key(C4 + 12) << Verdict::WrongOctave
                                              << IgnoredBecause::Nothing << 19 << WrongOctave;
    QTest::newRow("full range, octave below") << 1 << true << 0 << key(C4 - 12) << Verdict::WrongOctave
                                              << IgnoredBecause::Nothing << 5 << WrongOctave;
    QTest::newRow("full range, wrong key") << 1 << true << 0 << key(D4) << Verdict::WrongNote
                                           << IgnoredBecause::Nothing << 13 << WrongNote('D', 'C');
    QTest::newRow("B5 against B4") << 1 << true << 12 << key(B5) << Verdict::WrongOctave
                                   << IgnoredBecause::Nothing << 25 << WrongOctave;
    QTest::newRow("full range, beyond B5")
        << 1 << true << 0 << key(C6) << Verdict::Ignored << IgnoredBecause::OutsideNotes << -1 << none;
    QTest::newRow("full range, black key")
        << 1 << true << 0 << key(C4 + 1) << Verdict::Ignored << IgnoredBecause::BlackKey << -1 << none;
    QTest::newRow("note buttons, black key")
        << 0 << false << 0 << key(C4 + 1) << Verdict::Ignored << IgnoredBecause::BlackKey << -1 << none;
    QTest::newRow("guitar, written C5")
        << 2 << true << 7 << key(C4 + 12) << Verdict::Right << IgnoredBecause::Nothing << 19 << none;
    QTest::newRow("guitar, C6 against C5")
        << 2 << true << 7 << key(C6) << Verdict::WrongOctave << IgnoredBecause::Nothing << 26 << WrongOctave;
    QTest::newRow("guitar, below its open E")
        << 2 << true << 7 << key(50) << Verdict::Ignored << IgnoredBecause::OutsideNotes << -1 << none;
}

void QuizEngineTest::verdicts() {
    QFETCH(int, mode);
    QFETCH(bool, fullRange);
    QFETCH(int, row);
    QFETCH(Answer, answer);
    QFETCH(Verdict, verdict);
    QFETCH(IgnoredBecause, why);
    QFETCH(int, code);
    QFETCH(NoteMessage, message);
    Rig rig(InputModes(mode), AllStaves, 12, fullRange);
    rig.quiz.BeginQuiz();
    rig.quiz.State.CurrentNote = row;
    rig.Ticks(4);
    const int notesLeft = rig.quiz.State.NotesLeft;
    const AnswerResult result = rig.quiz.TakeAnswer(answer);
    QCOMPARE(result.What, verdict);
    QCOMPARE(result.Why, why);
    QCOMPARE(result.Code, code);
    QCOMPARE(result.AskedStep, rig.quiz.Table[row].Step);
    if (verdict == Verdict::Right) {
        QCOMPARE(rig.quiz.State.Score, 8);
        QCOMPARE(rig.quiz.State.NotesLeft, notesLeft - 1);
    } else {
        QCOMPARE(rig.quiz.State.Score, 0);
        QCOMPARE(rig.quiz.State.NotesLeft, notesLeft);
    }
    if (!result.Judged() || verdict == Verdict::Right) {
        QVERIFY(rig.front.messages.empty());
        return;
    }
    QCOMPARE(int(rig.front.messages.size()), 1);
    QCOMPARE(rig.front.messages[0].What, message.What);
    if (message.What == NoteMessage::Kind::WrongNote)
        QCOMPARE(rig.front.messages[0], message);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.counterCaption, std::string("8")); // the counter keeps the seconds that were left
}

// Whoever reacts to answers hears each judged one once the quiz has followed it, with the note that was
// asked (a right answer has already moved the staff on).
void QuizEngineTest::judgedAnswersAreReported() {
    Rig rig;
    rig.quiz.BeginQuiz();
    const int asked = rig.Current().Step;
    rig.AnswerRight();
    QCOMPARE(int(rig.front.judged.size()), 1);
    QCOMPARE(rig.front.judged[0].What, Verdict::Right);
    QCOMPARE(rig.front.judged[0].AskedStep, asked);
    rig.Name(0);
    rig.AnswerWrong();
    rig.AnswerRight(); // while the message shows
    QCOMPARE(int(rig.front.judged.size()), 2);
    QCOMPARE(rig.front.judged[1].What, Verdict::WrongNote);
}

void QuizEngineTest::timeOutOnThirteenthTick() {
    Rig rig(NoteButtons, AllStaves, 12);
    rig.quiz.BeginQuiz();
    rig.quiz.State.CurrentNote = 6; // F4
    rig.Ticks(12);
    QVERIFY(rig.front.messages.empty());
    QVERIFY(rig.front.counterVisible);
    QCOMPARE(rig.front.counterCaption, std::string("0"));
    rig.Ticks(1);
    QVERIFY(!rig.front.counterVisible);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    const NoteMessage outOfTime{NoteMessage::Kind::OutOfTime, 0, 'F'};
    QCOMPARE(int(rig.front.messages.size()), 1);
    QCOMPARE(rig.front.messages[0], outOfTime);
    // A tick that comes after the timer stopped changes nothing.
    rig.Ticks(3);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QCOMPARE(int(rig.front.messages.size()), 1);
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.quiz.State.SecondsLeft, 12);
    QCOMPARE(rig.quiz.State.NotesLeft, 18);
}

void QuizEngineTest::counterTopSlidesDown() {
    const int tops[] = {91, 87, 82, 77, 73, 68, 63, 59, 54, 49, 45, 40, 35};
    for (int s = 0; s <= 12; ++s)
        QCOMPARE(CounterTop(s), tops[s]);
}

void QuizEngineTest::lastNoteEndsQuiz() {
    Rig right;
    right.quiz.BeginQuiz();
    for (int i = 0; i < 19; ++i)
        right.AnswerRight();
    QCOMPARE(right.quiz.State.NotesLeft, 0);
    right.AnswerRight();
    QVERIFY(!right.quiz.State.Running);

    Rig wrong;
    wrong.quiz.BeginQuiz();
    for (int i = 0; i < 19; ++i)
        wrong.AnswerRight();
    wrong.AnswerWrong();
    QVERIFY(wrong.quiz.State.Running);
    wrong.front.ExpireMessage(wrong.quiz);
    QVERIFY(!wrong.quiz.State.Running);
    QVERIFY(wrong.front.states.BeginQuiz);
    QVERIFY(!wrong.front.counterVisible);
}

void QuizEngineTest::endQuizLeavesScoreOnDisplay() {
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.AnswerRight();
    rig.AnswerRight();
    const int erasesBefore = rig.front.eraseCount;
    rig.quiz.EndQuiz();
    QCOMPARE(rig.front.eraseCount, erasesBefore + 1);
    QCOMPARE(rig.front.scoreCaption, std::string("20"));
    QCOMPARE(rig.front.scoreColour, ScoreColour(20));
    QVERIFY(!rig.front.counterVisible);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.releases, 1);
    QVERIFY(rig.front.states.LevelSlider);
    rig.quiz.BeginQuiz();
    QCOMPARE(rig.front.scoreCaption, std::string("0"));
    QCOMPARE(rig.front.scoreColour, ScoreColour(0));
}

void QuizEngineTest::answersIgnoredWhileTheyCannotBeTaken() {
    Rig rig;
    QCOMPARE(rig.AnswerRight().Why, IgnoredBecause::NotRunning);
    rig.quiz.BeginQuiz();
    rig.front.held = true; // a modal box
    QCOMPARE(rig.AnswerRight().Why, IgnoredBecause::AnswersHeld);
    rig.front.held = false;
    QCOMPARE(rig.quiz.State.NotesLeft, 19);

    rig.AnswerWrong();
    const QuizState before = rig.quiz.State;
    const AnswerResult during = rig.AnswerRight();
    QCOMPARE(during.What, Verdict::Ignored);
    QCOMPARE(during.Why, IgnoredBecause::MessageShowing);
    QCOMPARE(rig.quiz.State.Score, before.Score);
    QCOMPARE(rig.quiz.State.NotesLeft, before.NotesLeft);
    QCOMPARE(int(rig.front.messages.size()), 1);
    rig.front.ExpireMessage(rig.quiz);

    // Out of time, an answer is too late until the message goes.
    rig.Ticks(CountdownStart + 1);
    const AnswerResult late = rig.AnswerRight();
    QCOMPARE(late.What, Verdict::TooLate);
    QCOMPARE(late.Why, IgnoredBecause::Nothing);
    QVERIFY(!late.Judged());
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.AnswerRight().What, Verdict::Right);
}

void QuizEngineTest::messageAfterEndQuizRunsNoHiddenNotes() {
    Rig rig(GuitarFrets, TrebleStaff, 1);
    rig.quiz.BeginQuiz();
    rig.AnswerWrong();
    rig.quiz.EndQuiz();
    // Settings unlock: a pool that could leave no row to choose.
    rig.settings.InputMode = NoteButtons;
    rig.settings.StaffChoice = BassStaff;
    rig.quiz.BuildNoteTable();
    const int draws = rig.front.drawCount;
    const QuizState before = rig.quiz.State;
    rig.front.ExpireMessage(rig.quiz);
    QVERIFY(!rig.front.messageShowing);
    QVERIFY(!rig.quiz.State.Running);
    QCOMPARE(rig.quiz.State.NotesLeft, before.NotesLeft);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.drawCount, draws);
}

void QuizEngineTest::staleMessageDoesNotMoveNewQuiz() {
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.AnswerWrong();
    rig.quiz.EndQuiz();
    QVERIFY(rig.front.messageShowing); // the message stays after End Quiz
    rig.quiz.BeginQuiz();
    QVERIFY(!rig.front.messageShowing); // a new quiz clears the old quiz's message
    QCOMPARE(rig.quiz.State.NotesLeft, 19);
    rig.quiz.NoteMessageExpired(); // a late expiry of the old message
    QCOMPARE(rig.quiz.State.NotesLeft, 19);
    rig.AnswerRight(); // answers are taken at once
    QCOMPARE(rig.quiz.State.NotesLeft, 18);
}

void QuizEngineTest::choices_data() {
    using Option = OptionChoice::Option;
    QTest::addColumn<Settings>("before");
    QTest::addColumn<OptionChoice>("choice");
    QTest::addColumn<Settings>("after");
    const Settings piano{.InputMode = PianoKeys, .StaffChoice = BassStaff, .Level = 5};
    QTest::newRow("level 12") << piano << OptionChoice{Option::Level, 12}
                              << Settings{.InputMode = PianoKeys, .StaffChoice = BassStaff, .Level = 12};
    QTest::newRow("level 13") << piano << OptionChoice{Option::Level, 13} << piano;
    QTest::newRow("level 0") << piano << OptionChoice{Option::Level, 0} << piano;
    QTest::newRow("no such staff") << piano << OptionChoice{Option::Staff, StaffChoiceCount} << piano;
    QTest::newRow("no such mode") << piano << OptionChoice{Option::InputMode, -1} << piano;
    // The guitar's notes are all written on the treble staff and answered exactly.
    const Settings guitar{.InputMode = GuitarFrets, .FullRange = true, .Level = 5};
    QTest::newRow("guitar") << piano << OptionChoice{Option::InputMode, GuitarFrets} << guitar;
    QTest::newRow("the piano after the guitar keeps its range")
        << guitar << OptionChoice{Option::InputMode, PianoKeys}
        << Settings{.InputMode = PianoKeys, .FullRange = true, .Level = 5};
    QTest::newRow("sound switches over")
        << piano << OptionChoice{Option::Sound}
        << Settings{.InputMode = PianoKeys, .StaffChoice = BassStaff, .Level = 5, .Sound = true};
    QTest::newRow("fixed do") << piano << OptionChoice{Option::NoteNames, FixedDo}
                              << Settings{.InputMode = PianoKeys,
                                          .StaffChoice = BassStaff,
                                          .Level = 5,
                                          .NoteNaming = FixedDo};
}

void QuizEngineTest::choices() {
    QFETCH(Settings, before);
    QFETCH(OptionChoice, choice);
    QFETCH(Settings, after);
    QVERIFY(Choose(before, choice) == after);
}

void QuizEngineTest::rightAnswerKeepsTimerPeriod() {
    Rig rig;
    rig.quiz.BeginQuiz();
    QCOMPARE(rig.front.timerStarts, 1);
    rig.AnswerRight();
    QCOMPARE(rig.front.timerStarts, 1); // still running: its period goes on
    rig.AnswerWrong();
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.front.timerStarts, 2); // stopped by the wrong answer, started afresh
}

void QuizEngineTest::scoreColour_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<uint>("colour");
    QTest::newRow("negative") << -5 << 0x282828u;
    QTest::newRow("0") << 0 << 0x282828u;
    QTest::newRow("1") << 1 << 0x292828u;
    QTest::newRow("100") << 100 << 0x8C2828u;
    QTest::newRow("199") << 199 << 0xEF2828u;
    QTest::newRow("200") << 200 << 0xFF2828u;
    QTest::newRow("beyond") << 5000 << 0xFF2828u;
}

void QuizEngineTest::scoreColour() {
    QFETCH(int, score);
    QFETCH(uint, colour);
    QCOMPARE(ScoreColour(score), colour);
}

QTEST_APPLESS_MAIN(QuizEngineTest)
#include "tst_quizengine.moc"
