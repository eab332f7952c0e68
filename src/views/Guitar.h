#pragma once

#include "Canvas.h"

#include <QRect>

#include <array>
#include <cstdint>

namespace quavix {

namespace FretboardGeometry {
constexpr std::int32_t BoardTop = 12;
constexpr std::int32_t BoardHeight = 77;
constexpr std::int32_t NutX = 26;
constexpr std::int32_t StringMargin = 6;
constexpr std::int32_t FretCount = 12;
constexpr std::int32_t DotSize = 10;
constexpr std::array<std::int32_t, 13> FretWidths = {47, 42, 38, 34, 31, 28, 26, 24, 22, 20, 19, 18, 17};
} // namespace FretboardGeometry

int FretX(int fret);
int StringSpacing();
int StringY(int guitarString);

// Staff step of the written note at [string - 1][fret], -1 where the position gives no answer.
extern const std::array<std::array<std::int8_t, 13>, 6> FretNoteTable;

// A held position on the fretboard.
struct FretPosition {
    std::int32_t Note = -1; // -1: none
    std::int32_t String = 0;
    std::int32_t Fret = 0;
};

// The note under the point or -1; writes the string and (once a string is found) the fret.
int FretPositionAt(int x, int y, int& guitarString, int& fret);
// The natural note a semitone below the fret at (x, y) when that fret sounds a sharp (a cell that
// FretPositionAt leaves without a note), or -1.
int SharpFretBelowAt(int x, int y, int& guitarString, int& fret);

// Where a written note lies lowest on the neck (on an open string where it can), as a player reading in the
// first position finds it. False when no position gives the note.
bool LowestPositionOf(int note, int& guitarString, int& fret);

// Paints the whole fretboard, with the marker of a held position (Note >= 0).
void PaintFretboard(Canvas& canvas, bool richColour, const FretPosition& marker);
// Paints one fret cell (0 the open-string cell) exactly as the full paint does, with the marker when
// withMarker is true and the held position lies in this cell.
void PaintFretCell(Canvas& canvas, bool richColour, int fret, bool withMarker, const FretPosition& marker);
// The 7 x 7 square the marker of a position covers (for the open string it lies right of the box). Showing or
// hiding the marker changes no pixel of its cell outside it, so a drag repaints the cell clipped to it.
QRect FretMarkerRect(int guitarString, int fret);

} // namespace quavix
