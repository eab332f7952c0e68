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
    path.addPolygon(bar);
    path.closeSubpath();
}

// An upright stroke covering column x (and `weight` columns) from row top to row bottom, both included.
void AddStem(QPainterPath& path, double x, int top, int bottom, double weight) {
    path.addRect(QRectF(x + 0.5 - weight / 2, top, weight, bottom - top + 1));
}

// The signs in the units of the staff's sign pictures (SignWidth x SignHeight, the altered place on row
// SignCentreRow). `bolder` thickens the strokes for the smaller button pictures.
QPainterPath SignShape(int index, double bolder) {
    const double stem = 1.0 + bolder;
    const double bar = 2.4 + bolder;
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
        path.addPath(bowl);
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
    return path.simplified();
}

} // namespace

QImage Sign(int index, const PictureGrid& grid) {
    if (index < 0 || index >= Artwork::SignCount)
        throw std::out_of_range("sign index");
    Sheet sheet(SignWidth, SignHeight, grid);
    const QPainterPath shape = SignShape(index, 0.0);
    sheet.Put(sheet.Cover([&shape](QPainter& painter) { painter.drawPath(shape); }), Black);
    return sheet.Take();
}

QImage SignButton(int index, bool enabled, double ratio) {
    if (index < 0 || index >= Artwork::SignCount)
        throw std::out_of_range("sign index");
    // The staff's sign wider and shorter, with heavier strokes, so it stands beside the letters'
    // bold pictures, centred on the button's 24 x 24 picture.
    constexpr double ScaleX = 1.9;
    constexpr double ScaleY = 0.66;
    constexpr int Size = 24;
    Sheet sheet(Size, Size, PictureGrid(ratio));
    const QPainterPath shape = SignShape(index, 0.7);
    sheet.Put(sheet.Cover([&shape](QPainter& painter) {
        painter.translate((Size - SignWidth * ScaleX) / 2, (Size - SignHeight * ScaleY) / 2);
        painter.scale(ScaleX, ScaleY);
        painter.drawPath(shape);
    }),
              Black);
    QImage picture = sheet.Take();
    return enabled ? picture : Greyed(picture);
}

} // namespace quavix::ArtworkDrawing
