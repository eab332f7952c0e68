#include "CountButton.h"

#include "DeviceEdges.h"

#include <QPainter>

namespace quavix::ui {

TCountButton::TCountButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TCountButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    DrawFittingText(painter, this, rect(), Qt::AlignCenter, text());
}

} // namespace quavix::ui
