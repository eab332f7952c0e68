#include "LevelSlider.h"

#include "DeviceEdges.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quavix::ui {

namespace {
constexpr int TrackMargin = 2; // between the slider's edge and the thumb at either end
}

TLevelSlider::TLevelSlider(QWidget* parent) : QAbstractSlider(parent) {
    setOrientation(Qt::Horizontal);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TLevelSlider::SetColour(QRgb colour) {
    colour_ = colour;
    update();
}

void TLevelSlider::SetThumbColour(QRgb colour) {
    thumbColour_ = colour;
    update();
}

int TLevelSlider::TrackSpan() const {
    return std::max(0, width() - 2 * TrackMargin - ThumbSize);
}

int TLevelSlider::ThumbLeftFor(int value) const {
    const int steps = maximum() - minimum();
    if (steps <= 0)
        return TrackMargin;
    return TrackMargin + (value - minimum()) * TrackSpan() / steps;
}

int TLevelSlider::ValueForThumbLeft(int left) const {
    const int steps = maximum() - minimum();
    if (steps <= 0 || TrackSpan() == 0)
        return minimum();
    const int offset = std::clamp(left - TrackMargin, 0, TrackSpan());
    return minimum() + (offset * steps + TrackSpan() / 2) / TrackSpan();
}

QRect TLevelSlider::ThumbRect() const {
    return QRect(ThumbLeftFor(value()), (height() - ThumbSize) / 2, ThumbSize, ThumbSize);
}

void TLevelSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Rgb(colour_));

    // The track is a plain sunken channel: it is not filled up to the thumb.
    const int trackTop = height() / 2 - 2;
    const QRect track(TrackMargin + ThumbSize / 2 - 2, trackTop, TrackSpan() + 4, 4);
    painter.fillRect(track, Rgb(0xE7EAEA));
    DrawBevel(painter, track, Bevel::Lowered);

    const QRect thumb = ThumbRect();
    painter.fillRect(thumb, isEnabled() ? Rgb(thumbColour_) : Rgb(0xD8D8D8));
    DeviceEdges edges(painter);
    const QRect face = edges.Snap(thumb);
    const QRectF inside = edges.Logical(edges.DrawBevel(face, Bevel::Raised));
    // A darker line under and right of the bevel's shadow makes the thumb stand out.
    const int w = edges.Weight();
    edges.Fill(QRect(face.left(), face.bottom() + 1 - w, face.width(), w), Rgb(EdgeDarkShadow));
    edges.Fill(QRect(face.right() + 1 - w, face.top(), w, face.height()), Rgb(EdgeDarkShadow));

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(isEnabled() ? Qt::black : Rgb(0x808080));
    DrawFittingText(painter, this, inside, Qt::AlignCenter, QString::number(value()));

    if (hasFocus()) {
        // A cosmetic pen: dots of one device pixel at any ratio.
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.drawRect(thumb.adjusted(-1, -1, 0, 0));
    }
}

void TLevelSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const QRect thumb = ThumbRect();
    if (thumb.contains(point)) {
        grabOffset_ = point.x() - thumb.left();
        setSliderDown(true);
    } else {
        // A click on the track moves one page towards the click.
        const int step = point.x() < thumb.left() ? -pageStep() : pageStep();
        setValue(value() + step);
    }
    event->accept();
}

void TLevelSlider::mouseMoveEvent(QMouseEvent* event) {
    if (grabOffset_ < 0) {
        event->ignore();
        return;
    }
    const int value = ValueForThumbLeft(event->position().toPoint().x() - grabOffset_);
    setSliderPosition(value);
    event->accept();
}

void TLevelSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (grabOffset_ >= 0 && event->button() == Qt::LeftButton) {
        grabOffset_ = -1;
        setSliderDown(false);
    }
    event->accept();
}

} // namespace quavix::ui
