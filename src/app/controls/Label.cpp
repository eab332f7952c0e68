#include "Label.h"

#include "DeviceEdges.h"

#include <QPainter>

namespace quavix::ui {

TLabel::TLabel(const QString& text, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), text_(text), alignment_(alignment) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLabel::SetColour(QRgb colour) {
    colour_ = colour;
    update();
}

void TLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Rgb(colour_));
    painter.setPen(Qt::black);
    DrawFittingText(painter, this, rect(), int(alignment_ | Qt::AlignTop), text_);
}

} // namespace quavix::ui
