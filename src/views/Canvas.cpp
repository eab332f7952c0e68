#include "Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quavix {

namespace {

// Bresenham's walk from (x, y) towards (ex, ey), visiting every point but the end point, as the drawing
// conventions require.
template <typename Visit> void WalkLine(int x, int y, int ex, int ey, Visit visit) {
    const int dx = std::abs(ex - x);
    const int dy = -std::abs(ey - y);
    const int sx = x < ex ? 1 : -1;
    const int sy = y < ey ? 1 : -1;
    int error = dx + dy;
    while (x != ex || y != ey) {
        visit(x, y);
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
}

QImage DeviceImage(QSize size, const PixelGrid& grid) {
    QImage image(grid.Device(size.width()), grid.Device(size.height()), QImage::Format_RGB32);
    image.setDevicePixelRatio(grid.Ratio());
    image.fill(0xFFFFFFFF);
    return image;
}

bool SameRatio(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

} // namespace

Canvas::Canvas(QSize size, double ratio)
    : size_(size), grid_(ratio), image_(DeviceImage(size, grid_)), bounds_(image_.rect()) {}

QRect Canvas::DeviceRect(const QRect& logical) const {
    return QRect(QPoint(grid_.Device(logical.left()), grid_.Device(logical.top())),
                 QPoint(grid_.Device(logical.right() + 1) - 1, grid_.Device(logical.bottom() + 1) - 1));
}

bool Canvas::SetRatio(double ratio) {
    if (SameRatio(ratio, grid_.Ratio()))
        return false;
    grid_ = PixelGrid(ratio);
    image_ = DeviceImage(size_, grid_);
    bounds_ = clipped_ ? DeviceRect(clip_).intersected(image_.rect()) : image_.rect();
    dirty_ = QRegion(0, 0, Width(), Height());
    return true;
}

void Canvas::SetClip(const QRect& rect) {
    clip_ = rect;
    bounds_ = DeviceRect(rect).intersected(image_.rect());
    clipped_ = true;
}

void Canvas::ClearClip() {
    bounds_ = image_.rect();
    clipped_ = false;
}

void Canvas::MarkDirty(const QRect& device) {
    const QRect clipped = device.intersected(bounds_);
    if (clipped.isEmpty())
        return;
    if (grid_.IsUnit()) {
        dirty_ += clipped;
        return;
    }
    dirty_ += QRect(QPoint(grid_.Logical(clipped.left()), grid_.Logical(clipped.top())),
                    QPoint(grid_.Logical(clipped.right()), grid_.Logical(clipped.bottom())));
}

QRegion Canvas::TakeDirty() {
    QRegion taken = dirty_;
    dirty_ = QRegion();
    return taken;
}

void Canvas::FillDevice(const QRect& device, QRgb colour) {
    if (PaintDevice(device, colour))
        MarkDirty(device);
}

bool Canvas::PaintDevice(const QRect& device, QRgb colour) {
    const QRect area = device.intersected(bounds_);
    if (area.isEmpty())
        return false;
    const QRgb value = 0xFF000000 | colour;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + area.left(), row + area.right() + 1, value);
    }
    return true;
}

void Canvas::Fill(int l, int t, int r, int b, QRgb colour) {
    if (l >= r || t >= b)
        return;
    FillDevice(
        QRect(QPoint(grid_.Device(l), grid_.Device(t)), QPoint(grid_.Device(r) - 1, grid_.Device(b) - 1)),
        colour);
}

void Canvas::Line(int x1, int y1, int x2, int y2, QRgb colour) {
    // Level and upright lines (strings, wires, key edges, staff lines) are fills one line weight thick:
    // clipped once and written a row at a time instead of pixel by pixel.
    const int weight = grid_.LineWeight();
    if (y1 == y2 && x1 != x2) {
        const int from = grid_.Device(x1 < x2 ? x1 : x2 + 1);
        const int to = grid_.Device(x1 < x2 ? x2 : x1 + 1);
        FillDevice(QRect(from, grid_.Device(y1), to - from, weight), colour);
        return;
    }
    if (x1 == x2 && y1 != y2) {
        const int from = grid_.Device(y1 < y2 ? y1 : y2 + 1);
        const int to = grid_.Device(y1 < y2 ? y2 : y1 + 1);
        FillDevice(QRect(grid_.Device(x1), from, weight, to - from), colour);
        return;
    }
    if (grid_.IsUnit())
        LineAtUnit(x1, y1, x2, y2, colour);
    else
        DiagonalLine(x1, y1, x2, y2, colour);
}

void Canvas::LineAtUnit(int x1, int y1, int x2, int y2, QRgb colour) {
    const QRgb value = 0xFF000000 | colour;
    QRect touched;
    WalkLine(x1, y1, x2, y2, [&](int x, int y) {
        if (bounds_.contains(x, y)) {
            reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = value;
            touched |= QRect(x, y, 1, 1);
        }
    });
    if (!touched.isEmpty())
        MarkDirty(touched);
}

void Canvas::DiagonalLine(int x1, int y1, int x2, int y2, QRgb colour) {
    // The same walk between the device corners of the end pixels, laying a square of the line weight at
    // each step, so a slanting line has the weight of a level one and no stair steps of whole logical
    // pixels. The end pixel's device pixels are left out, as the end point is at 1:1.
    const int weight = grid_.LineWeight();
    const QRect end = DeviceRect(QRect(x2, y2, 1, 1));
    const int ex = end.left();
    const int ey = end.top();
    QRect touched;
    WalkLine(grid_.Device(x1), grid_.Device(y1), ex, ey, [&](int x, int y) {
        for (int row = y; row < y + weight; ++row)
            for (int column = x; column < x + weight; ++column)
                if (!end.contains(column, row) && PaintDevice(QRect(column, row, 1, 1), colour))
                    touched |= QRect(column, row, 1, 1);
    });
    if (!touched.isEmpty())
        MarkDirty(touched);
}

void Canvas::Ellipse(int l, int t, int r, int b, QRgb pen, QRgb brush) {
    if (r - l < 1 || b - t < 1)
        return;
    const QRect box = DeviceRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
    if (!bounds_.intersects(box))
        return;
    if (!grid_.IsUnit()) {
        DeviceEllipse(box, pen, brush);
        return;
    }
    QPainter painter(&image_);
    if (clipped_)
        painter.setClipRect(bounds_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(pen), 1));
    painter.setBrush(QColor::fromRgb(brush));
    // A one-pixel pen outlines a QRect one pixel wider and higher than its size, so the box is shrunk by
    // one to keep the exclusive right and bottom edges.
    painter.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    MarkDirty(box);
}

void Canvas::DeviceEllipse(const QRect& box, QRgb pen, QRgb brush) {
    // Row by row: a device pixel belongs to the ellipse when its centre does, and to the ring when it lies
    // outside the ellipse one line weight smaller. Cheaper than a painter, which matters when a drag step
    // repaints the square of a marker over a position dot.
    const double cx = box.left() + box.width() / 2.0;
    const double cy = box.top() + box.height() / 2.0;
    const double weight = grid_.LineWeight();
    auto span = [](double centre, double radius, double across) {
        // The pixels whose centres lie within radius * sqrt(1 - across^2) of the centre, as [first, last].
        const double half = across * across >= 1.0 ? -1.0 : radius * std::sqrt(1.0 - across * across);
        return std::pair<int, int>(int(std::ceil(centre - half - 0.5)), int(std::floor(centre + half - 0.5)));
    };
    const double outerX = box.width() / 2.0;
    const double outerY = box.height() / 2.0;
    const double innerX = outerX - weight;
    const double innerY = outerY - weight;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double dy = y + 0.5 - cy;
        const auto [left, right] = span(cx, outerX, dy / outerY);
        if (left > right)
            continue;
        const auto [innerLeft, innerRight] =
            innerX > 0 && innerY > 0 ? span(cx, innerX, dy / innerY) : std::pair<int, int>(1, 0);
        if (innerLeft > innerRight) {
            PaintDevice(QRect(QPoint(left, y), QPoint(right, y)), pen);
            continue;
        }
        PaintDevice(QRect(QPoint(left, y), QPoint(innerLeft - 1, y)), pen);
        PaintDevice(QRect(QPoint(innerLeft, y), QPoint(innerRight, y)), brush);
        PaintDevice(QRect(QPoint(innerRight + 1, y), QPoint(right, y)), pen);
    }
    MarkDirty(box);
}

QImage Canvas::ForThisRatio(const QImage& picture) const {
    QImage source =
        picture.format() == QImage::Format_ARGB32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    if (SameRatio(picture.devicePixelRatio(), grid_.Ratio()))
        return source;
    // A picture made for another screen keeps its logical size rather than showing at a wrong one. The views
    // never need this: they always bring pictures drawn for the canvas's own ratio.
    const QSize logical = (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize();
    return source.scaled(grid_.Device(logical.width()), grid_.Device(logical.height()), Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
}

void Canvas::Draw(int x, int y, const QImage& picture) {
    DrawDevice(grid_.Device(x), grid_.Device(y), ForThisRatio(picture));
}

void Canvas::DrawDevice(int originX, int originY, const QImage& source) {
    const QRect area = QRect(originX, originY, source.width(), source.height()).intersected(bounds_);
    if (area.isEmpty())
        return;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row - originY));
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(row));
        for (int column = area.left(); column <= area.right(); ++column) {
            const QRgb pixel = from[column - originX];
            if (qAlpha(pixel) != 0)
                to[column] = 0xFF000000 | pixel;
        }
    }
    MarkDirty(area);
}

void Canvas::DrawOpaque(int x, int y, const QImage& picture, QRgb background) {
    // The background goes under the picture's own device pixels, which is exactly what the picture covers
    // even where its size in logical pixels is not whole.
    const QImage source = ForThisRatio(picture);
    const QPoint origin(grid_.Device(x), grid_.Device(y));
    FillDevice(QRect(origin, source.size()), background);
    DrawDevice(origin.x(), origin.y(), source);
}

QRgb Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    const int deviceX = std::min(grid_.Device(x), image_.width() - 1);
    const int deviceY = std::min(grid_.Device(y), image_.height() - 1);
    return image_.pixel(deviceX, deviceY) & 0xFFFFFF;
}

} // namespace quavix
