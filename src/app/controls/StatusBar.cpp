#include "StatusBar.h"

#include "Bevel.h"

#include <QPainter>

namespace quavix::ui {

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setAutoFillBackground(true);
    // A status bar's smaller face, so the longest hint shows whole on one line across the window.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(HintPixelSize);
    setFont(small);
    connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

QRect TStatusBar::TextRect() const {
    return rect().adjusted(1 + TextMargin, 3, -1 - TextMargin - rightReserve_, -1);
}

void TStatusBar::SetRightReserve(int pixels) {
    if (pixels == rightReserve_)
        return;
    rightReserve_ = pixels;
    update();
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect panel = rect().adjusted(0, 2, 0, 0);
    DrawBevel(painter, panel, Bevel::Lowered);
    painter.setPen(palette().color(QPalette::WindowText));
    // A text longer than the bar (a translation, say) wraps onto a second line rather than losing words.
    painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, currentMessage());
}

} // namespace quavix::ui
