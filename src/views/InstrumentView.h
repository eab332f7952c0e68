#pragma once

#include "Canvas.h"
#include "KeyPresses.h"
#include "Settings.h"

#include <cstdint>
#include <optional>

namespace quavix {

// The instrument paint box: the piano (input mode 1) or the guitar (input mode 2), drawn with the pressed
// marker on the key or fret that holds it. Which key that is belongs to the press protocol (KeyPresses);
// the view only shows it, and finds the key under a point for the mouse.
class InstrumentView final {
public:
    static constexpr int Width = 377;
    static constexpr int Height = 101;

    // Reads the input mode, range and staff choice from settings, which outlive the view.
    InstrumentView(Canvas& canvas, const Settings& settings);

    // The fretboard's colours follow the screen: the rich set where it can show them.
    void SetRichColour(bool rich) { rich_ = rich; }
    std::uint8_t KeyboardLayout() const { return KeyboardLayoutFor(settings_); }

    // Repaints the whole instrument of the input mode (nothing for note buttons), marker included.
    void pbxInstrumentPaint();
    // The key or fret under a point: its step and, on the guitar, its string and fret.
    std::optional<InstrumentSpot> HitTest(int x, int y) const;
    // Moves the marker to the spot of the key holding the instrument; none takes it away. A guitar spot
    // without a string shows where the guitar plays the note first, and nowhere when it cannot.
    void ShowHeld(const std::optional<InstrumentSpot>& spot);
    // Drops the marker without drawing: the instrument it stood on has gone.
    void Forget() { marked_ = {}; }
    // The spot the marker stands on (a step of -1 for none), also where the layout does not show it.
    const InstrumentSpot& Marked() const { return marked_; }

private:
    void ShowPressedMarker(bool show);

    Canvas& canvas_;
    const Settings& settings_;
    bool rich_ = false;
    InstrumentSpot marked_;
};

} // namespace quavix
