#include "ToolBar.h"

#include <QLinearGradient>
#include <QPainter>

namespace quavix::ui {

TToolBar::TToolBar(QWidget* parent) : QWidget(parent) {}

void TToolBar::SetTransparent(bool transparent) {
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TToolBar::SetEdges(Bevel outer) {
    edgeOuter_ = outer;
    update();
}

void TToolBar::SetGradient(std::optional<QRgb> endColour, QRgb startColour) {
    gradientEnd_ = endColour;
    gradientStart_ = startColour;
    update();
}

void TToolBar::SetHotTrack(bool on, QRgb colour) {
    hotTrack_ = on;
    hotTrackColour_ = colour;
    update();
}

void TToolBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        if (gradientEnd_) {
            QLinearGradient gradient(0, 0, 0, height());
            gradient.setColorAt(0, Rgb(gradientStart_));
            gradient.setColorAt(1, Rgb(*gradientEnd_));
            painter.fillRect(rect(), gradient);
        } else {
            painter.fillRect(rect(), Rgb(ButtonFace));
        }
    }
    DrawBevel(painter, rect(), edgeOuter_);
}

} // namespace quavix::ui
