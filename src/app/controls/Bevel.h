#pragma once

// The 3D edges of the window's controls, in the colours of the classic button face.

#include <QColor>
#include <QRect>

class QPainter;

namespace quavix::ui {

enum class Bevel { None, Lowered, Raised };

// Fixed 3D edge colours, those of the classic button face.
constexpr QRgb EdgeHighlight = 0xFFFFFF;
constexpr QRgb EdgeShadow = 0xA0A0A0;
constexpr QRgb EdgeDarkShadow = 0x696969;
constexpr QRgb ButtonFace = 0xF0F0F0;
constexpr QRgb SystemWindow = 0xFFFFFF; // the system's "window" colour: the background of text areas

inline QColor Rgb(QRgb rgb) {
    return QColor::fromRgb(rgb);
}

// Draws a one-pixel 3D edge just inside rect and returns the rect inside it.
QRect DrawBevel(QPainter& painter, const QRect& rect, Bevel bevel);

} // namespace quavix::ui
