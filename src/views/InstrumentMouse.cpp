#include "InstrumentMouse.h"

#include "InstrumentView.h"
#include "MidiNotes.h"

namespace quavix {

InstrumentMouse::InstrumentMouse(const InstrumentView& view, KeyPresses& presses, const Settings& settings)
    : view_(view), presses_(presses), settings_(settings) {}

KeyPress InstrumentMouse::PressOf(const InstrumentSpot& spot) const {
    const int transposition = settings_.InputMode == GuitarFrets ? GuitarTransposition : 0;
    return KeyPress{Presser::Mouse(), MidiNoteOfStep(spot.Step) + spot.Alteration - transposition, 0, spot};
}

void InstrumentMouse::Down(int x, int y) {
    const std::optional<InstrumentSpot> hit = view_.HitTest(x, y);
    if (!hit)
        return;
    // A second button pressed during a drag starts over from its own point.
    if (held_)
        presses_.Move(PressOf(*hit));
    else
        presses_.Press(PressOf(*hit));
    held_ = hit;
}

void InstrumentMouse::Move(int x, int y) {
    if (!held_)
        return;
    const std::optional<InstrumentSpot> hit = view_.HitTest(x, y);
    // Over a black key, a gap, a wire or outside the instrument the press stays on the last key; on the
    // same key nothing changes, unless the key was let go meanwhile (the quiz ended under the button).
    if (!hit || (*hit == *held_ && presses_.IsDown(Presser::Mouse())))
        return;
    presses_.Move(PressOf(*hit));
    held_ = hit;
}

std::optional<Answer> InstrumentMouse::Up(int x, int y) {
    if (!held_)
        return std::nullopt;
    held_.reset();
    presses_.ReleaseFrom(Presser::Mouse());
    const std::optional<InstrumentSpot> hit = view_.HitTest(x, y);
    if (!hit)
        return std::nullopt;
    return InstrumentAnswer(hit->Step, settings_.InputMode, hit->Alteration);
}

void InstrumentMouse::Cancel() {
    if (!held_)
        return;
    held_.reset();
    presses_.ReleaseFrom(Presser::Mouse());
}

} // namespace quavix
