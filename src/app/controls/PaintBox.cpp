#include "PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace quavix::ui {

TPaintBox::TPaintBox(QSize size, double ratio, QWidget* parent) : QWidget(parent), canvas_(size, ratio) {
    // The canvas covers the whole box, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::Flush() {
    const QRegion dirty = canvas_.TakeDirty();
    if (!dirty.isEmpty())
        update(dirty);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = canvas_.Image();
    if (canvas_.Grid().IsUnit()) {
        for (const QRect& rect : event->region())
            painter.drawImage(rect.topLeft(), image, rect);
    } else {
        // Each logical rectangle shows the canvas's device pixels under it, one for one.
        const double ratio = canvas_.Ratio();
        for (const QRect& rect : event->region()) {
            const QRect source = canvas_.DeviceRect(rect).intersected(image.rect());
            const QRectF target(source.left() / ratio, source.top() / ratio, source.width() / ratio,
                                source.height() / ratio);
            painter.drawImage(target, image, source);
        }
    }
    if (std::abs(devicePixelRatioF() - canvas_.Ratio()) > 1e-6)
        emit ratioDiffers();
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->position().toPoint());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->position().toPoint());
}

} // namespace quavix::ui
