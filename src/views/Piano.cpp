#include "Piano.h"

#include <initializer_list>

namespace quavix {

namespace {

constexpr QRgb OuterKeyGrey = 0xE0E0E0;
constexpr QRgb WhiteKey = 0xFFFFFF;
constexpr QRgb MiddleCCyan = 0xE0FFFF;
constexpr QRgb BlackKey = 0x000000;
constexpr QRgb KeyBedStrip = 0xC04000;
constexpr QRgb KeyBed = 0x400000;
constexpr QRgb MarkerRed = 0xFF0000;
constexpr int MiddleC = 12;
constexpr int KeyBedStripRows = 5;

std::bitset<256> Boundaries(std::initializer_list<int> boundaries) {
    std::bitset<256> set;
    for (int boundary : boundaries)
        set.set(static_cast<std::size_t>(boundary));
    return set;
}

bool HasBlackKey(const PianoGeometry& layout, int boundary) {
    return boundary < 0 || boundary >= 256 || !layout.NoBlackKey[static_cast<std::size_t>(boundary)];
}

// The marker square of a key: its side and top-left corner.
struct MarkerSquare {
    int Side;
    int X;
    int Y;
};

MarkerSquare MarkerFor(const PianoGeometry& layout, int boxWidth, int column) {
    const int w = layout.WhiteKeyWidth;
    int side = w / 2;
    // An odd key width keeps an even square, so the ring stays symmetric about its hole.
    if (w % 2 != 0)
        side &= ~1;
    return {side, KeyLeft(layout, boxWidth, column) + (w - side + 1) / 2, layout.WhiteKeyHeight - side - 4};
}

} // namespace

const std::array<PianoGeometry, 4> PianoLayouts = {{
    {24, 96, 13, 60, 10, 8, 11, Boundaries({1, 4, 8})},
    {24, 96, 13, 60, 14, 14, 12, Boundaries({0, 3, 7, 10, 14})},
    {24, 96, 13, 60, 13, 13, 0, Boundaries({1, 5, 8, 12, 15})},
    {15, 68, 9, 44, 25, 25, 0, Boundaries({1, 5, 8, 12, 15, 19, 22})},
}};

int KeyLeft(const PianoGeometry& layout, int boxWidth, int column) {
    return (boxWidth - layout.KeyCount * layout.WhiteKeyWidth) / 2 + column * layout.WhiteKeyWidth;
}

int PianoKeyAt(const PianoGeometry& layout, int boxWidth, int x, int y) {
    const int w = layout.WhiteKeyWidth;
    const int x0 = KeyLeft(layout, boxWidth, 0);
    if (x < x0 || x >= KeyLeft(layout, boxWidth, layout.KeyCount) || y < 0 || y >= layout.WhiteKeyHeight)
        return -1;
    const int column = (x - x0) / w;
    const int key = layout.FirstKey + column;
    if (y >= layout.BlackKeyHeight)
        return key;
    // The black-key zones are a pixel narrower on each side than the drawn keys, so a press on the
    // edge of a black key still counts for the white key next to it.
    const int offset = (x - x0) % w;
    const int halfBlack = layout.BlackKeyWidth / 2;
    if (HasBlackKey(layout, column) && offset < halfBlack)
        return -1;
    if (HasBlackKey(layout, column + 1) && offset > w - halfBlack)
        return -1;
    return key;
}

int PianoBlackKeyAt(const PianoGeometry& layout, int boxWidth, int x, int y) {
    // Exactly where PianoKeyAt finds no white key in the upper part of the keys.
    const int w = layout.WhiteKeyWidth;
    const int x0 = KeyLeft(layout, boxWidth, 0);
    if (x < x0 || x >= KeyLeft(layout, boxWidth, layout.KeyCount) || y < 0 || y >= layout.BlackKeyHeight)
        return -1;
    const int column = (x - x0) / w;
    const int offset = (x - x0) % w;
    const int halfBlack = layout.BlackKeyWidth / 2;
    if (HasBlackKey(layout, column) && offset < halfBlack)
        return layout.FirstKey + column - 1;
    if (HasBlackKey(layout, column + 1) && offset > w - halfBlack)
        return layout.FirstKey + column;
    return -1;
}

void PaintPiano(Canvas& canvas, const PianoGeometry& layout, bool fullRange) {
    const int width = canvas.Width();
    const int w = layout.WhiteKeyWidth;
    const int h = layout.WhiteKeyHeight;
    const int bw = layout.BlackKeyWidth;
    const int bh = layout.BlackKeyHeight;
    const int first = (layout.KeyCount - layout.WhiteCount) / 2;
    const int whiteLeft = KeyLeft(layout, width, first);
    const int whiteRight = whiteLeft + layout.WhiteCount * w;

    canvas.Fill(0, 0, whiteLeft, h, OuterKeyGrey);
    canvas.Fill(whiteRight, 0, width, h, OuterKeyGrey);
    canvas.Fill(whiteLeft, 0, whiteRight, h, WhiteKey);
    if (fullRange) {
        const int left = KeyLeft(layout, width, MiddleC - layout.FirstKey);
        canvas.Fill(left, 0, left + w, h, MiddleCCyan);
    }
    for (int boundary = 0; boundary <= layout.KeyCount; ++boundary) {
        const int x = KeyLeft(layout, width, boundary);
        canvas.Line(x, 0, x, h, BlackKey);
        if (HasBlackKey(layout, boundary))
            canvas.Fill(x - bw / 2, 0, x - bw / 2 + bw, bh, BlackKey);
    }
    canvas.Fill(0, h, width, h + KeyBedStripRows, KeyBedStrip);
    canvas.Fill(0, h + KeyBedStripRows, width, canvas.Height(), KeyBed);
}

void ShowPianoMarker(Canvas& canvas, const PianoGeometry& layout, int pressedKey, bool show) {
    if (pressedKey < layout.FirstKey || pressedKey >= layout.FirstKey + layout.KeyCount)
        return;
    const MarkerSquare square = MarkerFor(layout, canvas.Width(), pressedKey - layout.FirstKey);
    const int s = square.Side;
    // The row just above the square always shows the key's own colour (white, middle-C cyan or the grey
    // of an outer key), so the hole and the erased square need no copy of the picture underneath.
    const QRgb keyColour = canvas.Pixel(square.X, square.Y - 1);
    if (!show) {
        canvas.Fill(square.X, square.Y, square.X + s, square.Y + s, keyColour);
        return;
    }
    canvas.Fill(square.X, square.Y, square.X + s, square.Y + s, MarkerRed);
    const int hole = ((s / 2) & ~1) | (s & 1);
    const int inset = (s - hole) / 2;
    canvas.Fill(square.X + inset, square.Y + inset, square.X + inset + hole, square.Y + inset + hole,
                keyColour);
}

} // namespace quavix
