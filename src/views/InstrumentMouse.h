#pragma once

#include "Answer.h"
#include "KeyPresses.h"

#include <optional>

namespace quavix {

class InstrumentView;
struct Settings;

// The mouse on the instrument as an answer source: press, drag and release, in paint-box pixels, turned
// into presses of the press protocol and, at the release, into an answer. A press holds the key or fret
// under it and takes the instrument over from a MIDI key; a drag slides on to the next key and stays on
// the last one over a gap, a black key, a wire or outside; the release answers with the key under the
// pointer then, not the one first pressed.
class InstrumentMouse final {
public:
    // The view, the presses and the settings outlive the adapter.
    InstrumentMouse(const InstrumentView& view, KeyPresses& presses, const Settings& settings);

    void Down(int x, int y);
    void Move(int x, int y);
    // Ends a press: the answer of the key or fret under the point, or none (or no press was held).
    std::optional<Answer> Up(int x, int y);
    // Ends a press whose release will never come here (a menu or a modal box took it), with no answer.
    void Cancel();
    bool Held() const { return held_.has_value(); }

private:
    KeyPress PressOf(const InstrumentSpot& spot) const;

    const InstrumentView& view_;
    KeyPresses& presses_;
    const Settings& settings_;
    std::optional<InstrumentSpot> held_;
};

} // namespace quavix
