#include "DeviceEdges.h"

#include "Bevel.h"

#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quavix::ui {

namespace {

// The device edge of a logical edge: the nearest one, halves rounding up, as the screen places the widget
// itself (and so clips its painting), so that fills and edges drawn here take the same pixels.
int DeviceEdge(double x) {
    return int(std::floor(x + 0.5));
}

} // namespace

DeviceEdges::DeviceEdges(QPainter& painter)
    : painter_(painter), toDevice_(painter.deviceTransform()),
      weight_(std::max(
          1, int(std::floor((painter.device() ? painter.device()->devicePixelRatioF() : 1.0) + 0.5)))) {}

QRect DeviceEdges::Snap(const QRect& logical) const {
    const QRectF mapped = toDevice_.mapRect(QRectF(logical));
    return QRect(QPoint(DeviceEdge(mapped.left()), DeviceEdge(mapped.top())),
                 QPoint(DeviceEdge(mapped.right()) - 1, DeviceEdge(mapped.bottom()) - 1));
}

QRectF DeviceEdges::Logical(const QRect& device) const {
    return toDevice_.inverted().mapRect(QRectF(device));
}

void DeviceEdges::Fill(const QRect& device, const QColor& colour) {
    if (device.isEmpty())
        return;
    painter_.save();
    // Undo the painter's own mapping, so the rectangle is taken in device pixels.
    painter_.setWorldTransform(toDevice_.inverted() * painter_.worldTransform());
    painter_.fillRect(device, colour);
    painter_.restore();
}

void DeviceEdges::Frame(const QRect& device, const QColor& colour) {
    const int w = weight_;
    Fill(QRect(device.left(), device.top(), device.width(), w), colour);
    Fill(QRect(device.left(), device.bottom() + 1 - w, device.width(), w), colour);
    Fill(QRect(device.left(), device.top() + w, w, device.height() - 2 * w), colour);
    Fill(QRect(device.right() + 1 - w, device.top() + w, w, device.height() - 2 * w), colour);
}

QRect DeviceEdges::DrawBevel(const QRect& device, Bevel bevel) {
    if (bevel == Bevel::None || device.isEmpty())
        return device;
    const QColor light = QColor::fromRgb(bevel == Bevel::Raised ? EdgeHighlight : EdgeShadow);
    const QColor dark = QColor::fromRgb(bevel == Bevel::Raised ? EdgeShadow : EdgeHighlight);
    const int w = weight_;
    // The shadow takes the corners at the top right and bottom left, as the classic edge does.
    Fill(QRect(device.left(), device.top(), device.width() - w, w), light);
    Fill(QRect(device.left(), device.top(), w, device.height() - w), light);
    Fill(QRect(device.left(), device.bottom() + 1 - w, device.width(), w), dark);
    Fill(QRect(device.right() + 1 - w, device.top(), w, device.height()), dark);
    return Inset(device);
}

void DrawFittingText(QPainter& painter, const QWidget* widget, const QRectF& room, int flags,
                     const QString& text) {
    QRectF visible = room;
    if (const QWidget* parent = widget->parentWidget())
        visible &= QRectF(widget->mapFromParent(QPoint(0, 0)), QSizeF(parent->size()));
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double needed = painter.boundingRect(room, flags, text).width();
    const double over = needed - visible.width();
    // A tenth or more too wide is no rounding: that text did not fit at 1:1 either.
    if (ratio != 1.0 && over > 0.01 && over < needed / 10 && text.size() > 1) {
        QFont closer = painter.font();
        closer.setLetterSpacing(QFont::AbsoluteSpacing, -over / (text.size() - 1));
        painter.save();
        painter.setFont(closer);
        // Kept to the visible part, where the letters now fit.
        painter.drawText(visible.intersected(room), flags, text);
        painter.restore();
        return;
    }
    painter.drawText(room, flags, text);
}

} // namespace quavix::ui
