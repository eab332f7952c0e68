#include "InstrumentView.h"

#include "Guitar.h"
#include "Piano.h"
#include "QuizEngine.h"

namespace quavix {

InstrumentView::InstrumentView(Canvas& canvas, const Settings& settings)
    : canvas_(canvas), settings_(settings) {}

void InstrumentView::pbxInstrumentPaint() {
    if (settings_.InputMode == PianoKeys) {
        PaintPiano(canvas_, PianoLayouts[KeyboardLayout()], settings_.FullRange);
        ShowPressedMarker(true);
    } else if (settings_.InputMode == GuitarFrets) {
        PaintFretboard(canvas_, settings_.RichColour, FretPosition{pressedKey_, guitarString_, guitarFret_});
    }
}

void InstrumentView::ShowPressedMarker(bool show) {
    if (settings_.InputMode == PianoKeys) {
        ShowPianoMarker(canvas_, PianoLayouts[KeyboardLayout()], pressedKey_, show);
    } else if (settings_.InputMode == GuitarFrets && pressedKey_ >= 0) {
        // Showing or hiding the marker changes nothing of its cell outside the marker's square, so the
        // cell is repainted through that square only: a drag touches a few dozen pixels.
        canvas_.SetClip(FretMarkerRect(guitarString_, guitarFret_));
        PaintFretCell(canvas_, settings_.RichColour, guitarFret_, show,
                      FretPosition{pressedKey_, guitarString_, guitarFret_});
        canvas_.ClearClip();
    }
}

int InstrumentView::HitTest(int x, int y, int& guitarString, int& fret) const {
    if (settings_.InputMode == PianoKeys) {
        const PianoGeometry& layout = PianoLayouts[KeyboardLayout()];
        const int key = PianoKeyAt(layout, canvas_.Width(), x, y);
        return key >= layout.FirstKey && key < layout.FirstKey + layout.KeyCount ? key : -1;
    }
    if (settings_.InputMode == GuitarFrets)
        return FretPositionAt(x, y, guitarString, fret);
    return -1;
}

void InstrumentView::Hold(int key, int guitarString, int fret) {
    pressedKey_ = key;
    guitarString_ = guitarString;
    guitarFret_ = fret;
}

void InstrumentView::MouseDown(int x, int y) {
    int guitarString = guitarString_;
    int fret = guitarFret_;
    const int hit = HitTest(x, y, guitarString, fret);
    if (hit < 0)
        return;
    // A second button pressed during a drag starts over from its own point, and a press takes over from
    // a held MIDI key; the marker of either must not stay behind.
    if (mouseHeld_ || keyHeld_)
        ShowPressedMarker(false);
    keyHeld_ = false;
    mouseHeld_ = true;
    Hold(hit, guitarString, fret);
    ShowPressedMarker(true);
}

void InstrumentView::MouseMove(int x, int y) {
    if (!mouseHeld_)
        return;
    int guitarString = guitarString_;
    int fret = guitarFret_;
    const int hit = HitTest(x, y, guitarString, fret);
    // Over a black key, a gap, a wire or outside the instrument the marker stays on the last key.
    if (hit < 0)
        return;
    if (hit == pressedKey_ &&
        (settings_.InputMode != GuitarFrets || (guitarString == guitarString_ && fret == guitarFret_)))
        return;
    ShowPressedMarker(false);
    Hold(hit, guitarString, fret);
    ShowPressedMarker(true);
}

int InstrumentView::MouseUp(int x, int y) {
    if (!mouseHeld_)
        return -1;
    mouseHeld_ = false;
    ShowPressedMarker(false);
    int guitarString = guitarString_;
    int fret = guitarFret_;
    const int hit = HitTest(x, y, guitarString, fret);
    int answer = -1;
    // The answer is the key under the pointer now, not the one first pressed.
    if (hit >= 0) {
        Hold(hit, guitarString, fret);
        answer = KeyAnswerCode(pressedKey_, settings_.FullRange);
    }
    pressedKey_ = -1;
    return answer;
}

void InstrumentView::ReleasePressedKey() {
    ShowPressedMarker(false);
    pressedKey_ = -1;
    keyHeld_ = false;
}

void InstrumentView::CancelPress() {
    if (!mouseHeld_)
        return;
    mouseHeld_ = false;
    ReleasePressedKey();
}

void InstrumentView::HoldKey(int step) {
    if (mouseHeld_)
        return;
    if (keyHeld_)
        ShowPressedMarker(false);
    keyHeld_ = false;
    pressedKey_ = -1;
    int guitarString = guitarString_;
    int fret = guitarFret_;
    if (settings_.InputMode == NoteButtons || step < 0 ||
        (settings_.InputMode == GuitarFrets && !LowestPositionOf(step, guitarString, fret)))
        return;
    keyHeld_ = true;
    Hold(step, guitarString, fret);
    ShowPressedMarker(true);
}

void InstrumentView::LetGoKey(int step) {
    if (!keyHeld_ || pressedKey_ != step)
        return;
    ReleasePressedKey();
}

} // namespace quavix
