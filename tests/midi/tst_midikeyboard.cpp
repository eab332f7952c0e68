// MIDI keys as answers and held keys: a fake MIDI layer feeds the keyboard through the same link the window
// uses; the answers go to a real quiz engine and the keys to the press protocol, whose observers record
// what a player would see and hear.
#include "FakeMidiInput.h"
#include "MidiKeyboard.h"
#include "MidiKeyboardLink.h"
#include "MidiNotes.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QElapsedTimer>
#include <QTest>

#include <random>
#include <set>

using namespace quavix;

namespace {

constexpr int C4 = 60;
constexpr int D4 = 62;
constexpr int E4 = 64;
constexpr int CSharp4 = 61;

// A front end whose messages can be told not to hold answers up, so every key's verdict can be counted.
class KeyFront final : public RecordingFrontEnd {
public:
    bool messagesHoldAnswers = true;
    bool PopUpShowing() const override { return messagesHoldAnswers && messageShowing; }
};

// What the instrument and the sound see of the presses: the marker's moves and the keys sounding.
class PressRecord final : public KeyPressObserver {
public:
    std::vector<QString> holds; // "hold 12", "let go"
    int heldStep = -1;
    std::set<std::pair<MidiSourceId, int>> sounding;
    int strikes = 0;

    void KeyDown(const KeyPress& press) override {
        ++strikes;
        sounding.emplace(press.By.Source, press.Key);
    }
    void KeyUp(const KeyPress& press) override { sounding.erase({press.By.Source, press.Key}); }
    void KeyMoved(const KeyPress&, const KeyPress&) override {}
    void HolderChanged(const KeyPress* holder) override {
        heldStep = holder && holder->Spot ? holder->Spot->Step : -1;
        holds.push_back(holder ? QStringLiteral("hold %1").arg(heldStep) : QStringLiteral("let go"));
    }
};

// A fake MIDI layer with one keyboard plugged in, linked to the MIDI keyboard over a quiz, by default
// running on the full-range treble piano.
struct Rig {
    Settings settings{PianoKeys, TrebleStaff, true};
    KeyFront front;
    ClockSeededRandom random{4242};
    QuizEngine quiz{front, random, settings};
    KeyPresses presses;
    PressRecord record;
    MidiKeyboard keyboard{quiz, presses};
    FakeMidiInput input;
    QObject context;
    MidiSourceId keys = 0;
    std::vector<std::pair<int, IgnoredBecause>> reports;

    explicit Rig(bool running = true) {
        presses.AddObserver(&record);
        settings.Level = 4;
        quiz.BuildNoteTable();
        LinkMidiKeyboard(input, keyboard, &context,
                         [this](int note, IgnoredBecause why) { reports.emplace_back(note, why); });
        input.Open();
        keys = input.Plug(QStringLiteral("Keys"));
        if (running)
            quiz.BeginQuiz();
    }
    // Plays into a new quiz in the given mode.
    void StartQuiz(InputModes mode, bool fullRange, StaffChoices staff = TrebleStaff, int level = 4) {
        quiz.EndQuiz();
        settings = Choose(Settings{mode, staff, fullRange, level}, {OptionChoice::Option::InputMode, mode});
        quiz.BuildNoteTable();
        quiz.BeginQuiz();
    }
    const NoteEntry& Current() const { return quiz.Table[quiz.State.CurrentNote]; }
    // The MIDI key that sounds the note on the staff (the guitar sounds an octave below its writing).
    int CurrentNote() const {
        return MidiNoteOfStep(Current().Step - (settings.InputMode == GuitarFrets ? 7 : 0));
    }
    int Judged() const { return static_cast<int>(front.judged.size()); }
};

} // namespace

class TestMidiKeyboard : public QObject {
    Q_OBJECT

private slots:
    void rightKeyAnswersOnKeyDown_data();
    void rightKeyAnswersOnKeyDown();
    void exactNoteInstrumentsJudgeTheOctave();
    void chords_data();
    void chords();
    void heldKeyFollowsTheLastKeyDown();
    void ignoredOutsideQuizAndDuringMessage();
    void unjudgedKeysReportedOnce();
    void keysGoUpWhenTheirReleaseCannotCome();
    void flood();
};

void TestMidiKeyboard::rightKeyAnswersOnKeyDown_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("octaves"); // played this many octaves away from the written note
    QTest::newRow("note buttons, two octaves down") << 0 << false << -2;
    QTest::newRow("single octave, an octave up") << 1 << false << 1;
    QTest::newRow("full range") << 1 << true << 0;
    QTest::newRow("guitar, as it sounds") << 2 << true << 0;
}

void TestMidiKeyboard::rightKeyAnswersOnKeyDown() {
    QFETCH(int, mode);
    QFETCH(bool, fullRange);
    QFETCH(int, octaves);
    Rig rig;
    rig.StartQuiz(InputModes(mode), fullRange);
    for (int i = 0; i < 5; ++i) {
        const int notesLeft = rig.quiz.State.NotesLeft;
        const int note = rig.CurrentNote() + 12 * octaves;
        rig.input.Press(rig.keys, note, 1000 * i);
        // Judged on the way down, before any release.
        QVERIFY(rig.front.messages.empty());
        QCOMPARE(rig.quiz.State.NotesLeft, notesLeft - 1);
        rig.input.Release(rig.keys, note, 1000 * i + 100);
    }
    QCOMPARE(rig.quiz.State.Score, 50);
}

void TestMidiKeyboard::exactNoteInstrumentsJudgeTheOctave() {
    // Keys beyond the keyboard on screen still judge their octave: the treble keyboard starts at C4, and
    // C3 is no C4.
    Rig rig;
    rig.StartQuiz(PianoKeys, true, TrebleStaff, 1); // level 1 asks C4 or D4 only
    rig.input.Press(rig.keys, rig.CurrentNote() - 12, 0);
    QCOMPARE(rig.front.messages.size(), std::size_t(1));
    QCOMPARE(rig.front.messages.back().What, NoteMessage::Kind::WrongOctave);
}

void TestMidiKeyboard::chords_data() {
    QTest::addColumn<QList<int>>("times"); // note-on times in ms, each a different key
    QTest::addColumn<int>("answers");
    QTest::newRow("struck together") << QList<int>{0, 0, 0} << 1;
    QTest::newRow("rolled within 30 ms") << QList<int>{0, 12, 29} << 1;
    QTest::newRow("30 ms apart") << QList<int>{0, 30} << 2;
    // The window runs from the chord's first note, so a fast run still answers every 30 ms.
    QTest::newRow("run every 20 ms") << QList<int>{0, 20, 40, 60, 80} << 3;
    QTest::newRow("black key opens the chord") << QList<int>{0, 10} << 0;
}

void TestMidiKeyboard::chords() {
    QFETCH(QList<int>, times);
    QFETCH(int, answers);
    Rig rig;
    rig.front.messagesHoldAnswers = false;
    const bool blackFirst = QByteArray(QTest::currentDataTag()).startsWith("black");
    const int notes[] = {blackFirst ? CSharp4 : C4, E4, 67, 72, 76};
    for (qsizetype i = 0; i < times.size(); ++i)
        rig.input.Press(rig.keys, notes[i], 5000 + times[i]);
    QCOMPARE(rig.Judged(), answers);
    if (answers > 0)
        QCOMPARE(rig.front.judged.front().Code, 12); // the chord's first note, C4
    // Every key of the chord sounds, answering or not.
    QCOMPARE(rig.record.strikes, int(times.size()));
}

void TestMidiKeyboard::heldKeyFollowsTheLastKeyDown() {
    Rig rig(false);
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Release(rig.keys, D4, 10);     // another key's release changes nothing
    rig.input.Press(rig.keys, CSharp4, 100); // a black key takes nothing
    rig.input.Press(rig.keys, E4, 110);      // within the black key's chord: ignored
    QCOMPARE(rig.record.holds, (std::vector<QString>{"hold 12"}));
    rig.input.Press(rig.keys, D4, 200); // legato: the new key takes over
    rig.input.Release(rig.keys, C4, 210);
    rig.input.Release(rig.keys, D4, 300);
    QCOMPARE(rig.record.holds, (std::vector<QString>{"hold 12", "hold 13", "let go"}));
    QVERIFY(!rig.presses.Holder());

    // The note buttons show no instrument key, and the guitar no key it has no fret for; both still take
    // the instrument from the key before them.
    rig.settings.InputMode = NoteButtons;
    rig.input.Press(rig.keys, C4, 1000);
    rig.settings.InputMode = GuitarFrets;
    rig.input.Press(rig.keys, 84, 2000); // C6 sounds the written C7
    QCOMPARE(rig.record.heldStep, -1);
    QCOMPARE(rig.record.holds.size(), std::size_t(4));
}

void TestMidiKeyboard::ignoredOutsideQuizAndDuringMessage() {
    Rig rig(false);
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Press(rig.keys, CSharp4, 100);
    QCOMPARE(rig.Judged(), 0);
    QVERIFY(rig.reports.empty());
    // The key is still shown held, as a click outside a quiz shows it.
    QCOMPARE(rig.record.heldStep, 12);
    QCOMPARE(rig.quiz.State.Score, 0);

    rig.quiz.BeginQuiz();
    rig.input.Press(rig.keys, MidiNoteOfStep(rig.Current().Step + 1), 200);
    QCOMPARE(rig.front.messages.size(), std::size_t(1));
    rig.input.Press(rig.keys, rig.CurrentNote(), 300);
    rig.input.Press(rig.keys, CSharp4, 400);
    QCOMPARE(rig.Judged(), 1);
    QVERIFY(rig.reports.empty());
    QCOMPARE(rig.front.messages.size(), std::size_t(1));
}

void TestMidiKeyboard::unjudgedKeysReportedOnce() {
    Rig rig;
    rig.front.messagesHoldAnswers = false;
    rig.input.Press(rig.keys, CSharp4, 0);
    rig.input.Press(rig.keys, 66, 100);
    rig.input.Press(rig.keys, 21, 200); // A0, far below the full-range keyboard
    rig.input.Press(rig.keys, 120, 300);
    rig.input.Press(rig.keys, 70, 400);
    using Why = IgnoredBecause;
    QCOMPARE(rig.reports,
             (std::vector<std::pair<int, Why>>{{CSharp4, Why::BlackKey}, {21, Why::OutsideNotes}}));
    QCOMPARE(rig.Judged(), 0);
    QVERIFY(rig.record.holds.empty());
    // Once a key answers, the next stray key is told again.
    rig.input.Press(rig.keys, C4, 500);
    rig.input.Press(rig.keys, 70, 600);
    QCOMPARE(rig.reports.size(), std::size_t(3));
}

// A source that stops (unplugged, switched off) or events that were lost: its keys go up, sound and marker.
void TestMidiKeyboard::keysGoUpWhenTheirReleaseCannotCome() {
    Rig rig(false);
    const MidiSourceId pads = rig.input.Plug(QStringLiteral("Pads"));
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Press(pads, C4, 100); // the same pitch on another device is another key
    rig.input.Unplug(pads);
    QCOMPARE(rig.record.sounding, (std::set<std::pair<MidiSourceId, int>>{{rig.keys, C4}}));
    QCOMPARE(rig.record.heldStep, -1); // the key that held the instrument went with its device
    rig.input.Release(pads, C4, 150);  // a late event of the vanished device reaches nothing

    rig.input.Press(rig.keys, E4, 200);
    rig.input.SetSourceEnabled(rig.keys, false);
    QVERIFY(rig.record.sounding.empty());
    QCOMPARE(rig.record.heldStep, -1);
    rig.input.SetSourceEnabled(rig.keys, true);
    rig.input.Press(rig.keys, E4, 300);
    QCOMPARE(rig.record.heldStep, 14);
    rig.input.LoseEvents();
    QVERIFY(rig.record.sounding.empty());
    QCOMPARE(rig.record.heldStep, -1);
    QVERIFY(rig.presses.Down().empty());
}

// 100,000 events from three devices into a running quiz: keys struck and released at random, many never
// released, chords, black keys, keys far out of range, devices coming and going. What the observers were
// told always matches the one record of keys down, and the last events cost what the first did.
void TestMidiKeyboard::flood() {
    Rig rig;
    rig.StartQuiz(PianoKeys, true, AllStaves, 12);
    std::vector<MidiSourceId> sources = {rig.keys, rig.input.Plug(QStringLiteral("Pads")),
                                         rig.input.Plug(QStringLiteral("Pedal board"))};
    std::mt19937 generator(7);
    auto below = [&](int n) { return static_cast<int>(generator() % static_cast<unsigned>(n)); };

    constexpr int Events = 100000;
    std::int64_t timeMs = 0;
    qint64 firstHalfNs = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Events; ++i) {
        if (i == Events / 2)
            firstHalfNs = clock.nsecsElapsed();
        timeMs += below(4);
        const int pick = below(1000);
        MidiSourceId& source = sources[static_cast<std::size_t>(below(3))];
        if (pick < 3) {
            rig.input.Unplug(source);
            source = rig.input.Plug(QStringLiteral("Replugged"));
        } else if (pick < 5) {
            rig.input.LoseEvents();
        } else if (pick < 500) {
            rig.input.Press(source, below(128), timeMs, 1 + below(127));
        } else {
            rig.input.Release(source, below(128), timeMs);
        }
        // The window lets each feedback message expire and starts the next quiz.
        if (rig.front.messageShowing && below(20) == 0)
            rig.front.ExpireMessage(rig.quiz);
        if (!rig.quiz.State.Running)
            rig.quiz.BeginQuiz();

        std::set<std::pair<MidiSourceId, int>> down;
        for (const KeyPress& press : rig.presses.Down())
            down.emplace(press.By.Source, press.Key);
        if (down != rig.record.sounding)
            QFAIL(qPrintable(QStringLiteral("the sound and the keys down disagree after event %1").arg(i)));
        const KeyPress* holder = rig.presses.Holder();
        if ((holder ? holder->Spot->Step : -1) != rig.record.heldStep)
            QFAIL(qPrintable(QStringLiteral("the marker and the holder disagree after event %1").arg(i)));
        const QuizState& s = rig.quiz.State;
        if (s.Score < 0 || s.Score > MaxScore || s.NotesLeft < 0 || s.NotesLeft >= NotesPerQuiz ||
            s.CurrentNote < 0 || s.CurrentNote >= s.PoolSize)
            QFAIL(qPrintable(QStringLiteral("quiz state broken after event %1").arg(i)));
    }
    const qint64 secondHalfNs = clock.nsecsElapsed() - firstHalfNs;
    QVERIFY(rig.Judged() > 500);
    QVERIFY(rig.front.messages.size() > 100);
    // No slow-down: the second half of the flood costs about what the first did.
    QVERIFY2(secondHalfNs < 3 * firstHalfNs + 20'000'000,
             qPrintable(QStringLiteral("first half %1 ms, second half %2 ms")
                            .arg(firstHalfNs / 1e6)
                            .arg(secondHalfNs / 1e6)));
}

QTEST_GUILESS_MAIN(TestMidiKeyboard)
#include "tst_midikeyboard.moc"
