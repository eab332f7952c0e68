#include "StaffDrawing.h"

#include "Artwork.h"
#include "Clefs.h"

namespace quavix {

namespace {
constexpr QRgb Black = 0x000000;
constexpr int StaffHeight = 4 * StaffLineSpacing;
constexpr int NoteWidth = 20;
} // namespace

int ClefPicture(std::uint8_t clef, bool asked) {
    switch (clef) {
    case BassClef:
        return asked ? 0 : 2;
    case AltoClef:
        return Artwork::AltoClefPicture;
    case TenorClef:
        return Artwork::TenorClefPicture;
    case OctaveTrebleClef:
        return Artwork::OctaveTreblePicture;
    default:
        return asked ? 1 : 3;
    }
}

void DrawLedgerLines(Canvas& canvas, const NoteEntry& note, int x, int dy) {
    if (note.StaffTop == 0)
        return;
    const int staffTop = note.StaffTop + dy;
    const int bottomLine = staffTop + StaffHeight;
    const int headY = note.Top + dy + HeadOffset(note.Glyph);
    for (int y = staffTop - StaffLineSpacing; y >= headY; y -= StaffLineSpacing)
        canvas.Line(x, y, x + NoteWidth, y, Black);
    for (int y = bottomLine + StaffLineSpacing; y <= headY; y += StaffLineSpacing)
        canvas.Line(x, y, x + NoteWidth, y, Black);
}

} // namespace quavix
