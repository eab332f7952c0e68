// Cost of one MIDI key from its arrival to the answer judged and the marker drawn: the fake MIDI layer
// delivers the key through the same link the window uses, the key goes down through the press protocol and
// the instrument shows it, the engine judges it and draws the next note on a real staff; the release takes
// the marker away again.
#include "FakeMidiInput.h"
#include "InstrumentBox.h"
#include "MidiKeyboard.h"
#include "MidiKeyboardLink.h"
#include "QuizEngine.h"
#include "StaffFrontEnd.h"
#include "StaffView.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

struct Rig {
    Canvas staffCanvas{QSize(StaffView::Width, StaffView::Height)};
    Settings settings;
    StaffFrontEnd quizFront;
    ClockSeededRandom random{12345};
    QuizEngine engine{quizFront, random, settings};
    StaffView staff{staffCanvas, settings};
    InstrumentBox instrument;
    MidiKeyboard keyboard{engine, instrument.presses};
    FakeMidiInput input;
    QObject context;
    MidiSourceId keys = 0;

    Rig(InputModes mode, bool fullRange) {
        quizFront.staff = &staff;
        settings.InputMode = mode;
        settings.StaffChoice = mode == GuitarFrets ? TrebleStaff : AllStaves;
        settings.FullRange = fullRange;
        settings.Level = MaxLevel;
        instrument.settings = settings;
        engine.BuildNoteTable();
        instrument.Paint();
        staff.pbxStaffPaint();
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
    Rig rig(InputModes(state.range(0)), state.range(1) != 0);
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
        benchmark::DoNotOptimize(rig.instrument.canvas.TakeDirty());
        rig.input.Release(rig.keys, note, timeMs + 50);
        benchmark::DoNotOptimize(rig.instrument.canvas.TakeDirty());
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
