// Cost of one MIDI key from its arrival to the answer judged and the marker drawn: the fake MIDI layer
// delivers the key through the same link the window uses, the engine judges it and draws the next note on
// a real staff, and the instrument shows the held key; the release takes the marker away again.
#include "FakeMidiInput.h"
#include "InstrumentView.h"
#include "MidiKeyboard.h"
#include "MidiKeyboardLink.h"
#include "QuizEngine.h"
#include "StaffFrontEnd.h"
#include "StaffView.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

// The window's part: answers to the engine, held keys to the instrument.
class KeyboardFrontEnd final : public MidiKeyboardFrontEnd {
public:
    QuizEngine* engine = nullptr;
    InstrumentView* view = nullptr;
    const QuizFrontEnd* quizFront = nullptr;

    bool TakingAnswers() const override { return engine->State.Running && !quizFront->PopUpShowing(); }
    void Answer(int answerCode) override { engine->JudgeAnswer(answerCode); }
    void HoldKey(int step) override { view->HoldKey(step); }
    void LetGoKey(int step) override { view->LetGoKey(step); }
    void ReportIgnoredKey(int, MidiKeyProblem) override {}
};

struct Rig {
    Canvas staffCanvas{QSize(StaffView::Width, StaffView::Height)};
    Canvas instrumentCanvas{QSize(InstrumentView::Width, InstrumentView::Height)};
    Settings settings;
    StaffFrontEnd quizFront;
    ClockSeededRandom random{12345};
    QuizEngine engine{quizFront, random, settings};
    StaffView staff{staffCanvas, engine};
    InstrumentView view{instrumentCanvas, settings};
    KeyboardFrontEnd keyboardFront;
    MidiKeyboard keyboard{keyboardFront, settings};
    FakeMidiInput input;
    QObject context;
    MidiSourceId keys = 0;

    Rig(std::uint8_t mode, bool fullRange) {
        quizFront.staff = &staff;
        settings.InputMode = mode;
        settings.StaffChoice = mode == GuitarFrets ? std::uint8_t(TrebleStaff) : std::uint8_t(AllStaves);
        settings.FullRange = fullRange;
        engine.BuildNoteTable();
        engine.SetLevel(MaxLevel);
        view.pbxInstrumentPaint();
        staff.pbxStaffPaint();
        keyboardFront.engine = &engine;
        keyboardFront.view = &view;
        keyboardFront.quizFront = &quizFront;
        LinkMidiKeyboard(input, keyboard, &context);
        input.Open();
        keys = input.Plug(QStringLiteral("Keys"));
        engine.BeginQuiz();
    }
    int RightNote() const {
        const int step = engine.Table[engine.State.CurrentNote].Step;
        return MidiNoteOfStep(step - (settings.InputMode == GuitarFrets ? 7 : 0));
    }
};

// args: input mode, full range
void MidiKeyAnswered(benchmark::State& state) {
    Rig rig(static_cast<std::uint8_t>(state.range(0)), state.range(1) != 0);
    std::int64_t timeMs = 0;
    for (auto _ : state) {
        if (rig.engine.State.NotesLeft == 0) {
            state.PauseTiming();
            rig.engine.EndQuiz();
            rig.engine.BeginQuiz();
            state.ResumeTiming();
        }
        const int note = rig.RightNote();
        const int notesLeft = rig.engine.State.NotesLeft;
        timeMs += 100;
        rig.input.Press(rig.keys, note, timeMs);
        benchmark::DoNotOptimize(rig.staffCanvas.TakeDirty());
        benchmark::DoNotOptimize(rig.instrumentCanvas.TakeDirty());
        rig.input.Release(rig.keys, note, timeMs + 50);
        benchmark::DoNotOptimize(rig.instrumentCanvas.TakeDirty());
        if (rig.engine.State.NotesLeft != notesLeft - 1 && rig.engine.State.Running)
            state.SkipWithError("the key did not answer");
    }
}
BENCHMARK(MidiKeyAnswered)
    ->ArgNames({"mode", "full"})
    ->Args({PianoKeys, 0})
    ->Args({PianoKeys, 1})
    ->Args({GuitarFrets, 1})
    ->Args({NoteButtons, 0});

} // namespace

BENCHMARK_MAIN();
