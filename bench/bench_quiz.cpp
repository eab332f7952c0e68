// Costs of the staff: a whole repaint, and one NextNote (erase the old note, pick and draw the next one),
// which runs on every right answer and so must never be noticeable.
#include "Canvas.h"
#include "QuizEngine.h"
#include "StaffFrontEnd.h"
#include "StaffView.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

struct Rig {
    Canvas canvas{QSize(StaffView::Width, StaffView::Height)};
    StaffFrontEnd frontEnd;
    ClockSeededRandom random{12345};
    Settings settings;
    QuizEngine engine{frontEnd, random, settings};
    StaffView staff{canvas, settings};

    Rig(InputModes inputMode, StaffChoices staffChoice) {
        frontEnd.staff = &staff;
        settings.InputMode = inputMode;
        settings.StaffChoice = staffChoice;
        settings.Level = MaxLevel;
        engine.BuildNoteTable();
        staff.pbxStaffPaint();
        canvas.TakeDirty();
    }
};

// Whole staff with clefs and a note: args are the input mode and the staff choice.
void StaffRepaint(benchmark::State& state) {
    Rig rig(InputModes(state.range(0)), StaffChoices(state.range(1)));
    rig.engine.BeginQuiz();
    for (auto _ : state) {
        rig.staff.pbxStaffPaint();
        benchmark::DoNotOptimize(rig.canvas.TakeDirty());
    }
}
BENCHMARK(StaffRepaint)
    ->ArgNames({"mode", "staff"})
    ->Args({NoteButtons, TrebleStaff})
    ->Args({NoteButtons, AllStaves})
    ->Args({GuitarFrets, TrebleStaff});

// One note moving on: a quiz at the top level that starts again whenever its twenty notes are used up,
// so every iteration is a real NextNote with an erase and a draw.
void NextNote(benchmark::State& state) {
    Rig rig(InputModes(state.range(0)), AllStaves);
    rig.engine.BeginQuiz();
    for (auto _ : state) {
        if (rig.engine.State.NotesLeft == 0) {
            state.PauseTiming();
            rig.engine.EndQuiz();
            rig.engine.BeginQuiz();
            state.ResumeTiming();
        }
        rig.engine.NextNote();
        benchmark::DoNotOptimize(rig.canvas.TakeDirty());
    }
}
BENCHMARK(NextNote)->ArgName("mode")->Arg(NoteButtons)->Arg(GuitarFrets);

} // namespace

BENCHMARK_MAIN();
