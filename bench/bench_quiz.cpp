// Costs of the staff: a whole repaint, and one NextNote (erase the old note, pick and draw the next one),
// which runs on every right answer and so must never be noticeable; and a note drawn with a sign before it
// against the same note without one.
#include "Canvas.h"
#include "QuizEngine.h"
#include "QuizLength.h"
#include "StaffFrontEnd.h"
#include "StaffView.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

struct Rig {
    Canvas canvas;
    StaffFrontEnd frontEnd;
    ClockSeededRandom random{12345};
    Settings settings;
    QuizEngine engine{frontEnd, random, settings};
    StaffView staff{canvas, settings};

    Rig(InputModes inputMode, StaffChoices staffChoice, double ratio = 1.0)
        : canvas(QSize(StaffView::Width, StaffView::Height), ratio) {
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

// One note erased and the next drawn, every note of both staves in turn at the places the quiz puts them:
// the first argument is the sign they carry (0 none, as naturals only, then sharp, flat and natural sign,
// with sharps and flats asked), the second the device pixel ratio in percent.
void StaffNoteSign(benchmark::State& state) {
    const auto sign = static_cast<NoteSign>(state.range(0));
    Rig rig(NoteButtons, AllStaves, static_cast<double>(state.range(1)) / 100.0);
    rig.settings.Accidentals = sign == NoteSign::None ? NaturalsOnly : SharpsAndFlats;
    rig.staff.pbxStaffPaint();
    int row = 0;
    int place = 0;
    for (auto _ : state) {
        NoteEntry note = rig.engine.Table[static_cast<std::size_t>(row)];
        note.Sign = sign;
        note.Alteration = static_cast<std::int8_t>(sign == NoteSign::Sharp  ? 1
                                                   : sign == NoteSign::Flat ? -1
                                                                            : 0);
        // Where the quiz puts each of its twenty notes as it walks right.
        const int x = NoteXFor(NotesPerQuiz, NotesPerQuiz - 1 - place);
        rig.staff.EraseNote(x);
        rig.staff.DrawNote(note, x);
        benchmark::DoNotOptimize(rig.canvas.TakeDirty());
        row = (row + 1) % StaffSetRows;
        place = (place + 1) % NotesPerQuiz;
    }
}
BENCHMARK(StaffNoteSign)->ArgsProduct({{0, 1, 2, 3}, {100, 200}})->ArgNames({"sign", "ratio"});

} // namespace

BENCHMARK_MAIN();
