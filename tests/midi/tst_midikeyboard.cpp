// MIDI keys as answers: a fake MIDI layer feeds the keyboard through the same link the window uses, and the
// answers go to a real quiz engine or are recorded.
#include "FakeMidiInput.h"
#include "MidiKeyboard.h"
#include "MidiKeyboardLink.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>
#include <random>

using namespace quavix;

namespace {

constexpr int C4 = 60;
constexpr int D4 = 62;
constexpr int E4 = 64;
constexpr int CSharp4 = 61;

// The keyboard's side of the window: answers go to the engine when there is one (and it takes them),
// else they are only recorded; the held key and the reports are recorded as well.
class KeyboardFront final : public MidiKeyboardFrontEnd {
public:
    bool taking = true; // without an engine
    QuizEngine* engine = nullptr;
    const RecordingFrontEnd* quizFront = nullptr;

    std::vector<int> answers;
    std::vector<QString> holds; // "hold 12", "let go 12"
    int heldStep = -1;
    bool heldTwice = false; // a key was held while another still was
    std::vector<std::pair<int, MidiKeyProblem>> reports;

    bool TakingAnswers() const override {
        if (engine)
            return engine->State.Running && !quizFront->PopUpShowing();
        return taking;
    }
    void Answer(int code) override {
        answers.push_back(code);
        if (engine)
            engine->JudgeAnswer(code);
    }
    void HoldKey(int step) override {
        heldTwice = heldTwice || heldStep >= 0;
        heldStep = step;
        holds.push_back(QStringLiteral("hold %1").arg(step));
    }
    void LetGoKey(int step) override {
        if (step != heldStep)
            heldTwice = true; // let go of a key that was not held: the two sides disagree
        heldStep = -1;
        holds.push_back(QStringLiteral("let go %1").arg(step));
    }
    void ReportIgnoredKey(int note, MidiKeyProblem problem) override { reports.emplace_back(note, problem); }
};

// A fake MIDI layer with one keyboard plugged in, linked to the MIDI keyboard, optionally over a quiz.
struct Rig {
    Settings settings{PianoKeys, TrebleStaff, true, false};
    FakeMidiInput input;
    KeyboardFront front;
    MidiKeyboard keyboard{front, settings};
    QObject context;
    MidiSourceId keys = 0;

    RecordingFrontEnd quizFront;
    ClockSeededRandom random{4242};
    std::unique_ptr<QuizEngine> quiz;

    Rig() {
        LinkMidiKeyboard(input, keyboard, &context);
        input.Open();
        keys = input.Plug(QStringLiteral("Keys"));
    }

    // Plays into a running quiz in the given mode.
    void StartQuiz(std::uint8_t mode, bool fullRange, std::uint8_t staff = TrebleStaff, int level = 4) {
        settings = Settings{mode, mode == GuitarFrets ? std::uint8_t(TrebleStaff) : staff, fullRange, false};
        quiz = std::make_unique<QuizEngine>(quizFront, random, settings);
        quizFront.engine = quiz.get();
        quiz->BuildNoteTable();
        quiz->SetLevel(level);
        front.engine = quiz.get();
        front.quizFront = &quizFront;
        quiz->BeginQuiz();
    }
    const NoteEntry& Current() const { return quiz->Table[quiz->State.CurrentNote]; }
    // The MIDI key that sounds the note on the staff (the guitar sounds an octave below its writing).
    int CurrentNote() const {
        return MidiNoteOfStep(Current().Step - (settings.InputMode == GuitarFrets ? 7 : 0));
    }
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
    void vanishedSourceLetsGoOfItsKey();
    void switchedOffSourceLetsGoAndFallsSilent();
    void lostEventsLetGo();
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
    rig.StartQuiz(static_cast<std::uint8_t>(mode), fullRange);
    for (int i = 0; i < 5; ++i) {
        const int notesLeft = rig.quiz->State.NotesLeft;
        const int note = rig.CurrentNote() + 12 * octaves;
        rig.input.Press(rig.keys, note, 1000 * i);
        // Judged on the way down, before any release.
        QVERIFY2(rig.quizFront.messages.empty(),
                 rig.quizFront.messages.empty() ? "" : rig.quizFront.messages.back().c_str());
        QCOMPARE(rig.quiz->State.NotesLeft, notesLeft - 1);
        rig.input.Release(rig.keys, note, 1000 * i + 100);
    }
    QCOMPARE(rig.quiz->State.Score, 50);
}

void TestMidiKeyboard::exactNoteInstrumentsJudgeTheOctave() {
    Rig rig;
    rig.StartQuiz(PianoKeys, true, AllStaves);
    rig.input.Press(rig.keys, rig.CurrentNote() + (rig.Current().Step >= 12 ? -12 : 12), 0);
    QCOMPARE(rig.quizFront.messages.size(), std::size_t(1));
    QCOMPARE(rig.quizFront.messages.back(), std::string("You picked the right note but in the wrong octave"));

    // Keys beyond the keyboard on screen still judge their octave: the treble keyboard starts at C4, and
    // C3 is no C4.
    Rig low;
    low.StartQuiz(PianoKeys, true, TrebleStaff, 1); // level 1 asks C4 or D4 only
    const int wrongOctave = low.CurrentNote() - 12;
    QVERIFY(MidiKeyFor(wrongOctave, PianoKeys, true).Problem == MidiKeyProblem::None);
    low.input.Press(low.keys, wrongOctave, 0);
    QCOMPARE(low.quizFront.messages.back(), std::string("You picked the right note but in the wrong octave"));
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
    const bool blackFirst = QByteArray(QTest::currentDataTag()).startsWith("black");
    const int notes[] = {blackFirst ? CSharp4 : C4, E4, 67, 72, 76};
    for (qsizetype i = 0; i < times.size(); ++i)
        rig.input.Press(rig.keys, notes[i], 5000 + times[i]);
    QCOMPARE(static_cast<int>(rig.front.answers.size()), answers);
    if (!rig.front.answers.empty())
        QCOMPARE(rig.front.answers.front(), 12); // the chord's first note, C4
}

void TestMidiKeyboard::heldKeyFollowsTheLastKeyDown() {
    Rig rig;
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Release(rig.keys, D4, 10);     // another key's release changes nothing
    rig.input.Press(rig.keys, CSharp4, 100); // a black key takes nothing
    rig.input.Press(rig.keys, E4, 110);      // within the black key's chord: ignored
    QCOMPARE(rig.front.holds, (std::vector<QString>{"hold 12"}));
    rig.input.Press(rig.keys, D4, 200); // legato: the new key takes over
    rig.input.Release(rig.keys, C4, 210);
    rig.input.Release(rig.keys, D4, 300);
    QCOMPARE(rig.front.holds, (std::vector<QString>{"hold 12", "let go 12", "hold 13", "let go 13"}));
    QVERIFY(!rig.keyboard.HeldStep());
    QVERIFY(!rig.front.heldTwice);

    // The note buttons hold no instrument key, and neither does a key the guitar has no fret for.
    rig.settings.InputMode = NoteButtons;
    rig.input.Press(rig.keys, C4, 1000);
    rig.settings.InputMode = GuitarFrets;
    rig.input.Press(rig.keys, 96, 2000);
    QCOMPARE(rig.front.holds.size(), std::size_t(4));
}

void TestMidiKeyboard::ignoredOutsideQuizAndDuringMessage() {
    Rig rig;
    rig.StartQuiz(PianoKeys, true);
    rig.quiz->EndQuiz();
    const int score = rig.quiz->State.Score;
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Press(rig.keys, CSharp4, 100);
    QVERIFY(rig.front.answers.empty());
    QVERIFY(rig.front.reports.empty());
    // The key is still shown held, as a click outside a quiz shows it.
    QCOMPARE(rig.front.heldStep, 12);
    QCOMPARE(rig.quiz->State.Score, score);

    rig.quiz->BeginQuiz();
    rig.input.Press(rig.keys, MidiNoteOfStep(rig.Current().Step + 1), 200);
    QCOMPARE(rig.quizFront.messages.size(), std::size_t(1));
    rig.input.Press(rig.keys, rig.CurrentNote(), 300);
    rig.input.Press(rig.keys, CSharp4, 400);
    QCOMPARE(rig.front.answers.size(), std::size_t(1));
    QVERIFY(rig.front.reports.empty());
    QCOMPARE(rig.quizFront.messages.size(), std::size_t(1));
}

void TestMidiKeyboard::unjudgedKeysReportedOnce() {
    Rig rig;
    rig.input.Press(rig.keys, CSharp4, 0);
    rig.input.Press(rig.keys, 66, 100);
    rig.input.Press(rig.keys, 21, 200); // A0, far below the full-range keyboard
    rig.input.Press(rig.keys, 120, 300);
    rig.input.Press(rig.keys, 70, 400);
    using P = MidiKeyProblem;
    QCOMPARE(rig.front.reports,
             (std::vector<std::pair<int, P>>{{CSharp4, P::BlackKey}, {21, P::OutsideNotes}}));
    QVERIFY(rig.front.answers.empty());
    QVERIFY(rig.front.holds.empty());
    // Once a key answers, the next stray key is told again.
    rig.input.Press(rig.keys, C4, 500);
    rig.input.Press(rig.keys, 70, 600);
    QCOMPARE(rig.front.reports.size(), std::size_t(3));
}

void TestMidiKeyboard::vanishedSourceLetsGoOfItsKey() {
    Rig rig;
    const MidiSourceId other = rig.input.Plug(QStringLiteral("Pads"));
    rig.input.Press(rig.keys, C4, 0);
    rig.input.Unplug(other); // another device going changes nothing
    QCOMPARE(rig.front.heldStep, 12);
    rig.input.Unplug(rig.keys); // gone in the middle of the note: its release never comes
    QCOMPARE(rig.front.heldStep, -1);
    QVERIFY(!rig.keyboard.HeldStep());
    rig.input.Release(rig.keys, C4, 50); // a late event of the vanished device reaches nothing
    rig.input.Press(rig.keys, E4, 100);
    QCOMPARE(rig.front.holds, (std::vector<QString>{"hold 12", "let go 12"}));
}

void TestMidiKeyboard::switchedOffSourceLetsGoAndFallsSilent() {
    Rig rig;
    rig.input.Press(rig.keys, C4, 0);
    rig.input.SetSourceEnabled(rig.keys, false);
    QCOMPARE(rig.front.heldStep, -1);
    rig.input.Press(rig.keys, E4, 100);
    QCOMPARE(rig.front.answers.size(), std::size_t(1));
    rig.input.SetSourceEnabled(rig.keys, true);
    rig.input.Press(rig.keys, E4, 200);
    QCOMPARE(rig.front.answers.size(), std::size_t(2));
    QCOMPARE(rig.front.heldStep, 14);
}

void TestMidiKeyboard::lostEventsLetGo() {
    Rig rig;
    rig.input.Press(rig.keys, C4, 0);
    rig.input.LoseEvents();
    QCOMPARE(rig.front.heldStep, -1);
    rig.input.Release(rig.keys, C4, 10);
    QCOMPARE(rig.front.holds, (std::vector<QString>{"hold 12", "let go 12"}));
}

// 100,000 events from three devices into a running quiz: keys struck and released at random, many never
// released, chords, black keys, keys far out of range, devices coming and going. The held key and the
// quiz stay consistent, and the last events cost what the first did.
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
        if (rig.quizFront.messageShowing && below(20) == 0)
            rig.quizFront.ExpireMessage(*rig.quiz);
        if (!rig.quiz->State.Running)
            rig.quiz->BeginQuiz();

        if (rig.front.heldTwice)
            QFAIL(qPrintable(QStringLiteral("held keys disagree after event %1").arg(i)));
        const std::optional<int> held = rig.keyboard.HeldStep();
        if ((held ? *held : -1) != rig.front.heldStep)
            QFAIL(
                qPrintable(QStringLiteral("the keyboard and the instrument disagree after event %1").arg(i)));
        const QuizState& s = rig.quiz->State;
        if (s.Score < 0 || s.Score > MaxScore || s.NotesLeft < 0 || s.NotesLeft >= NotesPerQuiz ||
            s.CurrentNote < 0 || s.CurrentNote >= s.PoolSize)
            QFAIL(qPrintable(QStringLiteral("quiz state broken after event %1").arg(i)));
    }
    const qint64 secondHalfNs = clock.nsecsElapsed() - firstHalfNs;
    qInfo("%zu answers, %zu messages", rig.front.answers.size(), rig.quizFront.messages.size());
    QVERIFY(rig.front.answers.size() > 500);
    QVERIFY(rig.quizFront.messages.size() > 100);
    // No slow-down: the second half of the flood costs about what the first did.
    QVERIFY2(secondHalfNs < 3 * firstHalfNs + 20'000'000,
             qPrintable(QStringLiteral("first half %1 ms, second half %2 ms")
                            .arg(firstHalfNs / 1e6)
                            .arg(secondHalfNs / 1e6)));
    qInfo("100,000 events in %.1f ms", static_cast<double>(clock.nsecsElapsed()) / 1e6);
}

QTEST_GUILESS_MAIN(TestMidiKeyboard)
#include "tst_midikeyboard.moc"
