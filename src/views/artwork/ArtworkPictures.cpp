// The single pictures: the countdown hourglass, the logo and program icon, and the link pointer.

#include "ArtworkDrawing.h"
#include "ArtworkTools.h"

#include <QPainterPathStroker>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace quavix::ArtworkDrawing {

using namespace Tools;

namespace {

// ---- Hourglass ------------------------------------------------------------------------------------

constexpr int TimerWidth = 80;
constexpr int TimerHeight = 134;
constexpr double GlassCentre = 40.0;
constexpr double GlassTop = 10.0;
constexpr double GlassBottom = 124.0;
constexpr double Neck = 67.0;

// Half the inside width of the glass at height y: round bulbs narrowing to a slim neck.
double GlassHalfWidth(double y) {
    const bool upper = y < Neck;
    const double t = upper ? (Neck - y) / (Neck - GlassTop) : (y - Neck) / (GlassBottom - Neck);
    // t runs from 0 at the neck to 1 at the cap.
    const double bulb = std::sin(std::min(1.0, t * 1.25) * M_PI / 2.0);
    return 2.0 + 25.0 * std::pow(bulb, 1.6) - (t > 0.8 ? (t - 0.8) * 18.0 : 0.0);
}

QPainterPath GlassPath(double grow) {
    QPainterPath path;
    const int steps = 228;
    for (int i = 0; i <= steps; ++i) {
        const double y = GlassTop + (GlassBottom - GlassTop) * i / steps;
        const QPointF p(GlassCentre - GlassHalfWidth(y) - grow, y);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    for (int i = steps; i >= 0; --i) {
        const double y = GlassTop + (GlassBottom - GlassTop) * i / steps;
        path.lineTo(GlassCentre + GlassHalfWidth(y) + grow, y);
    }
    path.closeSubpath();
    return path;
}

void PaintCap(Sheet& sheet, int top) {
    // A turned wooden disc seen from the side: lit top edge, darker bottom edge, rounded ends.
    const Coverage disc =
        sheet.Cover([top](QPainter& painter) { painter.drawRoundedRect(QRectF(3, top, 74, 10), 4, 4); });
    const Coverage face = sheet.Cover(
        [top](QPainter& painter) { painter.drawRoundedRect(QRectF(4.5, top + 1.5, 71, 6.5), 3, 3); });
    const Coverage grain =
        sheet.Cover([top](QPainter& painter) { painter.drawRoundedRect(QRectF(7, top + 2.5, 60, 2), 1, 1); });
    sheet.Put(disc, 0xA55A10, 0xD8C0A0, 0.5f, 0.3f);
    sheet.Put(face, 0xCE8442, 0xA55A10, 0.5f, 0.5f);
    sheet.Put(grain, 0xD69439, 0xCE8442, 0.5f, 0.5f);
}

QImage MakeTimer(double ratio) {
    Sheet sheet(TimerWidth, TimerHeight, PictureGrid(ratio));
    const QPainterPath inside = GlassPath(0.0);

    // Sand in the upper bulb: a heap whose surface dips where it runs into the neck.
    const Coverage upperSand = sheet.Cover([&](QPainter& painter) {
        QPainterPath heap;
        heap.moveTo(0, 40);
        heap.cubicTo(28, 40, 35, 42, GlassCentre, 49);
        heap.cubicTo(45, 42, 52, 40, TimerWidth, 40);
        heap.lineTo(TimerWidth, Neck + 1);
        heap.lineTo(0, Neck + 1);
        heap.closeSubpath();
        painter.drawPath(heap.intersected(GlassPath(-0.5)));
    });
    const Coverage upperLight = sheet.Cover([&](QPainter& painter) {
        QPainterPath band;
        band.moveTo(0, 40);
        band.cubicTo(28, 40, 35, 42, GlassCentre, 49);
        band.cubicTo(45, 42, 52, 40, TimerWidth, 40);
        band.lineTo(TimerWidth, 42.5);
        band.cubicTo(52, 42.5, 45, 44.5, GlassCentre, 52);
        band.cubicTo(35, 44.5, 28, 42.5, 0, 42.5);
        band.closeSubpath();
        painter.drawPath(band.intersected(GlassPath(-0.5)));
    });
    // The heap below, fed by a thin stream from the neck.
    const Coverage lowerSand = sheet.Cover([&](QPainter& painter) {
        QPainterPath heap;
        heap.moveTo(0, 120);
        heap.cubicTo(20, 118, 32, 102, GlassCentre, 100);
        heap.cubicTo(48, 102, 60, 118, TimerWidth, 120);
        heap.lineTo(TimerWidth, GlassBottom + 1);
        heap.lineTo(0, GlassBottom + 1);
        heap.closeSubpath();
        painter.drawPath(heap.intersected(GlassPath(-0.5)));
        painter.drawRect(QRectF(GlassCentre - 0.5, Neck - 2, 1.0, 36));
    });
    const Coverage lowerShade = sheet.Cover([&](QPainter& painter) {
        QPainterPath side;
        side.moveTo(GlassCentre + 1, 101);
        side.cubicTo(48, 104, 60, 118, TimerWidth, 120);
        side.lineTo(TimerWidth, GlassBottom + 1);
        side.lineTo(GlassCentre + 6, GlassBottom + 1);
        side.cubicTo(GlassCentre + 8, 116, GlassCentre + 6, 106, GlassCentre + 1, 101);
        side.closeSubpath();
        painter.drawPath(side.intersected(GlassPath(-0.5)));
    });
    const Coverage lowerLight = sheet.Cover([&](QPainter& painter) {
        QPainterPath side;
        side.moveTo(GlassCentre - 1, 101.5);
        side.cubicTo(34, 103, 26, 110, 20, 116);
        side.cubicTo(26, 113, 33, 108, GlassCentre - 1, 106);
        side.closeSubpath();
        painter.drawPath(side.intersected(GlassPath(-0.5)));
    });
    sheet.Put(upperSand, 0xFFE700, 0xFFF4A0, 0.5f, 0.5f);
    sheet.Put(upperLight, 0xFFFF9C, 0xFFE700, 0.5f, 0.5f);
    sheet.Put(lowerSand, 0xFFCE00, 0xFFE880, 0.5f, 0.35f);
    sheet.Put(lowerLight, 0xFFE700, 0xFFCE00, 0.5f, 0.5f);
    sheet.Put(lowerShade, 0xFFB500, 0xFFCE00, 0.5f, 0.5f);

    // The glass: a light grey outline, two pixels thick, with a white glint down the left of each bulb.
    const Coverage glass =
        sheet.Cover([&](QPainter& painter) { painter.drawPath(GlassPath(1.8).subtracted(inside)); });
    const Coverage glint = sheet.Cover([&](QPainter& painter) {
        QPainterPathStroker stroker;
        stroker.setWidth(1.6);
        stroker.setCapStyle(Qt::RoundCap);
        QPainterPath upper;
        upper.moveTo(GlassCentre - GlassHalfWidth(20) + 3.5, 20);
        for (double y = 21; y <= 38; y += 1)
            upper.lineTo(GlassCentre - GlassHalfWidth(y) + 3.5, y);
        QPainterPath lower;
        lower.moveTo(GlassCentre - GlassHalfWidth(84) + 3.5, 84);
        for (double y = 85; y <= 98; y += 1)
            lower.lineTo(GlassCentre - GlassHalfWidth(y) + 3.5, y);
        painter.drawPath(stroker.createStroke(upper));
        painter.drawPath(stroker.createStroke(lower));
    });
    sheet.Put(glass, 0xD6D6CE, 0xECECE8, 0.45f, 0.25f);
    sheet.Put(glint, 0xFFFFFF, 0xF4F4F4, 0.5f, 0.5f);

    // Three slim turned posts hold the caps apart; the middle one stands behind the glass.
    for (int x : {6, 71}) {
        sheet.Rect(x, 9, x + 3, 126, 0xCE8442);
        sheet.Column(x, 9, 125, 0xD69439);
        sheet.Column(x + 2, 9, 125, 0xA55A10);
    }
    PaintCap(sheet, 0);
    PaintCap(sheet, 124);
    return sheet.Take();
}

// ---- Logo and program icon --------------------------------------------------------------------------

constexpr QRgb LogoRed = 0xD8141E;
constexpr QRgb LogoDarkRed = 0x8C0A10;
constexpr QRgb LogoFrame = 0x9C9C9C;

// The mark: a red quaver and a black "2", laid out on a 96-unit square.
QPainterPath QuaverHead() {
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 13.0, 9.2);
    QTransform tilt;
    tilt.translate(29, 68);
    tilt.rotate(-22);
    return tilt.map(head);
}

QPainterPath QuaverStemAndFlag() {
    QPainterPath path;
    path.addRect(QRectF(37.6, 13, 4.2, 52));
    QPainterPath flag;
    flag.moveTo(37.6, 13);
    flag.cubicTo(40, 27, 60, 31, 55, 55);
    flag.cubicTo(54, 44, 48, 38, 40, 35);
    flag.closeSubpath();
    return path.united(flag);
}

QPainterPath DigitTwo() {
    QPainterPath centre;
    centre.moveTo(62.5, 40);
    centre.cubicTo(62.5, 31, 68, 27, 74, 27);
    centre.cubicTo(80.5, 27, 85, 31, 85, 37.5);
    centre.cubicTo(85, 45, 79, 50, 73, 55.5);
    centre.lineTo(65, 65);
    QPainterPathStroker stroker;
    stroker.setWidth(8.0);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    QPainterPath two = stroker.createStroke(centre);
    QPainterPath base;
    base.addRect(QRectF(60.5, 63, 28, 8.0));
    return two.united(base);
}

// SVG path data of a path: its moves, lines and cubic curves as they are.
QByteArray PathData(const QPainterPath& path) {
    QByteArray data;
    auto number = [](double value) { return QByteArray::number(value, 'g', 6); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            data += "M" + number(e.x) + " " + number(e.y);
        } else if (e.isLineTo()) {
            data += "L" + number(e.x) + " " + number(e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += "C" + number(e.x) + " " + number(e.y) + " " + number(c2.x) + " " + number(c2.y) + " " +
                    number(end.x) + " " + number(end.y);
            i += 2;
        }
    }
    return data + "Z";
}

QByteArray SvgPath(const QPainterPath& path, QRgb colour) {
    return "  <path stroke=\"none\" fill=\"#" + QByteArray::number(colour, 16).rightJustified(6, '0') +
           "\" fill-rule=\"" + (path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd") + "\" d=\"" +
           PathData(path) + "\"/>\n";
}

QImage PaintMark(int size) {
    QImage picture = Blank(size, size);
    const double scale = size / 96.0;
    // The frame is a hairline of about 1.3 pixels at 96 and below, and grows with larger pictures.
    const double frame = 1.3 * std::max(1.0, scale);
    // Small icons drop the frame, which would eat a good part of them, and zoom in on the mark with
    // heavier strokes so it still reads at 16 pixels.
    const bool framed = size >= 48;
    const double zoom = framed ? 1.0 : 1.16;
    const double bolder = size <= 16 ? 3.0 : size <= 32 ? 1.0 : 0.0;
    auto cover = [&](auto&& paint) {
        return Cover(size, size, [&](QPainter& painter) {
            painter.scale(scale, scale);
            paint(painter);
        });
    };
    auto coverMark = [&](auto&& paint) {
        return cover([&](QPainter& painter) {
            painter.translate(48, 48);
            painter.scale(zoom, zoom);
            painter.translate(-51.5, -45.5 + (framed ? 0.0 : 1.0));
            paint(painter);
        });
    };
    auto heavier = [bolder](const QPainterPath& path) {
        QPainterPathStroker stroker;
        stroker.setWidth(bolder);
        return bolder > 0 ? path.united(stroker.createStroke(path)) : path;
    };
    const double inset = framed ? 3.0 : 0.0;
    const double radius = framed ? 9.0 : 16.0;
    const Coverage card = cover([&](QPainter& p) {
        p.drawRoundedRect(QRectF(inset, inset, 96 - 2 * inset, 96 - 2 * inset), radius, radius);
    });
    Put(picture, card, framed ? LogoFrame : 0xFFFFFF, 0xE0E0E0, 0.5f, 0.5f);
    if (framed) {
        const Coverage paper = cover([&](QPainter& p) {
            const double edge = inset + frame / scale;
            p.drawRoundedRect(QRectF(edge, edge, 96 - 2 * edge, 96 - 2 * edge), radius - 1, radius - 1);
        });
        Put(picture, paper, 0xFFFFFF, 0xFFFFFF, 0.5f, 0.5f);
    }
    const Coverage head = coverMark([&](QPainter& p) { p.drawPath(heavier(QuaverHead())); });
    const Coverage headCore = coverMark([&](QPainter& p) {
        QTransform shrink;
        shrink.translate(29, 68);
        shrink.scale(0.8, 0.72);
        shrink.translate(-29.8, -67.2);
        p.drawPath(shrink.map(QuaverHead()));
    });
    const Coverage stem = coverMark([&](QPainter& p) { p.drawPath(heavier(QuaverStemAndFlag())); });
    const Coverage two = coverMark([&](QPainter& p) { p.drawPath(heavier(DigitTwo())); });
    Put(picture, stem, 0x000000, 0xB0B0B0, 0.5f, 0.25f);
    Put(picture, head, size <= 16 ? LogoRed : LogoDarkRed, 0xF0B0B0, 0.5f, 0.25f);
    if (size > 16)
        Put(picture, headCore, LogoRed, LogoDarkRed, 0.5f, 0.5f);
    Put(picture, two, 0x000000, 0xB0B0B0, 0.5f, 0.25f);
    Finish(picture);
    return picture;
}

} // namespace

QImage Timer(double ratio) {
    return MakeTimer(ratio);
}

QImage Logo(double ratio) {
    QImage logo = PaintMark(PixelGrid(ratio).Device(96));
    logo.setDevicePixelRatio(ratio);
    return logo;
}

QImage ProgramIcon(int size) {
    return PaintMark(std::clamp(size, 16, 256));
}

QByteArray ProgramIconSvg() {
    // The framed mark of the larger icons, from the same shapes, on its 96-unit square.
    QPainterPath card;
    card.addRoundedRect(QRectF(3, 3, 90, 90), 9, 9);
    QPainterPath paper;
    paper.addRoundedRect(QRectF(4.3, 4.3, 87.4, 87.4), 8, 8);
    QPainterPath headCore;
    {
        QTransform shrink;
        shrink.translate(29, 68);
        shrink.scale(0.8, 0.72);
        shrink.translate(-29.8, -67.2);
        headCore = shrink.map(QuaverHead());
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"96\" height=\"96\" viewBox=\"0 0 96 96\">\n" +
           SvgPath(card, LogoFrame) + SvgPath(paper, 0xFFFFFF) +
           // The mark sits where the bitmaps put it: its own centre (51.5, 45.5) on the square's.
           " <g transform=\"translate(-3.5 2.5)\">\n" + SvgPath(QuaverStemAndFlag(), 0x000000) +
           SvgPath(QuaverHead(), LogoDarkRed) + SvgPath(headCore, LogoRed) + SvgPath(DigitTwo(), 0x000000) +
           " </g>\n</svg>\n";
}

// ---- Pointing hand ----------------------------------------------------------------------------------

namespace {

// The same hand as the 1:1 picture, drawn as shapes for screens with several device pixels to a logical
// one: fingertip, knuckles and thumb rounded, the outline one logical pixel thick, black on white with a
// one-bit mask as a cursor needs. The fingertip's square corner stays at (13, 7), the hot spot.
//
// Each part is painted twice, whole in black and one pixel smaller all round in white. Where two parts
// meet, the gap between their white insides leaves the crease between two fingers, or at the cuff.
QImage SmoothPointingHand(double ratio) {
    struct Part {
        QRectF box;
        double radius;
    };
    const Part parts[] = {
        {{12, 7, 5, 13}, 1.0},                                                // the pointing finger
        {{16, 12, 5, 8}, 1.6},                                                // three folded fingers
        {{20, 13, 5, 7}, 1.6},  {{24, 14, 4, 11}, 1.6}, {{7, 16, 4, 5}, 1.8}, // the thumb
        {{13, 27, 14, 4}, 0.0},                                               // the cuff
    };
    const QPolygonF palm(
        {{7, 19}, {12, 17.5}, {28, 17.5}, {28, 24}, {27, 25.2}, {27, 28}, {13, 28}, {13, 25}, {8.2, 20.6}});
    const QPolygonF palmInside({{8.4, 19.6},
                                {12.2, 18.5},
                                {27, 18.5},
                                {27, 23.6},
                                {26, 24.8},
                                {26, 27},
                                {14, 27},
                                {14, 24.6},
                                {9, 20}});
    Sheet sheet(32, 32, PictureGrid(ratio));
    auto paint = [&](QPainter& painter, double inset, const QPolygonF& palmShape) {
        for (const Part& part : parts) {
            const double radius = std::max(0.0, part.radius - inset);
            painter.drawRoundedRect(part.box.adjusted(inset, inset, -inset, -inset), radius, radius);
        }
        painter.drawPolygon(palmShape);
    };
    const Coverage outline = sheet.Cover([&](QPainter& painter) { paint(painter, 0.0, palm); });
    const Coverage inside = sheet.Cover([&](QPainter& painter) { paint(painter, 1.0, palmInside); });
    // A device pixel only half covered belongs to the logical pixel before it, as on the canvas's grid; so
    // the fingertip starts on the hot spot's device row even where the row's edge falls mid-pixel.
    sheet.Put(outline, 0x000000, 0x000000, 0.55f, 0.55f);
    sheet.Put(inside, 0xFFFFFF, 0xFFFFFF, 0.55f, 0.55f);
    return sheet.Take();
}

} // namespace

QImage PointingHand(double ratio) {
    if (ratio != 1.0)
        return SmoothPointingHand(ratio);
    QImage picture = Blank(32, 32);
    // Drawn pixel by pixel: a cursor has to be exact, and its fingertip is the hot spot (13, 7).
    PaintRows(picture, 0, 7,
              {
                  ".............###................", // 7
                  "............#ooo#...............", // 8
                  "............#ooo#...............", // 9
                  "............#ooo#...............", // 10
                  "............#ooo#...............", // 11
                  "............#ooo####............", // 12
                  "............#ooo#ooo####........", // 13
                  "............#ooo#ooo#ooo###.....", // 14
                  "............#ooo#ooo#ooo#oo#....", // 15
                  "........##..#ooo#ooo#ooo#oo#....", // 16
                  ".......#oo#.#ooo#ooo#ooo#oo#....", // 17
                  ".......#ooo##oooooooooooooo#....", // 18
                  ".......#ooooooooooooooooooo#....", // 19
                  "........#oooooooooooooooooo#....", // 20
                  ".........#ooooooooooooooooo#....", // 21
                  "..........#oooooooooooooooo#....", // 22
                  "...........#ooooooooooooooo#....", // 23
                  "............#ooooooooooooo#.....", // 24
                  ".............#oooooooooooo#.....", // 25
                  ".............#oooooooooooo#.....", // 26
                  ".............##############.....", // 27
                  ".............#oooooooooooo#.....", // 28
                  ".............#oooooooooooo#.....", // 29
                  ".............##############.....", // 30
              },
              {{'#', 0x000000}, {'o', 0xFFFFFF}});
    Finish(picture);
    return picture;
}

} // namespace quavix::ArtworkDrawing
