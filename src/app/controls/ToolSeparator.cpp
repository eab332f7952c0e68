#include "ToolSeparator.h"

#include "Bevel.h"
#include "DeviceEdges.h"

#include <QPainter>

namespace quavix::ui {

TToolSeparator::TToolSeparator(QWidget* parent) : QWidget(parent) {}

void TToolSeparator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DeviceEdges edges(painter);
    const QRect groove = edges.Snap(QRect(width() / 2 - 1, 3, 1, height() - 6));
    edges.Fill(QRect(groove.left(), groove.top(), edges.Weight(), groove.height()), Rgb(EdgeShadow));
    edges.Fill(QRect(groove.left() + edges.Weight(), groove.top(), edges.Weight(), groove.height()),
               Rgb(EdgeHighlight));
}

} // namespace quavix::ui
