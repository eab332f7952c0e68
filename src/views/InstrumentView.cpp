#include "InstrumentView.h"

#include "Guitar.h"
#include "Piano.h"

#include <algorithm>

namespace quavix {

namespace {

constexpr std::uint8_t PianoMode = 1;
constexpr std::uint8_t GuitarMode = 2;
constexpr int FirstLetterCode = 100;

} // namespace

InstrumentView::InstrumentView(Canvas& canvas) : canvas_(canvas) {}

void InstrumentView::ChooseKeyboardLayout(std::uint8_t staffChoice) {
    // Treble, bass and all notes take the three full-range layouts after the single octave.
    KeyboardLayout = FullRange ? static_cast<std::uint8_t>(std::min<int>(staffChoice, 2) + 1) : 0;
    pbxInstrumentPaint();
}

void InstrumentView::pbxInstrumentPaint() {
    if (InputMode == PianoMode) {
        PaintPiano(canvas_, PianoLayouts[KeyboardLayout], FullRange);
        ShowPressedMarker(true);
    } else if (InputMode == GuitarMode) {
        PaintFretboard(canvas_, RichColour, FretPosition{PressedKey, GuitarString, GuitarFret});
    }
}

void InstrumentView::ShowPressedMarker(bool show) {
    if (InputMode == PianoMode) {
        ShowPianoMarker(canvas_, PianoLayouts[KeyboardLayout], PressedKey, show);
    } else if (InputMode == GuitarMode && PressedKey >= 0) {
        // Showing or hiding the marker changes nothing of its cell outside the marker's square, so the
        // cell is repainted through that square only: a drag touches a few dozen pixels.
        canvas_.SetClip(FretMarkerRect(GuitarString, GuitarFret));
        PaintFretCell(canvas_, RichColour, GuitarFret, show,
                      FretPosition{PressedKey, GuitarString, GuitarFret});
        canvas_.ClearClip();
    }
}

int InstrumentView::HitTest(int x, int y, int& guitarString, int& fret) const {
    if (InputMode == PianoMode) {
        const PianoGeometry& layout = PianoLayouts[KeyboardLayout];
        const int key = PianoKeyAt(layout, canvas_.Width(), x, y);
        return key >= layout.FirstKey && key < layout.FirstKey + layout.KeyCount ? key : -1;
    }
    if (InputMode == GuitarMode)
        return FretPositionAt(x, y, guitarString, fret);
    return -1;
}

void InstrumentView::MouseDown(int x, int y) {
    int guitarString = GuitarString;
    int fret = GuitarFret;
    const int hit = HitTest(x, y, guitarString, fret);
    if (hit < 0)
        return;
    // A second button pressed during a drag starts over from its own point; the marker of the first
    // must not stay behind.
    if (MouseHeld)
        ShowPressedMarker(false);
    MouseHeld = true;
    PressedKey = hit;
    GuitarString = guitarString;
    GuitarFret = fret;
    ShowPressedMarker(true);
}

void InstrumentView::MouseMove(int x, int y) {
    if (!MouseHeld)
        return;
    int guitarString = GuitarString;
    int fret = GuitarFret;
    const int hit = HitTest(x, y, guitarString, fret);
    // Over a black key, a gap, a wire or outside the instrument the marker stays on the last key.
    if (hit < 0)
        return;
    if (hit == PressedKey &&
        (InputMode != GuitarMode || (guitarString == GuitarString && fret == GuitarFret)))
        return;
    ShowPressedMarker(false);
    PressedKey = hit;
    GuitarString = guitarString;
    GuitarFret = fret;
    ShowPressedMarker(true);
}

int InstrumentView::MouseUp(int x, int y) {
    if (!MouseHeld)
        return -1;
    MouseHeld = false;
    ShowPressedMarker(false);
    int guitarString = GuitarString;
    int fret = GuitarFret;
    const int hit = HitTest(x, y, guitarString, fret);
    int answer = -1;
    // The answer is the key under the pointer now, not the one first pressed.
    if (hit >= 0) {
        PressedKey = hit;
        GuitarString = guitarString;
        GuitarFret = fret;
        answer = FullRange ? PressedKey : FirstLetterCode + (PressedKey + 4) % 7;
    }
    PressedKey = -1;
    return answer;
}

void InstrumentView::ReleasePressedKey() {
    ShowPressedMarker(false);
    PressedKey = -1;
}

} // namespace quavix
