#include "DeviceEdges.h"

#include "Controls.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quavix::ui {

namespace {

// The device edge the painter's fill rule gives a logical edge: pixels whose centres lie inside.
int DeviceEdge(double x) {
    return int(std::ceil(x - 0.5));
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

} // namespace quavix::ui
