#include "Guitar.h"

#include "ColourScheme.h"

#include <algorithm>

namespace quavix {

using namespace FretboardGeometry;

namespace {

constexpr QRgb HeadColour = 0x000000;
constexpr QRgb NutLightColour = 0xC0A0A0;
constexpr QRgb WireColour = 0xC0C0C0;
constexpr QRgb WireShadowColour = 0x808080;
constexpr QRgb MarkerColour = 0xFFFF00;
constexpr QRgb MarkerCentreColour = 0xFF0000;
constexpr int StringCount = 6;
constexpr int MarkerSize = 7;

constexpr int BoardBottom = BoardTop + BoardHeight;

bool ValidString(int guitarString) {
    return guitarString >= 1 && guitarString <= StringCount;
}

// Left x of the marker: just behind the fret wire, or right of the last wire for the open string.
int MarkerLeft(int fret) {
    return fret >= 1 ? FretX(fret) - 10 : FretX(FretCount) + 10;
}

void PaintDot(Canvas& canvas, bool richColour, int x, int y) {
    canvas.Ellipse(x, y, x + DotSize, y + DotSize, DotOutlineColour(richColour), DotFillColour(richColour));
}

} // namespace

const std::array<std::array<std::int8_t, 13>, 6> FretNoteTable = {{
    {21, 22, -1, 23, -1, 24, -1, 25, 26, -1, -1, -1, -1},
    {18, 19, -1, 20, -1, 21, 22, -1, 23, -1, 24, -1, 25},
    {16, -1, 17, -1, 18, 19, -1, 20, -1, 21, 22, -1, 23},
    {13, -1, 14, 15, -1, 16, -1, 17, -1, 18, 19, -1, 20},
    {10, -1, 11, 12, -1, 13, -1, 14, 15, -1, 16, -1, 17},
    {7, 8, -1, 9, -1, 10, -1, 11, 12, -1, 13, -1, 14},
}};

int FretX(int fret) {
    const int count = std::clamp(fret, 0, static_cast<int>(FretWidths.size()));
    int x = NutX;
    for (int i = 0; i < count; ++i)
        x += FretWidths[static_cast<std::size_t>(i)];
    return x;
}

int StringSpacing() {
    return (BoardHeight - 2 * StringMargin + 1) / 5;
}

int StringY(int guitarString) {
    return BoardTop + (BoardHeight - 5 * StringSpacing() - 1) / 2 + StringSpacing() * (guitarString - 1);
}

int FretPositionAt(int x, int y, int& guitarString, int& fret) {
    const int half = StringSpacing() / 2;
    int s = StringCount;
    bool found = false;
    while (s > 0 && !found) {
        if (y >= StringY(s) + half)
            s = 0;
        else if (y < StringY(s) - half)
            --s;
        else
            found = true;
    }
    guitarString = s;
    if (!found)
        return -1;

    int f = FretCount;
    int hit = 0; // the open string unless the scan stops at a fret
    while (f >= 0) {
        if (x > FretX(f) + 2) {
            hit = f + 1;
            break;
        }
        if (x > FretX(f) - 2) {
            fret = f;
            return -1; // on a fret wire
        }
        --f;
    }
    fret = hit;
    // Right of the last wire there is no fret to play: the pointer has left the board.
    if (hit > FretCount)
        return -1;
    return FretNoteTable[static_cast<std::size_t>(s - 1)][static_cast<std::size_t>(hit)];
}

int SharpFretBelowAt(int x, int y, int& guitarString, int& fret) {
    if (FretPositionAt(x, y, guitarString, fret) >= 0 || guitarString < 1 || fret < 1 || fret > FretCount)
        return -1;
    // On a wire the pointer lies within two pixels of it; in a cell it stays left of the cell's own wire.
    if (x > FretX(fret) - 2)
        return -1;
    return FretNoteTable[static_cast<std::size_t>(guitarString - 1)][static_cast<std::size_t>(fret - 1)];
}

bool LowestPositionOf(int note, int& guitarString, int& fret) {
    for (int f = 0; f <= FretCount; ++f) {
        for (int s = 1; s <= StringCount; ++s) {
            if (FretNoteTable[static_cast<std::size_t>(s - 1)][static_cast<std::size_t>(f)] == note &&
                note >= 0) {
                guitarString = s;
                fret = f;
                return true;
            }
        }
    }
    return false;
}

QRect FretMarkerRect(int guitarString, int fret) {
    return QRect(MarkerLeft(fret), StringY(guitarString) - 3, MarkerSize, MarkerSize);
}

void PaintFretCell(Canvas& canvas, bool richColour, int fret, bool withMarker, const FretPosition& marker) {
    if (fret < 0 || fret > FretCount)
        return;
    const int width = canvas.Width();

    if (fret >= 1) {
        canvas.Fill(FretX(fret - 1) + 2, BoardTop, FretX(fret), BoardBottom, FretCellColour(richColour));
        canvas.Line(FretX(fret), BoardTop, FretX(fret), BoardBottom, WireColour);
        canvas.Line(FretX(fret) + 1, BoardTop, FretX(fret) + 1, BoardBottom, WireShadowColour);

        const int dx = (FretX(fret - 1) + FretX(fret)) / 2 - DotSize / 2 + 1;
        const int dy = BoardHeight / 2 + BoardTop - DotSize / 2;
        if (fret == 3 || fret == 7 || fret == 9 || fret == 12)
            PaintDot(canvas, richColour, dx, dy);
        if (fret == 5 || fret == 12) {
            PaintDot(canvas, richColour, dx, dy - BoardHeight / 4);
            PaintDot(canvas, richColour, dx, dy - BoardHeight / 4 + BoardHeight / 2);
        }
    } else {
        // The open-string cell lies right of the last wire; at the usual width it is empty.
        canvas.Fill(FretX(FretCount) + 2, BoardTop, width, BoardBottom, OpenCellColour(richColour));
    }

    if (withMarker && marker.Note >= 0 && marker.Fret == fret && ValidString(marker.String)) {
        const QRect square = FretMarkerRect(marker.String, fret);
        const int xm = square.left();
        const int ym = square.top();
        canvas.Fill(xm, ym, xm + MarkerSize, ym + MarkerSize, MarkerColour);
        canvas.Fill(xm + 2, ym + 2, xm + 5, ym + 5, MarkerCentreColour);
    }

    // Strings come last so they cross the dots and the marker; in the first cell they also run over the
    // head and the nut from the box's left edge.
    const int x1 = fret == 0 ? FretX(FretCount) : fret == 1 ? 0 : FretX(fret - 1);
    const int x2 = fret == 0 ? width : FretX(fret) + 2;
    for (int s = 1; s <= StringCount; ++s)
        canvas.Line(x1, StringY(s), x2, StringY(s), StringColour(richColour));
}

void PaintFretboard(Canvas& canvas, bool richColour, const FretPosition& marker) {
    const int width = canvas.Width();
    canvas.Fill(0, 0, width, BoardTop - 2, BandColour(richColour));
    canvas.Fill(0, BoardBottom + 2, width, canvas.Height(), BandColour(richColour));
    canvas.Fill(0, BoardTop - 2, width, BoardTop, EdgeColour(richColour));
    canvas.Fill(0, BoardBottom, width, BoardBottom + 2, EdgeColour(richColour));
    canvas.Fill(0, BoardTop, NutX, BoardBottom, HeadColour);
    canvas.Line(NutX, BoardTop, NutX, BoardBottom, NutLightColour);
    canvas.Line(NutX + 1, BoardTop, NutX + 1, BoardBottom, WireShadowColour);
    for (int fret = 0; fret <= FretCount; ++fret)
        PaintFretCell(canvas, richColour, fret, true, marker);
}

} // namespace quavix
