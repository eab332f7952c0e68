// Costs of drawing the instruments: a whole repaint against one drag step, which must stay a small
// fraction of it because it runs on every mouse move while a key is held; each at device pixel ratios 1
// and 2 (the "ratio" argument is in percent). And what drawing the pictures the window shows at start-up
// would cost, which is why they are drawn while building instead.
#include "ArtworkDrawing.h"
#include "Guitar.h"
#include "InstrumentBox.h"
#include "Piano.h"

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

QSize BoxSize() {
    return QSize(InstrumentView::Width, InstrumentView::Height);
}

double Ratio(const benchmark::State& state, int argument) {
    return static_cast<double>(state.range(argument)) / 100.0;
}

void PianoRepaint(benchmark::State& state) {
    const int layout = static_cast<int>(state.range(0));
    Canvas canvas(BoxSize(), Ratio(state, 1));
    for (auto _ : state) {
        PaintPiano(canvas, PianoLayouts[layout], layout != 0);
        benchmark::DoNotOptimize(canvas.TakeDirty());
    }
}
BENCHMARK(PianoRepaint)->ArgsProduct({{0, 1, 2, 3}, {100, 200}})->ArgNames({"layout", "ratio"});

void FretboardRepaint(benchmark::State& state) {
    const bool rich = state.range(0) != 0;
    Canvas canvas(BoxSize(), Ratio(state, 1));
    for (auto _ : state) {
        PaintFretboard(canvas, rich, FretPosition{});
        benchmark::DoNotOptimize(canvas.TakeDirty());
    }
}
BENCHMARK(FretboardRepaint)->ArgsProduct({{1, 0}, {100, 200}})->ArgNames({"rich", "ratio"});

// One mouse move from one white key to the next, the marker following; the moves alternate between the two
// keys in the middle of the keyboard, below the black keys.
void PianoDragStep(benchmark::State& state) {
    const int layout = static_cast<int>(state.range(0));
    const PianoGeometry& g = PianoLayouts[layout];
    const auto box = InstrumentBox::Piano(layout, Ratio(state, 1));
    const int y = g.BlackKeyHeight + 2;
    const int left = KeyLeft(g, box->canvas.Width(), g.KeyCount / 2) + g.WhiteKeyWidth / 2;
    const int right = left + g.WhiteKeyWidth;
    box->Down(left, y);
    box->canvas.TakeDirty();
    bool onRight = false;
    for (auto _ : state) {
        onRight = !onRight;
        box->Move(onRight ? right : left, y);
        benchmark::DoNotOptimize(box->canvas.TakeDirty());
        if (box->Marked() < 0)
            state.SkipWithError("the drag lost its key");
    }
    box->Up(left, y);
}
BENCHMARK(PianoDragStep)->ArgsProduct({{0, 1, 2, 3}, {100, 200}})->ArgNames({"layout", "ratio"});

// One mouse move between two fret cells: string 2 fret 1 and string 5 fret 12, where the marker sits over
// a position dot.
void FretboardDragStep(benchmark::State& state) {
    const auto box = InstrumentBox::Guitar(state.range(0) != 0, Ratio(state, 1));
    box->Down(50, StringY(2));
    box->canvas.TakeDirty();
    bool far = false;
    for (auto _ : state) {
        far = !far;
        box->Move(far ? 367 : 50, StringY(far ? 5 : 2));
        benchmark::DoNotOptimize(box->canvas.TakeDirty());
    }
    box->Up(50, StringY(2));
}
BENCHMARK(FretboardDragStep)->ArgsProduct({{1, 0}, {100, 200}})->ArgNames({"rich", "ratio"});

// Drawing every picture the main window shows when it opens (two clefs, the letters and tool-bar icons in
// both states, the hourglass and the window icon's three sizes) at a ratio: what start-up would pay if the
// pictures were not drawn while building.
void DrawStartUpPictures(benchmark::State& state) {
    const double ratio = Ratio(state, 0);
    const PixelGrid grid(ratio);
    for (auto _ : state) {
        for (int clef : {1, 0})
            benchmark::DoNotOptimize(ArtworkDrawing::Clef(clef, PictureGrid(ratio, QPoint(0, 8))));
        for (int i = 0; i < 7; ++i)
            for (bool enabled : {true, false})
                benchmark::DoNotOptimize(ArtworkDrawing::Letter(i, enabled, ratio));
        for (int i = 0; i < 10; ++i)
            for (bool enabled : {true, false})
                benchmark::DoNotOptimize(ArtworkDrawing::ToolbarIcon(i, enabled, ratio));
        benchmark::DoNotOptimize(ArtworkDrawing::Timer(ratio));
        for (int size : {16, 32, 64})
            benchmark::DoNotOptimize(ArtworkDrawing::ProgramIcon(grid.Device(size)));
    }
}
BENCHMARK(DrawStartUpPictures)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Arg(300)->ArgName("ratio");

} // namespace

BENCHMARK_MAIN();
