#include "InstrumentView.h"

#include "Guitar.h"
#include "Piano.h"

namespace quavix {

namespace {

FretPosition FretOf(const InstrumentSpot& spot) {
    return FretPosition{spot.Step, spot.String, spot.Fret};
}

} // namespace

InstrumentView::InstrumentView(Canvas& canvas, const Settings& settings)
    : canvas_(canvas), settings_(settings) {}

void InstrumentView::pbxInstrumentPaint() {
    if (settings_.InputMode == PianoKeys) {
        PaintPiano(canvas_, PianoLayouts[KeyboardLayout()], settings_.FullRange);
        ShowPressedMarker(true);
    } else if (settings_.InputMode == GuitarFrets) {
        PaintFretboard(canvas_, rich_, FretOf(marked_));
    }
}

void InstrumentView::ShowPressedMarker(bool show) {
    if (settings_.InputMode == PianoKeys) {
        ShowPianoMarker(canvas_, PianoLayouts[KeyboardLayout()], marked_.Step, show);
    } else if (settings_.InputMode == GuitarFrets && marked_.Step >= 0) {
        // Showing or hiding the marker changes nothing of its cell outside the marker's square, so the
        // cell is repainted through that square only: a drag touches a few dozen pixels.
        canvas_.SetClip(FretMarkerRect(marked_.String, marked_.Fret));
        PaintFretCell(canvas_, rich_, marked_.Fret, show, FretOf(marked_));
        canvas_.ClearClip();
    }
}

std::optional<InstrumentSpot> InstrumentView::HitTest(int x, int y) const {
    const bool blackKeys = settings_.Accidentals != NaturalsOnly;
    if (settings_.InputMode == PianoKeys) {
        const PianoGeometry& layout = PianoLayouts[KeyboardLayout()];
        const int key = PianoKeyAt(layout, canvas_.Width(), x, y);
        if (key >= layout.FirstKey && key < layout.FirstKey + layout.KeyCount)
            return InstrumentSpot{key, 0, 0};
        // Black keys answer only when the notes asked carry sharps and flats.
        const int below = blackKeys ? PianoBlackKeyAt(layout, canvas_.Width(), x, y) : -1;
        if (below >= 0)
            return InstrumentSpot{below, 0, 0, 1};
    } else if (settings_.InputMode == GuitarFrets) {
        InstrumentSpot spot;
        const int note = FretPositionAt(x, y, spot.String, spot.Fret);
        if (note >= 0) {
            spot.Step = note;
            return spot;
        }
        const int below = blackKeys ? SharpFretBelowAt(x, y, spot.String, spot.Fret) : -1;
        if (below >= 0) {
            spot.Step = below;
            spot.Alteration = 1;
            return spot;
        }
    }
    return std::nullopt;
}

void InstrumentView::ShowHeld(const std::optional<InstrumentSpot>& spot) {
    InstrumentSpot next;
    if (spot && spot->Step >= 0 && settings_.InputMode != NoteButtons) {
        next = *spot;
        // The piano's marker is drawn on white keys only; a black key held shows none.
        if (settings_.InputMode == PianoKeys && next.Alteration != 0)
            next = InstrumentSpot{};
        if (settings_.InputMode == GuitarFrets && next.String == 0 &&
            !LowestPositionOf(next.Step, next.String, next.Fret))
            next = InstrumentSpot{};
    }
    if (next == marked_)
        return;
    ShowPressedMarker(false);
    marked_ = next;
    ShowPressedMarker(true);
}

} // namespace quavix
