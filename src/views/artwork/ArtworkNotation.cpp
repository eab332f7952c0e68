// The staff pictures: clefs and half notes.

#include "ArtworkClefs.h"
#include "ArtworkDrawing.h"
#include "ArtworkTools.h"
#include "PictureSet.h"

#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace quavix::ArtworkDrawing {

using namespace Tools;
using Artwork::NoteCount;
using Artwork::NoteGrey;

namespace {

constexpr int ClefWidth = 29;
constexpr int ClefHeight = 72;
constexpr int NoteWidth = 20;
constexpr int NoteHeight = 68;
constexpr QRgb Black = 0x000000;
// The staff lines of a clef picture continue the lines of the staff it is drawn on.
constexpr std::array<int, 5> ClefStaffRows{14, 24, 34, 44, 54};

QImage MakeClef(bool treble, QRgb ink, const PictureGrid& grid) {
    Sheet sheet(ClefWidth, ClefHeight, grid);
    const bool smooth = !grid.IsUnit();
    const Coverage shape = sheet.Cover([treble, smooth](QPainter& painter) {
        if (treble)
            PaintTrebleClef(painter);
        else
            PaintBassClef(painter, 0.0, smooth);
    });
    sheet.Put(shape, ink, 0xE0E0E0);
    for (int row : ClefStaffRows)
        sheet.LevelLine(0, ClefWidth - 1, row, Black);
    return sheet.Take();
}

// Half-note heads, 13 pixels wide (picture columns 4 to 16), drawn pixel by pixel: at this size a
// hand-placed ring keeps the slanted hole of an engraved head open, which rasterising an ellipse does
// not. '#' is black, '+' the note grey. One head is centred on a pixel row, the other between two rows.
constexpr int HeadLeft = 4;

void PaintHead(QImage& picture, int top, bool tall) {
    const std::initializer_list<Ink> palette{{'#', Black}, {'+', NoteGrey}};
    if (tall) {
        PaintRows(picture, HeadLeft, top,
                  {"....######+..", "..+#########.", ".+#####+.+##+", ".####+....###", "####+.....###",
                   "####.....####", "###.....+####", "###....+####.", "+##+.+#####+.", ".#########+..",
                   "..+######...."},
                  palette);
    } else {
        PaintRows(picture, HeadLeft, top,
                  {"....######+..", "..+#########.", ".+####+...###", "####+.....###", "####.....+###",
                   "###+.....####", "###.....+####", "###...+####+.", ".#########+..", "..+######...."},
                  palette);
    }
}

struct NoteShape {
    bool stemUp;
    int stemTop, stemBottom;
    int headTop;
    bool tallHead; // 11 rows centred on a row, else 10 rows centred between two
    std::initializer_list<int> ledgers;
};

// Indexed by glyph. The rows line the head up with the staff position the note table gives each glyph.
const std::array<NoteShape, NoteCount>& NoteShapes() {
    static const std::array<NoteShape, NoteCount> shapes{{
        {true, 1, 36, 31, true, {}},
        {true, 1, 36, 31, true, {36}},
        {false, 7, 41, 1, true, {}},
        {false, 6, 41, 1, true, {6}},
        {true, 3, 41, 37, false, {36}},
        {true, 4, 46, 41, true, {36, 46}},
        {true, 9, 51, 47, false, {36, 46}},
        {true, 11, 56, 51, true, {36, 46, 56}},
        {true, 13, 61, 57, false, {36, 46, 56}},
        {false, 6, 44, 1, false, {11}},
    }};
    return shapes;
}

// The head as an engraver draws it, for screens with more than one device pixel to a logical one: a
// tilted oval, 13 by about 10.5 logical pixels like the hand-placed head, round a narrower hole tilted more
// steeply, so the ring is thin at its upper left and lower right and heavy across.
void PaintSmoothHead(Sheet& sheet, const NoteShape& shape) {
    const double centreX = HeadLeft + 6.5;
    const double centreY = shape.headTop + (shape.tallHead ? 5.5 : 5.0);
    const Coverage ring = sheet.Cover([&](QPainter& painter) {
        auto oval = [&](double rx, double ry, double degrees) {
            QPainterPath path;
            path.addEllipse(QPointF(0, 0), rx, ry);
            QTransform place;
            place.translate(centreX, centreY);
            place.rotate(degrees);
            return place.map(path);
        };
        painter.drawPath(oval(6.68, 4.97, -20).subtracted(oval(4.7, 2.25, -36)));
    });
    sheet.Put(ring, Black, 0xC8C8C8, 0.55f, 0.25f);
}

QImage MakeNote(const NoteShape& shape, const PictureGrid& grid) {
    Sheet sheet(NoteWidth, NoteHeight, grid);
    const int headBottom = shape.headTop + (shape.tallHead ? 10 : 9);
    const int stemColumn = shape.stemUp ? 15 : 4;
    if (grid.IsUnit()) {
        PaintHead(sheet.Image(), shape.headTop, shape.tallHead);
        // The grey column beside the stem makes the one-pixel stem read a little heavier, as printed stems
        // do; it stops where the stem meets the head.
        sheet.Column(stemColumn, shape.stemTop, shape.stemBottom, Black);
        if (shape.stemUp)
            sheet.Column(16, shape.stemTop, shape.headTop - 1, NoteGrey);
        else
            sheet.Column(5, headBottom + 1, shape.stemBottom, NoteGrey);
    } else {
        PaintSmoothHead(sheet, shape);
        // With device pixels to spare the stem gets the weight the grey column only suggests at 1:1.
        const int weight = std::max(sheet.Grid().LineWeight(), int(std::floor(1.4 * sheet.Ratio() + 0.5)));
        const int top = sheet.Grid().Y(shape.stemTop);
        sheet.DeviceRect(
            QRect(sheet.Grid().X(stemColumn), top, weight, sheet.Grid().Y(shape.stemBottom + 1) - top),
            Black);
    }
    // Ledger lines are the staff's lines continued, so they take the canvas's line weight and rows.
    for (int row : shape.ledgers)
        sheet.LevelLine(0, NoteWidth - 1, row, Black);
    return sheet.Take();
}

} // namespace

namespace Tools {

// The G clef: the line rises from a ball below the staff, loops at the top, swings down across itself
// into a bowl round the G line and curls inwards to end beside the line's crossing.
void PaintTrebleClef(QPainter& painter, double bolder) {
    // Ball at the foot of the line.
    const double ball = 3.3 + bolder / 2;
    painter.drawEllipse(QPointF(8.8, 66.6), ball, ball);
    PaintSwashes(painter,
                 {
                     // Foot hook, from the ball round the bottom and up into the line.
                     {{8.0, 68.6}, {9.0, 72.4}, {14.2, 72.2}, {15.2, 66.0}, 1.8, 1.8, 1.9},
                     // The long, slightly slanted line.
                     {{15.2, 66.0}, {15.6, 46.0}, {16.0, 28.0}, {16.4, 11.0}, 1.9, 1.7, 1.7},
                     // Up to the point at the top...
                     {{16.4, 11.0}, {16.2, 6.0}, {16.8, 2.2}, {18.8, 1.9}, 1.7, 1.6, 1.6},
                     // ... round and down the right of the loop...
                     {{18.8, 1.9}, {22.8, 1.6}, {24.2, 9.6}, {20.6, 14.6}, 1.6, 2.8, 3.2},
                     // ... across the line and down into the left of the bowl.
                     {{20.6, 14.6}, {16.5, 21.0}, {5.0, 27.0}, {3.4, 40.0}, 3.2, 4.0, 3.7},
                     // The bowl: left side, bottom, right side, top.
                     {{3.4, 40.0}, {2.6, 50.5}, {9.0, 54.0}, {14.5, 54.0}, 3.7, 2.4, 1.8},
                     {{14.5, 54.0}, {21.0, 54.0}, {25.5, 50.0}, {25.5, 44.5}, 1.8, 3.0, 3.5},
                     {{25.5, 44.5}, {25.5, 38.0}, {20.5, 34.5}, {15.5, 34.5}, 3.5, 2.4, 1.6},
                     // The inner curl round the G line.
                     {{15.5, 34.5}, {11.5, 34.5}, {9.0, 37.5}, {9.2, 41.0}, 1.6, 1.9, 2.2},
                     {{9.2, 41.0}, {9.4, 45.5}, {13.0, 48.2}, {16.6, 46.0}, 2.2, 2.3, 2.6},
                 },
                 bolder);
}

// The F clef: a round head on the F line, a swelling arc over the top and a tail sweeping down-left.
void PaintBassClef(QPainter& painter, double bolder, bool roundDots) {
    const double head = 3.6 + bolder / 2;
    painter.drawEllipse(QPointF(5.9, 24.5), head, head);
    PaintSwashes(painter,
                 {
                     {{3.0, 23.5}, {2.8, 18.0}, {7.5, 15.9}, {11.0, 15.9}, 1.6, 1.7, 1.8},
                     {{11.0, 15.9}, {16.5, 15.9}, {19.8, 20.0}, {19.8, 25.0}, 1.8, 3.5, 4.4},
                     {{19.8, 25.0}, {19.8, 33.0}, {13.5, 40.0}, {3.0, 45.2}, 4.4, 3.0, 1.4},
                 },
                 bolder);
    // The two dots in the spaces either side of the F line. At 1:1 they are kept to whole pixels so they
    // stay round; with more device pixels to a unit they are true circles.
    const double grow = bolder / 2;
    for (double top : {17.0, 27.0}) {
        if (roundDots) {
            painter.drawEllipse(QPointF(26.0, top + 2.5), 2.75 + grow, 2.6 + grow);
            continue;
        }
        painter.drawRect(QRectF(24 - grow, top - grow, 4 + 2 * grow, 5 + 2 * grow));
        painter.drawRect(QRectF(23 - grow, top + 1 - grow, 6 + 2 * grow, 3 + 2 * grow));
    }
}

} // namespace Tools

QImage Clef(int index, const PictureGrid& grid) {
    // 0 black bass, 1 black treble, 2 grey bass, 3 grey treble, 4 alto, 5 tenor, 6 octave treble
    static_assert(Artwork::ClefCount == 7);
    if (index < 0 || index >= Artwork::ClefCount)
        throw std::out_of_range("clef index");
    switch (index) {
    case Artwork::AltoClefPicture:
        return CClef(34, Black, grid); // the middle line
    case Artwork::TenorClefPicture:
        return CClef(24, Black, grid); // the fourth line
    case Artwork::OctaveTreblePicture:
        return OctaveTrebleClef(Black, grid);
    default:
        return MakeClef(index % 2 == 1, index < 2 ? Black : NoteGrey, grid);
    }
}

QImage Note(int glyph, const PictureGrid& grid) {
    return MakeNote(NoteShapes().at(glyph), grid);
}

} // namespace quavix::ArtworkDrawing
