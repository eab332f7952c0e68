#include "ClosePanel.h"

#include <QMouseEvent>

namespace quavix::ui {

TClosePanel::TClosePanel(QWidget* parent) : TPanel(parent) {
    setMouseTracking(true);
    SetSoftFrame(true);
    SetBevelOuter(Bevel::Raised);
}

void TClosePanel::SetColours(QRgb resting, QRgb hover) {
    restingColour_ = resting;
    hoverColour_ = hover;
}

void TClosePanel::pnlCloseMouseEnter() {
    SetBevelInner(Bevel::Raised);
}

void TClosePanel::pnlCloseMouseLeave() {
    SetBevelInner(Bevel::None);
    SetColour(restingColour_);
}

void TClosePanel::pnlCloseMouseMove(QPoint point) {
    // While a button is held after a press on the panel, the pointer may be outside it.
    const bool inside = rect().contains(point);
    if (inside && Colour() == restingColour_)
        SetColour(hoverColour_);
    else if (!inside && Colour() != restingColour_)
        SetColour(restingColour_);
}

void TClosePanel::pnlCloseMouseDown() {
    SetBevelInner(Bevel::Lowered);
    SetBevelOuter(Bevel::Lowered);
}

void TClosePanel::pnlCloseMouseUp() {
    SetBevelInner(Bevel::None);
    SetBevelOuter(Bevel::Raised);
}

void TClosePanel::enterEvent(QEnterEvent*) {
    pnlCloseMouseEnter();
}

void TClosePanel::leaveEvent(QEvent*) {
    pnlCloseMouseLeave();
}

void TClosePanel::mouseMoveEvent(QMouseEvent* event) {
    pnlCloseMouseMove(event->position().toPoint());
}

void TClosePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    pnlCloseMouseDown();
}

void TClosePanel::mouseReleaseEvent(QMouseEvent* event) {
    // A click needs the left button to go down and come up over the panel; the click comes before the
    // release handler, so a confirmation box sees the panel still pressed.
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    pnlCloseMouseUp();
}

} // namespace quavix::ui
