// The clefs past treble and bass: the C clef, drawn on the line it names (the middle line for the alto
// clef, the fourth for the tenor clef), and the treble clef with the small 8 beneath it that says the
// music sounds an octave lower. They share the treble and bass clefs' picture size, staff rows and ink.

#include "ArtworkClefs.h"
#include "ArtworkTools.h"

#include <QPainterPath>

#include <array>

namespace quavix::ArtworkDrawing {

using namespace Tools;

namespace {

constexpr int ClefWidth = 29;
constexpr int ClefHeight = 72;
constexpr int OctaveClefHeight = 84; // the 8 hangs below the treble clef's ball
constexpr QRgb Black = 0x000000;
constexpr std::array<int, 5> ClefStaffRows{14, 24, 34, 44, 54};

// One half of the C clef, drawn above the centre line; `flip` mirrors it below. The arm leaves the thin
// bar at the centre, swells into the heavy back and turns in over the top to end in a ball beside the bar.
void PaintCClefHalf(QPainter& painter, double centre, double flip) {
    auto at = [centre, flip](double x, double up) { return QPointF(x, centre - flip * up); };
    PaintSwashes(painter, {
                              {at(10.4, 0.3), at(12.6, 3.4), at(15.0, 6.6), at(19.0, 7.4), 1.3, 1.7, 2.2},
                              {at(19.0, 7.4), at(24.6, 8.4), at(27.2, 13.2), at(25.6, 17.0), 2.2, 3.6, 3.4},
                              {at(25.6, 17.0), at(24.0, 20.6), at(17.8, 21.0), at(15.4, 17.4), 3.4, 1.9, 1.4},
                          });
    painter.drawEllipse(at(16.6, 15.2), 2.9, 2.9);
}

void PaintCClef(QPainter& painter, double centre) {
    constexpr double Reach = 20.8; // from the centre line to the bars' ends, a little past the staff
    painter.drawRect(QRectF(2.0, centre - Reach, 4.8, 2 * Reach));
    painter.drawRect(QRectF(8.4, centre - Reach, 1.5, 2 * Reach));
    PaintCClefHalf(painter, centre, 1.0);
    PaintCClefHalf(painter, centre, -1.0);
}

// A small 8 as a writer draws it: a smaller loop above a larger one, each a ring.
void PaintOctaveEight(QPainter& painter, QPointF centre) {
    QPainterPath eight;
    auto ring = [&eight](QPointF middle, double rx, double ry, double thickness) {
        QPainterPath outer;
        outer.addEllipse(middle, rx, ry);
        QPainterPath inner;
        inner.addEllipse(middle, rx - thickness, ry - thickness);
        eight = eight.united(outer.subtracted(inner));
    };
    ring(centre + QPointF(0, -2.7), 2.5, 2.4, 1.3);
    ring(centre + QPointF(0, 2.4), 2.9, 2.8, 1.4);
    painter.drawPath(eight);
}

void PutStaffRows(Sheet& sheet) {
    for (int row : ClefStaffRows)
        sheet.LevelLine(0, ClefWidth - 1, row, Black);
}

} // namespace

QImage CClef(int centreRow, QRgb ink, const PictureGrid& grid) {
    Sheet sheet(ClefWidth, ClefHeight, grid);
    const Coverage shape =
        sheet.Cover([centreRow](QPainter& painter) { PaintCClef(painter, centreRow + 0.5); });
    sheet.Put(shape, ink, 0xE0E0E0);
    PutStaffRows(sheet);
    return sheet.Take();
}

QImage OctaveTrebleClef(QRgb ink, const PictureGrid& grid) {
    Sheet sheet(ClefWidth, OctaveClefHeight, grid);
    const Coverage shape = sheet.Cover([](QPainter& painter) {
        PaintTrebleClef(painter);
        PaintOctaveEight(painter, QPointF(9.5, 77.5));
    });
    sheet.Put(shape, ink, 0xE0E0E0);
    PutStaffRows(sheet);
    return sheet.Take();
}

} // namespace quavix::ArtworkDrawing
