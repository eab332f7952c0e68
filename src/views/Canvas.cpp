#include "Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace quavix {

Canvas::Canvas(QSize size) : image_(size, QImage::Format_RGB32), bounds_(image_.rect()) {
    image_.fill(0xFFFFFFFF);
}

void Canvas::SetClip(const QRect& rect) {
    bounds_ = rect.intersected(image_.rect());
    clipped_ = true;
}

void Canvas::ClearClip() {
    bounds_ = image_.rect();
    clipped_ = false;
}

void Canvas::MarkDirty(const QRect& rect) {
    const QRect clipped = rect.intersected(bounds_);
    if (!clipped.isEmpty())
        dirty_ += clipped;
}

QRegion Canvas::TakeDirty() {
    QRegion taken = dirty_;
    dirty_ = QRegion();
    return taken;
}

void Canvas::Fill(int l, int t, int r, int b, QRgb colour) {
    l = std::max(l, bounds_.left());
    t = std::max(t, bounds_.top());
    r = std::min(r, bounds_.right() + 1);
    b = std::min(b, bounds_.bottom() + 1);
    if (l >= r || t >= b)
        return;
    const QRgb value = 0xFF000000 | colour;
    for (int y = t; y < b; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + l, row + r, value);
    }
    MarkDirty(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
}

void Canvas::Line(int x1, int y1, int x2, int y2, QRgb colour) {
    // Level and upright lines (strings, wires, key edges, staff lines) are one-pixel fills: clipped once and
    // written a row at a time instead of pixel by pixel.
    if (y1 == y2 && x1 != x2) {
        Fill(x1 < x2 ? x1 : x2 + 1, y1, x1 < x2 ? x2 : x1 + 1, y1 + 1, colour);
        return;
    }
    if (x1 == x2 && y1 != y2) {
        Fill(x1, y1 < y2 ? y1 : y2 + 1, x1 + 1, y1 < y2 ? y2 : y1 + 1, colour);
        return;
    }
    const QRgb value = 0xFF000000 | colour;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    QRect touched;
    // Bresenham's walk, stopping before the end point as the drawing conventions require.
    while (x != x2 || y != y2) {
        if (bounds_.contains(x, y)) {
            reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = value;
            touched |= QRect(x, y, 1, 1);
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    if (!touched.isEmpty())
        MarkDirty(touched);
}

void Canvas::Ellipse(int l, int t, int r, int b, QRgb pen, QRgb brush) {
    if (r - l < 1 || b - t < 1 || !bounds_.intersects(QRect(QPoint(l, t), QPoint(r - 1, b - 1))))
        return;
    QPainter painter(&image_);
    if (clipped_)
        painter.setClipRect(bounds_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(pen), 1));
    painter.setBrush(QColor::fromRgb(brush));
    // A one-pixel pen outlines a QRect one pixel wider and higher than its size, so the box is shrunk by
    // one to keep the exclusive right and bottom edges.
    painter.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    MarkDirty(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
}

void Canvas::Draw(int x, int y, const QImage& picture) {
    const QImage source = picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32);
    const int left = std::max(x, bounds_.left());
    const int top = std::max(y, bounds_.top());
    const int right = std::min(x + source.width(), bounds_.right() + 1);
    const int bottom = std::min(y + source.height(), bounds_.bottom() + 1);
    for (int row = top; row < bottom; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row - y));
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(row));
        for (int column = left; column < right; ++column) {
            const QRgb pixel = from[column - x];
            if (qAlpha(pixel) != 0)
                to[column] = 0xFF000000 | pixel;
        }
    }
    if (left < right && top < bottom)
        MarkDirty(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void Canvas::DrawOpaque(int x, int y, const QImage& picture, QRgb background) {
    Fill(x, y, x + picture.width(), y + picture.height(), background);
    Draw(x, y, picture);
}

QRgb Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    return image_.pixel(x, y) & 0xFFFFFF;
}

} // namespace quavix
