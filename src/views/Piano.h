#pragma once

#include "Canvas.h"

#include <array>
#include <bitset>
#include <cstdint>

namespace quavix {

struct PianoGeometry {
    std::int32_t WhiteKeyWidth;
    std::int32_t WhiteKeyHeight;
    std::int32_t BlackKeyWidth;
    std::int32_t BlackKeyHeight;
    std::int32_t KeyCount;   // answerable white-key columns
    std::int32_t WhiteCount; // centred columns painted white; the others grey
    std::int32_t FirstKey;   // staff step of column 0
    std::bitset<256> NoBlackKey; // boundaries (left edge of column i) without a black key
};

// 0 single octave, 1 full range treble, 2 full range bass, 3 full range all notes.
extern const std::array<PianoGeometry, 4> PianoLayouts;

// x of the left edge of a key column; the keyboard is centred in a box of the given width.
int KeyLeft(const PianoGeometry& layout, int boxWidth, int column);
// Key index (staff step) under the point, or -1 for a black key or outside the keyboard.
int PianoKeyAt(const PianoGeometry& layout, int boxWidth, int x, int y);
// The white key whose sharp is the black key at (x, y), or -1 where no black key answers.
int PianoBlackKeyAt(const PianoGeometry& layout, int boxWidth, int x, int y);
// Paints the whole keyboard (without the marker).
void PaintPiano(Canvas& canvas, const PianoGeometry& layout, bool fullRange);
// Draws or erases the pressed-key marker on key pressedKey; the key's own colour is read back from the
// canvas, so nothing else is repainted.
void ShowPianoMarker(Canvas& canvas, const PianoGeometry& layout, int pressedKey, bool show);

} // namespace quavix
