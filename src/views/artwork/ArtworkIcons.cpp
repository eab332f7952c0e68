// The 24 x 24 pictures on the buttons (the note letters and the command icons), and the question box's
// 32 x 32 question mark.

#include "ArtworkDrawing.h"
#include "ArtworkTools.h"
#include "PictureSet.h"

#include <QPainterPathStroker>
#include <QPolygonF>

#include <stdexcept>

namespace quavix::ArtworkDrawing {

using namespace Tools;

namespace {

constexpr int IconSize = 24;

// The letters are drawn from our own outlines rather than a font, so they look the same everywhere.
// Straight strokes sit on whole pixels (cap height rows 3 to 20) and only the curves get soft edges.
QPainterPath LetterPath(int index) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    auto rect = [](double l, double t, double r, double b) {
        QPainterPath p;
        p.addRect(QRectF(QPointF(l, t), QPointF(r, b)));
        return p;
    };
    auto ellipse = [](double cx, double cy, double rx, double ry) {
        QPainterPath p;
        p.addEllipse(QPointF(cx, cy), rx, ry);
        return p;
    };
    switch (index) {
    case 0: { // A
        path.addPolygon(QPolygonF({{3.5, 21},
                                   {10.0, 3},
                                   {14.0, 3},
                                   {20.5, 21},
                                   {17.0, 21},
                                   {15.56, 17},
                                   {8.44, 17},
                                   {7.0, 21},
                                   {3.5, 21}}));
        QPainterPath counter;
        counter.addPolygon(QPolygonF({{9.53, 14}, {14.47, 14}, {12, 7.16}, {9.53, 14}}));
        return path.subtracted(counter);
    }
    case 1: { // B
        QPainterPath upper;
        upper.addRoundedRect(QRectF(5, 3, 12.4, 9.6), 4.6, 4.6);
        QPainterPath lower;
        lower.addRoundedRect(QRectF(5, 9.6, 13.8, 11.4), 5.2, 5.2);
        path = upper.united(lower).united(rect(5, 3, 11, 21));
        QPainterPath upperCounter;
        upperCounter.addRoundedRect(QRectF(6, 6.2, 7.8, 3.7), 1.4, 1.4);
        QPainterPath lowerCounter;
        lowerCounter.addRoundedRect(QRectF(6, 12.8, 9.0, 5.0), 1.8, 1.8);
        const QPainterPath counters =
            upperCounter.united(lowerCounter).united(rect(6, 6.2, 11, 9.9)).united(rect(6, 12.8, 11, 17.8));
        return path.subtracted(counters.subtracted(rect(0, 0, 9, 24)));
    }
    case 2: { // C
        path = ellipse(12.3, 12, 8.3, 9.2).subtracted(ellipse(12.5, 12, 4.5, 5.7));
        return path.subtracted(rect(14, 9.2, 24, 14.8));
    }
    case 3: { // D
        path.moveTo(5, 3);
        path.lineTo(11, 3);
        path.cubicTo(17, 3, 20, 7, 20, 12);
        path.cubicTo(20, 17, 17, 21, 11, 21);
        path.lineTo(5, 21);
        path.closeSubpath();
        QPainterPath counter;
        counter.moveTo(9, 6.3);
        counter.lineTo(10.8, 6.3);
        counter.cubicTo(14.5, 6.3, 16, 8.6, 16, 12);
        counter.cubicTo(16, 15.4, 14.5, 17.7, 10.8, 17.7);
        counter.lineTo(9, 17.7);
        counter.closeSubpath();
        return path.subtracted(counter);
    }
    case 4: // E
        return rect(5, 3, 9, 21)
            .united(rect(5, 3, 18.5, 6.3))
            .united(rect(5, 10.4, 17.5, 13.6))
            .united(rect(5, 17.7, 19, 21));
    case 5: // F
        return rect(6, 3, 10, 21).united(rect(6, 3, 19, 6.3)).united(rect(6, 10.8, 17.5, 14));
    default: { // G
        path = ellipse(12.2, 12, 8.4, 9.2).subtracted(ellipse(12.4, 12, 4.6, 5.7));
        path = path.subtracted(rect(14, 7.6, 24, 11.2));
        return path.united(rect(12.4, 11.2, 20.6, 14.4)).united(rect(16.6, 11.2, 20.6, 18.2));
    }
    }
}

QImage MakeLetter(int index, bool enabled, double ratio) {
    return NoteButtonPicture(LetterPath(index), enabled, ratio);
}

// A short piece of keyboard: three white keys and two black ones.
QImage PianoIcon(double ratio) {
    Sheet sheet(IconSize, IconSize, PictureGrid(ratio));
    sheet.Rect(1, 3, 23, 21, 0x000000);
    for (int left : {2, 9, 16}) {
        sheet.Rect(left, 4, left + 6, 20, 0xFFFFFF);
        sheet.Row(left, left + 5, 19, 0xC8C8C8);
        sheet.Column(left + 5, 4, 19, 0xE6E6E6);
    }
    for (int left : {6, 13}) {
        sheet.Rect(left, 3, left + 5, 14, 0x000000);
        sheet.Column(left + 1, 4, 12, 0x5A5A5A);
        sheet.Row(left + 1, left + 3, 12, 0x3A3A3A);
    }
    return sheet.Take();
}

// An acoustic guitar lying on the diagonal, its head at the upper left.
QImage GuitarIcon(double ratio) {
    Sheet sheet(IconSize, IconSize, PictureGrid(ratio));
    // The guitar's own axis runs from the head (top left) to the tail (bottom right).
    auto axis = [](QPainter& painter) {
        painter.translate(12.6, 12.6);
        painter.rotate(45);
    };
    // Along the axis x grows towards the tail; the body is two bouts with a waist.
    auto body = [&](QPainter& painter, double grow) {
        axis(painter);
        painter.drawEllipse(QPointF(6.2, 0), 5.8 + grow, 6.2 + grow);
        painter.drawEllipse(QPointF(-0.8, 0), 4.4 + grow, 4.6 + grow);
        painter.drawRect(QRectF(-0.8, -3.8 - grow, 7.0, 7.6 + 2 * grow));
    };
    const Coverage edge = sheet.Cover([&](QPainter& painter) { body(painter, 0.0); });
    const Coverage face = sheet.Cover([&](QPainter& painter) { body(painter, -1.0); });
    const Coverage light = sheet.Cover([&](QPainter& painter) {
        axis(painter);
        painter.drawEllipse(QPointF(4.6, -2.4), 3.6, 2.4);
        painter.drawEllipse(QPointF(-1.6, -1.6), 2.0, 1.6);
    });
    const Coverage neck = sheet.Cover([&](QPainter& painter) {
        axis(painter);
        painter.drawRect(QRectF(-13.0, -1.2, 10.0, 2.4));
    });
    const Coverage head = sheet.Cover([&](QPainter& painter) {
        axis(painter);
        painter.drawRoundedRect(QRectF(-17.4, -1.9, 5.4, 3.8), 0.8, 0.8);
    });
    const Coverage hole = sheet.Cover([&](QPainter& painter) {
        axis(painter);
        painter.drawEllipse(QPointF(1.2, 0), 1.9, 1.9);
        painter.drawRect(QRectF(7.6, -2.6, 1.4, 5.2)); // bridge
    });
    sheet.Put(edge, 0xE0A822, 0xF0DCA0, 0.5f, 0.35f);
    sheet.Put(face, 0xEFC963, 0xE0A822, 0.5f, 0.5f);
    sheet.Put(light, 0xF6D982, 0xEFC963, 0.5f, 0.5f);
    sheet.Put(neck, 0x4E5260, 0xB0B4C0, 0.5f, 0.35f);
    sheet.Put(head, 0x2F383E, 0x8890A0, 0.5f, 0.35f);
    sheet.Put(hole, 0x2F383E, 0xC09040, 0.55f, 0.35f);
    return sheet.Take();
}

// The clefs of the staff pictures, shrunk into the icon square with their strokes made heavier.
// The treble clef is widened a little, as icon clefs usually are, so its bowl stays open.
void PaintSmallClef(QPainter& painter, bool treble, double x, double y, double scale, bool roundDots) {
    painter.save();
    painter.translate(x, y);
    if (treble) {
        painter.scale(scale * 1.3, scale);
        PaintTrebleClef(painter, 1.0 / scale - 1.6);
    } else {
        painter.scale(scale, scale);
        PaintBassClef(painter, 1.0 / scale - 1.2, roundDots);
    }
    painter.restore();
}

QImage ClefIcon(int which, double ratio) { // 0 treble, 1 bass, 2 both
    Sheet sheet(IconSize, IconSize, PictureGrid(ratio));
    const bool round = ratio != 1.0;
    const Coverage shape = sheet.Cover([which, round](QPainter& painter) {
        if (which == 0) {
            PaintSmallClef(painter, true, 6.0, 0.5, 0.315, round);
        } else if (which == 1) {
            PaintSmallClef(painter, false, 2.4, -6.9, 0.62, round);
        } else {
            PaintSmallClef(painter, true, -0.2, 0.8, 0.305, round);
            PaintSmallClef(painter, false, 10.4, -2.2, 0.44, round);
        }
    });
    sheet.Put(shape, 0x3C3C3C, 0xC8C8C8, 0.55f, 0.22f);
    return sheet.Take();
}

// A row of white keys in a dark frame, as the keyboard range commands show it.
QImage KeysIcon(int keys, int keyWidth, int top, int bottom, bool shadow, double ratio) {
    Sheet sheet(IconSize, IconSize, PictureGrid(ratio));
    const int width = keys * (keyWidth + 1) + 1;
    const int left = (IconSize - width - (shadow ? 1 : 0)) / 2;
    if (shadow) {
        sheet.Rect(left + 1, top + 1, left + width + 1, bottom + 1, 0xB4B4B4);
        --bottom;
    }
    sheet.Rect(left, top, left + width, bottom + 1, 0x404040);
    for (int k = 0; k < keys; ++k) {
        const int x = left + 1 + k * (keyWidth + 1);
        sheet.Rect(x, top + 1, x + keyWidth, bottom, 0xFFFFFF);
        sheet.Row(x, x + keyWidth - 1, bottom - 1, 0xD0D0D0);
    }
    return sheet.Take();
}

// The quiz buttons: a raised grey key in a two-pixel coloured frame with rounded corners.
QImage QuizButtonIcon(bool begin, double ratio) {
    Sheet sheet(IconSize, IconSize, PictureGrid(ratio));
    const QRgb outerLight = begin ? 0x9CFFFF : 0xFFD49D;
    const QRgb outerDark = begin ? 0x00E6E6 : 0xFEB04C;
    const QRgb inner = begin ? 0x00FFFF : 0xFFC460;
    // Frame: the outer ring is lit at the top left, the inner ring is the full colour.
    sheet.Rect(1, 1, 23, 23, outerDark);
    sheet.Row(1, 21, 1, outerLight);
    sheet.Column(1, 1, 21, outerLight);
    sheet.Rect(2, 2, 22, 22, inner);
    // The raised face.
    sheet.Rect(3, 3, 21, 21, 0x808080);
    sheet.Rect(3, 3, 20, 20, 0xFFFFFF);
    sheet.Rect(4, 4, 20, 20, 0xA0A0A0);
    sheet.Rect(4, 4, 19, 19, 0xC2C2C2);
    for (QPoint corner : {QPoint(1, 1), QPoint(22, 1), QPoint(1, 22), QPoint(22, 22)})
        sheet.Clear(corner.x(), corner.y());
    if (begin) {
        const Coverage play = sheet.Cover([](QPainter& painter) {
            painter.drawPolygon(QPolygonF({{9, 6.5}, {16.5, 11.5}, {9, 16.5}}));
        });
        sheet.Put(play, 0x000000, 0xC2C2C2, 0.55f, 0.25f);
    } else {
        sheet.Rect(8, 8, 16, 16, 0x404040);
    }
    return sheet.Take();
}

QImage MakeToolbarIcon(int index, double ratio) {
    switch (index) {
    case 0:
        return MakeLetter(0, true, ratio);
    case 1:
        return PianoIcon(ratio);
    case 2:
        return GuitarIcon(ratio);
    case 3:
        return ClefIcon(0, ratio);
    case 4:
        return ClefIcon(1, ratio);
    case 5:
        return ClefIcon(2, ratio);
    case 6:
        return KeysIcon(3, 6, 4, 18, false, ratio);
    case 7:
        return KeysIcon(7, 2, 4, 19, true, ratio);
    case 8:
        return QuizButtonIcon(true, ratio);
    default:
        return QuizButtonIcon(false, ratio);
    }
}

} // namespace

QImage Letter(int index, bool enabled, double ratio) {
    if (index < 0 || index >= Artwork::LetterCount)
        throw std::out_of_range("letter index");
    return MakeLetter(index, enabled, ratio);
}

QImage ToolbarIcon(int index, bool enabled, double ratio) {
    if (index < 0 || index >= Artwork::ToolbarIconCount)
        throw std::out_of_range("tool-bar icon index");
    QImage icon = MakeToolbarIcon(index, ratio);
    if (!enabled) {
        icon = Greyed(icon);
        Finish(icon);
    }
    return icon;
}

QImage Question(double ratio) {
    // A white question mark on a blue disc with a darker rim, as shapes at every ratio; the rim's soft
    // edge blends into the light grey of a message box.
    constexpr QRgb Rim = 0x1F4F9A;
    constexpr QRgb Disc = 0x2F74D0;
    constexpr QRgb BoxGrey = 0xF0F0F0;
    Sheet sheet(32, 32, PictureGrid(ratio));
    QPainterPath hook;
    hook.moveTo(11.4, 12.4);
    hook.cubicTo(11.4, 9.0, 13.6, 7.0, 16.3, 7.0);
    hook.cubicTo(19.1, 7.0, 21.1, 8.9, 21.1, 11.5);
    hook.cubicTo(21.1, 14.6, 16.4, 15.3, 16.4, 19.2);
    hook.lineTo(16.4, 20.4);
    QPainterPathStroker stroker;
    stroker.setWidth(3.4);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath stroke = stroker.createStroke(hook);
    const Coverage rim = sheet.Cover([](QPainter& painter) { painter.drawEllipse(QRectF(1, 1, 30, 30)); });
    const Coverage disc =
        sheet.Cover([](QPainter& painter) { painter.drawEllipse(QRectF(2.3, 2.3, 27.4, 27.4)); });
    const Coverage mark = sheet.Cover([&](QPainter& painter) {
        painter.drawPath(stroke);
        painter.drawEllipse(QPointF(16.4, 24.6), 2.1, 2.1);
    });
    sheet.Put(rim, Rim, BoxGrey);
    sheet.Put(disc, Disc, Rim);
    sheet.Put(mark, 0xFFFFFF, Disc);
    return sheet.Take();
}

} // namespace quavix::ArtworkDrawing
