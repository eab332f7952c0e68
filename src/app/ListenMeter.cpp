#include "ListenMeter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

constexpr int MeterWidth = 62;
constexpr int MeterHeight = 22;

void DrawMicrophone(QPainter& painter, const QColor& ink, bool hollow, bool struck) {
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(hollow ? Qt::NoBrush : QBrush(ink));
    // The capsule, its holder, the stand and its foot.
    painter.drawRoundedRect(QRectF(5, 2, 6, 11), 3, 3);
    painter.setBrush(Qt::NoBrush);
    QPainterPath holder;
    holder.moveTo(2.5, 9);
    holder.arcTo(QRectF(2.5, 4, 11, 12), 180, 180);
    painter.drawPath(holder);
    painter.drawLine(QPointF(8, 16), QPointF(8, 19));
    painter.drawLine(QPointF(4.5, 19.5), QPointF(11.5, 19.5));
    if (struck) {
        painter.setPen(QPen(ink, 2));
        painter.drawLine(QPointF(1.5, 20.5), QPointF(14.5, 1.5));
    }
}

} // namespace

TListenMeter::TListenMeter(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("listenMeter"));
    setFixedSize(MeterWidth, MeterHeight);
    // The meter changes up to twenty times a second while listening: it paints its whole rectangle
    // itself, so the status bar beneath (and its text) is not painted again each time.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TListenMeter::sizeHint() const {
    return {MeterWidth, MeterHeight};
}

void TListenMeter::ShowLevel(double rmsDb) {
    const double share = (rmsDb - QuietestDb) / (LoudestDb - QuietestDb);
    const int lit = std::clamp(static_cast<int>(std::ceil(share * Bars)), 0, Bars);
    if (lit == lit_)
        return;
    lit_ = lit;
    update();
}

void TListenMeter::SetState(State state) {
    if (state == state_)
        return;
    state_ = state;
    if (state != State::Listening)
        lit_ = 0;
    update();
}

const QPixmap& TListenMeter::Look(const QBrush& background, const QColor& ink) {
    // Each look is drawn exactly as the meter would draw itself, then kept until the state, the colours or
    // the screen ratio change.
    const qreal ratio = devicePixelRatioF();
    if (looksState_ != state_ || looksBackground_ != background || looksInk_ != ink || looksRatio_ != ratio) {
        looks_.fill(QPixmap());
        looksState_ = state_;
        looksBackground_ = background;
        looksInk_ = ink;
        looksRatio_ = ratio;
    }
    QPixmap& look = looks_[static_cast<std::size_t>(lit_)];
    if (look.isNull()) {
        look = QPixmap(size() * ratio);
        look.setDevicePixelRatio(ratio);
        QPainter painter(&look);
        DrawLook(painter, background, ink);
    }
    return look;
}

void TListenMeter::DrawLook(QPainter& painter, const QBrush& background, const QColor& ink) {
    painter.fillRect(rect(), background);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawMicrophone(painter, ink, state_ == State::Waiting, state_ == State::Problem);
    // Bars rising left to right; a lit bar is filled, the others only outlined, so the level shows in
    // shape as well as in ink.
    painter.setPen(QPen(ink, 1));
    constexpr double Left = 19, Step = 5.25, Width = 3.5, Bottom = 20.5;
    for (int bar = 0; bar < Bars; ++bar) {
        const double height = 4 + bar * 2.2;
        const QRectF rect(Left + bar * Step, Bottom - height, Width, height);
        painter.setBrush(bar < lit_ ? QBrush(ink) : Qt::NoBrush);
        painter.drawRect(rect);
    }
}

void TListenMeter::paintEvent(QPaintEvent*) {
    // Up to twenty changes of the level a second: each paints a picture drawn before rather than the
    // microphone and the bars anew.
    QPainter painter(this);
    painter.drawPixmap(0, 0, Look(palette().brush(backgroundRole()), palette().color(QPalette::WindowText)));
}

} // namespace quavix
