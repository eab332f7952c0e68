#include "ToolButton.h"

#include "ToolBar.h"

#include <QPainter>

namespace quavix::ui {

namespace {

QColor Blend(QRgb a, QRgb b) {
    return QColor((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

} // namespace

TToolButton::TToolButton(TToolBar* bar) : QToolButton(bar), bar_(bar) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(24, 24));
}

void TToolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool hot = isEnabled() && underMouse();
    const bool sunken = isDown() || isChecked();
    QRect face = rect();
    if (isChecked()) {
        const QRgb base = bar_->HotTrack() ? bar_->HotTrackColour() : 0xE0E0E0;
        painter.fillRect(face, hot ? Rgb(base) : Blend(base, 0xFFFFFF));
    } else if (hot && bar_->HotTrack()) {
        painter.fillRect(face, Rgb(bar_->HotTrackColour()));
    }
    if (sunken)
        DrawBevel(painter, face, Bevel::Lowered);
    else if (hot)
        DrawBevel(painter, face, Bevel::Raised);

    // The picture drawn for the ratio the button is shown at.
    const QPixmap picture =
        icon().pixmap(iconSize(), devicePixelRatioF(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    QPoint at((width() - iconSize().width()) / 2, (height() - iconSize().height()) / 2);
    if (isDown())
        at += QPoint(1, 1);
    painter.drawPixmap(at, picture);
}

} // namespace quavix::ui
