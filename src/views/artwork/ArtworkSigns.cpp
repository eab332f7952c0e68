// The sharp, flat and natural signs, in the weight of the clefs and note heads: thin upright strokes and
// heavy slanted bars, as engraved signs have. The uprights cover whole logical columns, so at 1:1 they are
// one sharp pixel wide; the bars and the flat's bowl are smoothed at the edges like the clefs.

#include "ArtworkDrawing.h"
#include "ArtworkTools.h"
#include "PictureSet.h"

#include <QPainterPath>

#include <stdexcept>

namespace quavix::ArtworkDrawing {

using namespace Tools;
using Artwork::SignCentreRow;
using Artwork::SignHeight;
using Artwork::SignWidth;

namespace {

constexpr QRgb Black = 0x000000;
constexpr double BarRise = 2.0;    // how much a bar climbs across the sign
constexpr double BarSpacing = 6.0; // between the two bars, centre to centre

// A bar rising to the right, centred on row `middle`, from x0 to x1.
void AddBar(QPainterPath& path, double x0, double x1, double middle, double weight) {
    const double half = weight / 2;
    const double rise = BarRise / 2;
    QPolygonF bar;
    bar << QPointF(x0, middle + rise - half) << QPointF(x1, middle - rise - half)
        << QPointF(x1, middle - rise + half) << QPointF(x0, middle + rise + half);
    QPainterPath piece;
    piece.addPolygon(bar);
    piece.closeSubpath();
    // United, not added: where a bar crosses an upright the path would otherwise cover the crossing twice,
    // and the default odd-even fill leaves it empty, a hole in the middle of the sign.
    path = path.united(piece);
}

// An upright stroke covering column x (and `weight` columns) from row top to row bottom, both included.
void AddStem(QPainterPath& path, double x, int top, int bottom, double weight) {
    QPainterPath piece;
    piece.addRect(QRectF(x + 0.5 - weight / 2, top, weight, bottom - top + 1));
    path = path.united(piece);
}

// The signs in the units of the staff's sign pictures (SignWidth x SignHeight, the altered place on row
// SignCentreRow).
QPainterPath SignShape(int index) {
    const double stem = 1.0;
    const double bar = 2.4;
    const double centre = SignCentreRow + 0.5;
    QPainterPath path;
    switch (index) {
    case 0: // sharp: the right upright stands a little higher, as the bars climb
        AddBar(path, 0, SignWidth, centre - BarSpacing / 2, bar);
        AddBar(path, 0, SignWidth, centre + BarSpacing / 2, bar);
        AddStem(path, 1, SignCentreRow - 11, SignCentreRow + 12, stem);
        AddStem(path, 5, SignCentreRow - 12, SignCentreRow + 11, stem);
        break;
    case 1: { // flat: a tall stem and a bowl heavy on the right, round the altered place
        const double c = centre;
        QPainterPath bowl;
        bowl.moveTo(1.5, c - 2.0);
        bowl.cubicTo(3.5, c - 5.2, 7.8, c - 4.8, 6.8, c - 1.0);
        bowl.cubicTo(6.2, c + 1.8, 3.6, c + 3.6, 1.5, c + 4.9);
        bowl.lineTo(1.5, c + 2.8);
        bowl.cubicTo(3.4, c + 1.6, 4.9, c + 0.2, 4.9, c - 1.2);
        bowl.cubicTo(4.9, c - 3.0, 3.2, c - 2.6, 1.5, c - 0.4);
        bowl.closeSubpath();
        path = path.united(bowl);
        AddStem(path, 1, SignCentreRow - 14, SignCentreRow + 5, stem);
        break;
    }
    default: // natural: the left upright rises from the lower bar, the right one falls from the upper
        AddBar(path, 1, SignWidth - 1, centre - BarSpacing / 2, bar);
        AddBar(path, 1, SignWidth - 1, centre + BarSpacing / 2, bar);
        AddStem(path, 1, SignCentreRow - 11, SignCentreRow + 4, stem);
        AddStem(path, 5, SignCentreRow - 4, SignCentreRow + 11, stem);
        break;
    }
    return path;
}

} // namespace

QImage Sign(int index, const PictureGrid& grid) {
    if (index < 0 || index >= Artwork::SignCount)
        throw std::out_of_range("sign index");
    Sheet sheet(SignWidth, SignHeight, grid);
    const QPainterPath shape = SignShape(index);
    sheet.Put(sheet.Cover([&shape](QPainter& painter) { painter.drawPath(shape); }), Black);
    return sheet.Take();
}

QImage SignButton(int index, bool enabled, double ratio) {
    if (index < 0 || index >= Artwork::SignCount)
        throw std::out_of_range("sign index");
    // Drawn for the button rather than scaled from the staff's sign, in the weight and height of the
    // letters beside it: the uprights are whole logical columns, so they stay sharp at every ratio, and
    // only the slanted bars and the flat's bowl are smoothed at their edges, as the letters' curves are.
    constexpr int Size = 24;
    Sheet sheet(Size, Size, PictureGrid(ratio));
    QPainterPath smooth;
    switch (index) {
    case 0: // sharp: two uprights, the right one a little higher, and two heavy bars rising to the right
        AddBar(smooth, 5, 19, 9.5, 3.2);
        AddBar(smooth, 5, 19, 15.5, 3.2);
        sheet.Rect(9, 4, 11, 22, Black);
        sheet.Rect(14, 3, 16, 21, Black);
        break;
    case 1: { // flat: a tall upright and a bowl heavy on the right, closing on the upright at the foot
        smooth.moveTo(9, 12.6);
        smooth.cubicTo(11.6, 9.6, 17.4, 9.6, 16.8, 14.2);
        smooth.cubicTo(16.4, 17.2, 12.8, 19.4, 9, 21.6);
        smooth.lineTo(9, 18.8);
        smooth.cubicTo(11.6, 17.4, 14.0, 15.8, 13.8, 14.2);
        smooth.cubicTo(13.6, 12.2, 11.2, 12.6, 9, 15.0);
        smooth.closeSubpath();
        sheet.Rect(7, 3, 9, 22, Black);
        break;
    }
    default: // natural: the uprights each meet one bar's end, as the staff's sign has them
        AddBar(smooth, 7, 17, 9.5, 3.2);
        AddBar(smooth, 7, 17, 15.5, 3.2);
        sheet.Rect(7, 4, 9, 18, Black);
        sheet.Rect(15, 7, 17, 21, Black);
        break;
    }
    sheet.Put(sheet.Cover([&smooth](QPainter& painter) { painter.drawPath(smooth.simplified()); }), Black);
    QImage picture = sheet.Take();
    return enabled ? picture : Greyed(picture);
}

} // namespace quavix::ArtworkDrawing
