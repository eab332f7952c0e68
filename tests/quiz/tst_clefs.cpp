// Clefs and ranges as a reader of music knows them: where each clef puts its notes, which notes a quiz in
// each clef asks as the level rises, how ranges are refused or kept, and how answers in every control are
// judged against the note written in that clef.
#include "AdaptivePractice.h"
#include "FixedClock.h"
#include "KeySignatures.h"
#include "MidiNotes.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"
#include "StaffPlan.h"

#include <QTest>

#include <set>

using namespace quavix;

namespace {

int StepOf(const char* itemText) {
    return ItemFromText(itemText).value().Step;
}

struct Rig {
    RecordingFrontEnd front;
    ClockSeededRandom random{777};
    Settings settings;
    QuizEngine quiz{front, random, settings};

    Rig(StaffChoices staff, InputModes mode = NoteButtons, int level = MaxLevel) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        settings.FullRange = mode != NoteButtons;
        settings.Level = level;
    }
    // Every note a full quiz of this rig may ask.
    std::set<std::pair<int, int>> Asked() {
        quiz.BuildNoteTable();
        quiz.BeginQuiz();
        std::set<std::pair<int, int>> notes;
        for (int row = 0; row < quiz.State.PoolSize; ++row)
            notes.insert({quiz.Table[row].Clef, quiz.Table[row].Step});
        quiz.EndQuiz();
        return notes;
    }
};

} // namespace

class ClefsTest : public QObject {
    Q_OBJECT

private slots:
    void linesOfEachClef_data();
    void linesOfEachClef();
    void ledgerLinesAwayFromTheStaff();
    void levelsGrowInsideTheRange_data();
    void levelsGrowInsideTheRange();
    void headsStandOnTheirClefsLines();
    void rangesAreRefusedOrKept();
    void storedRangeBeyondTheStaffFallsBack();
    void defaultChoicesAskWhatTheyAlwaysAsked();
    void answersFollowTheClef_data();
    void answersFollowTheClef();
    void octaveTrebleGuitarSoundsAnOctaveLower();
    void masteryCountsEachClefOnItsOwn();
};

void ClefsTest::linesOfEachClef_data() {
    QTest::addColumn<int>("clef");
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("position");
    QTest::newRow("alto: middle C on the middle line") << int(AltoClef) << "alto:C4" << 4;
    QTest::newRow("alto: F3 on the bottom line") << int(AltoClef) << "alto:F3" << 0;
    QTest::newRow("alto: G4 on the top line") << int(AltoClef) << "alto:G4" << 8;
    QTest::newRow("tenor: middle C on the fourth line") << int(TenorClef) << "tenor:C4" << 6;
    QTest::newRow("tenor: D3 on the bottom line") << int(TenorClef) << "tenor:D3" << 0;
    QTest::newRow("tenor: E4 on the top line") << int(TenorClef) << "tenor:E4" << 8;
    QTest::newRow("treble: G4 on the second line") << int(TrebleClef) << "treble:G4" << 2;
    QTest::newRow("bass: F3 on the fourth line") << int(BassClef) << "bass:F3" << 6;
    QTest::newRow("bass: middle C one ledger line up") << int(BassClef) << "bass:C4" << 10;
}

void ClefsTest::linesOfEachClef() {
    QFETCH(int, clef);
    QFETCH(QString, note);
    QFETCH(int, position);
    const int step = StepOf(qPrintable(note));
    QCOMPARE(StaffPosition(std::uint8_t(clef), step), position);
    QCOMPARE(StepAtPosition(std::uint8_t(clef), position), step);
}

void ClefsTest::ledgerLinesAwayFromTheStaff() {
    // Position -1 hangs under the bottom line without a line of its own; 10 stands on the first above.
    const std::pair<int, int> cases[] = {{-1, 0}, {-2, 1}, {-3, 1}, {-8, 4}, {0, 0},
                                         {8, 0},  {9, 0},  {10, 1}, {11, 1}, {16, 4}};
    for (auto [position, lines] : cases)
        QCOMPARE(LedgerLinesAt(position), lines);
}

void ClefsTest::levelsGrowInsideTheRange_data() {
    QTest::addColumn<int>("staff");
    QTest::newRow("alto") << int(AltoStaff);
    QTest::newRow("tenor") << int(TenorStaff);
    QTest::newRow("alto and treble") << int(AltoAndTreble);
    QTest::newRow("tenor and bass") << int(TenorAndBass);
}

// Each level keeps every note of the level below and every staff asked has at least two notes from the
// first level on; at the top level the whole range of each staff is asked, and nothing outside it.
void ClefsTest::levelsGrowInsideTheRange() {
    QFETCH(int, staff);
    std::set<std::pair<int, int>> below;
    for (int level = MinLevel; level <= MaxLevel; ++level) {
        Rig rig(StaffChoices(staff), NoteButtons, level);
        const auto asked = rig.Asked();
        QVERIFY(std::includes(asked.begin(), asked.end(), below.begin(), below.end()));
        const StaffPlan plan = PlanFor(rig.settings);
        for (int s = 0; s < plan.StaffCount(); ++s) {
            const std::uint8_t clef = plan.Clefs[s];
            const StepRange range = RangeInForce(rig.settings, plan, s);
            int inRange = 0;
            for (auto [c, step] : asked)
                if (c == clef) {
                    QVERIFY(range.Holds(step));
                    ++inRange;
                }
            QVERIFY(inRange >= 2);
            if (level == MaxLevel)
                QCOMPARE(inRange, range.Count());
        }
        below = asked;
    }
}

// The head of every note asked sits on its position's line or space of its own staff.
void ClefsTest::headsStandOnTheirClefsLines() {
    Rig rig(TenorAndBass);
    rig.settings.Ranges[TenorClef] = StepRange{StepOf("tenor:G2"), StepOf("tenor:A4")};
    rig.quiz.BuildNoteTable();
    rig.quiz.BeginQuiz();
    for (int row = 0; row < rig.quiz.State.PoolSize; ++row) {
        const NoteEntry& note = rig.quiz.Table[row];
        const int expectedTop = note.Clef == TenorClef ? TrebleStaffTop : BassStaffTop;
        QCOMPARE(int(note.StaffTop), expectedTop);
        const int headY = note.Top + HeadOffset(note.Glyph);
        QCOMPARE(headY, expectedTop + 40 - 5 * StaffPosition(note.Clef, note.Step));
        QCOMPARE(note.Letter, StepLetter(((note.Step % 7) + 7) % 7));
    }
}

void ClefsTest::rangesAreRefusedOrKept() {
    Settings settings;
    settings.StaffChoice = AltoStaff;
    const StepRange twoBelowFourAbove{StepOf("alto:B2"), StepOf("alto:A5")};
    settings = Choose(settings, RangeChoice(AltoClef, twoBelowFourAbove));
    QCOMPARE(settings.Ranges[AltoClef], twoBelowFourAbove);

    // One note, a range upside down and one past four ledger lines change nothing.
    const Settings before = settings;
    QCOMPARE(Choose(settings, RangeChoice(AltoClef, {10, 10})), before);
    QCOMPARE(Choose(settings, RangeChoice(AltoClef, {12, 11})).Ranges[AltoClef], StepRange{}); // a reset
    QCOMPARE(Choose(settings, RangeChoice(AltoClef, {StepOf("alto:B2"), StepOf("alto:B5")})), before);
    QCOMPARE(Choose(settings, RangeChoice(7, {10, 20})), before);
    QCOMPARE(CheckRange({10, 10}, WidestRange(AltoClef)), RangeProblem::TooFewNotes);

    // The staff's own range is kept as no range at all, so it asks what the level alone would.
    QCOMPARE(Choose(settings, RangeChoice(AltoClef, DefaultRange(AltoClef))).Ranges[AltoClef], StepRange{});
}

// A range kept from the single staff asks what the grand staff can draw of it, and one the grand staff
// cannot draw at all asks the staff's own range.
void ClefsTest::storedRangeBeyondTheStaffFallsBack() {
    Settings settings;
    settings.StaffChoice = AltoAndTreble;
    settings.Ranges[TrebleClef] = StepRange{StepOf("treble:D6"), StepOf("treble:G6")};
    const StaffPlan plan = PlanFor(settings);
    QCOMPARE(RangeInForce(settings, plan, 0), DefaultRange(TrebleClef));
    settings.Ranges[TrebleClef] = StepRange{StepOf("treble:A3"), StepOf("treble:G6")};
    QCOMPARE(RangeInForce(settings, plan, 0), (StepRange{StepOf("treble:A3"), StepOf("treble:A5")}));
}

void ClefsTest::defaultChoicesAskWhatTheyAlwaysAsked() {
    // The treble staff keeps its own keyboard; with a range of its own it may reach below middle C.
    Settings piano{.InputMode = PianoKeys, .StaffChoice = TrebleStaff, .FullRange = true};
    QCOMPARE(KeyboardLayoutFor(piano), std::uint8_t(1));
    piano = Choose(piano, RangeChoice(TrebleClef, {StepOf("treble:A3"), StepOf("treble:C6")}));
    QCOMPARE(KeyboardLayoutFor(piano), std::uint8_t(3));
    for (StaffChoices staff : {TrebleStaff, BassStaff, AllStaves}) {
        Settings settings;
        settings.StaffChoice = staff;
        QVERIFY(!UsesClefSet(settings));
        settings = Choose(settings, RangeChoice(TrebleClef, DefaultRange(TrebleClef)));
        QVERIFY(!UsesClefSet(settings));
        QCOMPARE(PlanFor(settings).Layout, StaffLayout::Grand);
    }
}

void ClefsTest::answersFollowTheClef_data() {
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("highestOnly"); // only the two notes beyond the keys of the full-range piano
    QTest::addColumn<int>("accidentals");
    QTest::addColumn<int>("key");
    QTest::newRow("alto, note buttons")
        << int(AltoStaff) << int(NoteButtons) << false << int(NaturalsOnly) << 0;
    QTest::newRow("alto, piano") << int(AltoStaff) << int(PianoKeys) << false << int(NaturalsOnly) << 0;
    QTest::newRow("treble, piano, above B5")
        << int(TrebleStaff) << int(PianoKeys) << true << int(NaturalsOnly) << 0;
    QTest::newRow("tenor and bass, piano")
        << int(TenorAndBass) << int(PianoKeys) << false << int(NaturalsOnly) << 0;
    QTest::newRow("alto and treble, note buttons")
        << int(AltoAndTreble) << int(NoteButtons) << false << int(NaturalsOnly) << 0;
    QTest::newRow("alto, sharps and flats, note buttons")
        << int(AltoStaff) << int(NoteButtons) << false << int(SharpsAndFlats) << 0;
    QTest::newRow("alto, sharps and flats, piano")
        << int(AltoStaff) << int(PianoKeys) << false << int(SharpsAndFlats) << 0;
    QTest::newRow("tenor and bass in C flat, piano")
        << int(TenorAndBass) << int(PianoKeys) << false << int(InKey) << -7;
    QTest::newRow("tenor in C sharp, note buttons")
        << int(TenorStaff) << int(NoteButtons) << false << int(InKey) << 7;
}

// Whatever note stands on the staff, its letter and sign (typed or a button) is right, the key it sounds is
// right from the piano and from a MIDI keyboard, and the same key an octave off is a wrong octave, also
// past the keys the piano judges otherwise and on the black keys below E2 and above F6.
void ClefsTest::answersFollowTheClef() {
    QFETCH(int, staff);
    QFETCH(int, mode);
    QFETCH(int, accidentals);
    QFETCH(int, key);
    Rig rig{StaffChoices(staff), InputModes(mode)};
    rig.settings.Accidentals = AccidentalChoices(accidentals);
    rig.settings.Key = key;
    // Far ledger lines both ways, so that notes past E2 and B5 are asked.
    rig.settings.Ranges[TenorClef] = WidestRange(TenorClef);
    rig.settings.Ranges[AltoClef] = WidestRange(AltoClef);
    QFETCH(bool, highestOnly);
    if (highestOnly)
        rig.settings.Ranges[TrebleClef] = {StepOf("treble:E6"), StepOf("treble:F6")};
    rig.quiz.BuildNoteTable();
    rig.quiz.BeginQuiz();
    // A wrong answer's message moves the quiz on too, so each turn asks two notes.
    for (int turn = 0; turn < NotesPerQuiz / 2; ++turn) {
        const NoteEntry asked = rig.quiz.AskedNote();
        const int sounded = SpelledKey(asked.Step, asked.Alteration);
        if (mode == NoteButtons) {
            const char wrong = asked.Letter == 'A' ? 'B' : 'A';
            QCOMPARE(rig.quiz.TakeAnswer(TypedAnswer(wrong, LetterNames, asked.Alteration)).What,
                     Verdict::WrongNote);
            rig.front.RemoveNoteMessage();
            rig.quiz.NoteMessageExpired();
        } else {
            const int octaveOff = asked.Step >= 12 ? sounded - 12 : sounded + 12;
            const AnswerResult result = rig.quiz.TakeAnswer(MidiAnswer(octaveOff, PianoKeys));
            QVERIFY2(result.What == Verdict::WrongOctave, qPrintable(QStringLiteral("step %1%2: %3 %4")
                                                                         .arg(asked.Step)
                                                                         .arg(asked.Alteration)
                                                                         .arg(int(result.What))
                                                                         .arg(int(result.Why))));
            rig.front.RemoveNoteMessage();
            rig.quiz.NoteMessageExpired();
        }
        const NoteEntry again = rig.quiz.AskedNote();
        const Answer right = mode == NoteButtons
                                 ? NoteButtonAnswer(again.Letter - 'A', again.Alteration)
                                 : MidiAnswer(SpelledKey(again.Step, again.Alteration), PianoKeys);
        const AnswerResult result = rig.quiz.TakeAnswer(right);
        QVERIFY2(result.What == Verdict::Right, qPrintable(QStringLiteral("step %1%2: %3 %4")
                                                               .arg(again.Step)
                                                               .arg(again.Alteration)
                                                               .arg(int(result.What))
                                                               .arg(int(result.Why))));
    }
    QVERIFY(!rig.quiz.State.Running);
}

// The guitar's notes stay where they are written; the octave-treble clef only names them for what they
// are, and a guitar key is still judged against the note written an octave above its sound.
void ClefsTest::octaveTrebleGuitarSoundsAnOctaveLower() {
    Rig rig(TrebleStaff, GuitarFrets, 1);
    rig.settings = Choose(rig.settings, {OptionChoice::Option::OctaveTreble, 1});
    rig.quiz.BuildNoteTable();
    QVERIFY(!UsesClefSet(rig.settings));
    QCOMPARE(rig.quiz.Table[0].Clef, std::uint8_t(OctaveTrebleClef));
    QCOMPARE(PlanFor(rig.settings).Clefs[0], std::uint8_t(OctaveTrebleClef));
    rig.quiz.BeginQuiz();
    const NoteEntry asked = rig.quiz.Table[rig.quiz.State.CurrentNote];
    const int sounding = MidiNoteOfStep(SoundingStep(OctaveTrebleClef, asked.Step));
    QCOMPARE(rig.quiz.TakeAnswer(MidiAnswer(sounding, GuitarFrets)).What, Verdict::Right);
}

// Middle C read many times in the alto clef is sure there and still unknown in the treble clef; the mastery
// map of an alto quiz shows every note of its range, each in the alto clef, on the rows the quiz asks.
void ClefsTest::masteryCountsEachClefOnItsOwn() {
    Rig rig(AltoStaff);
    rig.quiz.BuildNoteTable();
    const int rows = rig.quiz.ClefSetRows();
    QCOMPARE(rows, DefaultRange(AltoClef).Count());
    FixedClock clock;
    AdaptivePractice practice(clock);
    const int middleC = StepOf("alto:C4");
    AnswerRecord record{.AnsweredMs = clock.wall,
                        .InputMode = NoteButtons,
                        .Step = middleC,
                        .Staff = AltoClef,
                        .Milliseconds = 900};
    for (int i = 0; i < 30; ++i)
        practice.Record(record, false);
    QCOMPARE(MasteryLevel(practice.Model(), NoteItem{AltoClef, std::int16_t(middleC), 0}, practice.Now()),
             MasteryLevels - 1);
    QCOMPARE(MasteryLevel(practice.Model(), NoteItem{TrebleClef, std::int16_t(middleC), 0}, practice.Now()),
             0);
    const auto map =
        MasteryMap(practice.Model(), rig.quiz.Table, Settings{.StaffChoice = AltoStaff}, 0, practice.Now(), rows);
    QCOMPARE(int(map.size()), rows);
    for (const MasteryMark& mark : map) {
        const NoteItem item = ItemOfRow(rig.quiz.Table, mark.Row, NoteButtons);
        QCOMPARE(item.Clef, std::uint8_t(AltoClef));
        QCOMPARE(mark.Level, item.Step == middleC ? MasteryLevels - 1 : 0);
    }
}

QTEST_APPLESS_MAIN(ClefsTest)
#include "tst_clefs.moc"
