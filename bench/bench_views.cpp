// Costs of drawing the instruments: a whole repaint against one drag step, which must stay a small
// fraction of it because it runs on every mouse move while a key is held.
#include "Guitar.h"
#include "InstrumentView.h"
#include "Piano.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

QSize BoxSize() {
    return QSize(InstrumentView::Width, InstrumentView::Height);
}

void PianoRepaint(benchmark::State& state) {
    const int layout = static_cast<int>(state.range(0));
    Canvas canvas(BoxSize());
    for (auto _ : state) {
        PaintPiano(canvas, PianoLayouts[layout], layout != 0);
        benchmark::DoNotOptimize(canvas.TakeDirty());
    }
}
BENCHMARK(PianoRepaint)->DenseRange(0, 3)->ArgName("layout");

void FretboardRepaint(benchmark::State& state) {
    const bool rich = state.range(0) != 0;
    Canvas canvas(BoxSize());
    for (auto _ : state) {
        PaintFretboard(canvas, rich, FretPosition{});
        benchmark::DoNotOptimize(canvas.TakeDirty());
    }
}
BENCHMARK(FretboardRepaint)->Arg(1)->Arg(0)->ArgName("rich");

// One mouse move from one white key to the next, the marker following; the moves alternate between the two
// keys in the middle of the keyboard, below the black keys.
void PianoDragStep(benchmark::State& state) {
    const int layout = static_cast<int>(state.range(0));
    const PianoGeometry& g = PianoLayouts[layout];
    Canvas canvas(BoxSize());
    const Settings settings{PianoKeys, static_cast<std::uint8_t>(layout == 0 ? 0 : layout - 1), layout != 0};
    InstrumentView view(canvas, settings);
    view.pbxInstrumentPaint();
    const int y = g.BlackKeyHeight + 2;
    const int left = KeyLeft(g, canvas.Width(), g.KeyCount / 2) + g.WhiteKeyWidth / 2;
    const int right = left + g.WhiteKeyWidth;
    view.MouseDown(left, y);
    canvas.TakeDirty();
    bool onRight = false;
    for (auto _ : state) {
        onRight = !onRight;
        view.MouseMove(onRight ? right : left, y);
        benchmark::DoNotOptimize(canvas.TakeDirty());
        if (view.PressedKey() < 0)
            state.SkipWithError("the drag lost its key");
    }
    view.MouseUp(left, y);
}
BENCHMARK(PianoDragStep)->DenseRange(0, 3)->ArgName("layout");

// One mouse move between two fret cells: string 2 fret 1 and string 5 fret 12, where the marker sits over
// a position dot.
void FretboardDragStep(benchmark::State& state) {
    const bool rich = state.range(0) != 0;
    Canvas canvas(BoxSize());
    const Settings settings{GuitarFrets, TrebleStaff, true, rich};
    InstrumentView view(canvas, settings);
    view.pbxInstrumentPaint();
    view.MouseDown(50, StringY(2));
    canvas.TakeDirty();
    bool far = false;
    for (auto _ : state) {
        far = !far;
        view.MouseMove(far ? 367 : 50, StringY(far ? 5 : 2));
        benchmark::DoNotOptimize(canvas.TakeDirty());
    }
    view.MouseUp(50, StringY(2));
}
BENCHMARK(FretboardDragStep)->Arg(1)->Arg(0)->ArgName("rich");

} // namespace

BENCHMARK_MAIN();
