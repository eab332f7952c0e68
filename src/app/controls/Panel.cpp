#include "Panel.h"

#include "DeviceEdges.h"

#include <QPainter>

namespace quavix::ui {

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::SetColour(QRgb colour) {
    if (colour_ == colour)
        return;
    colour_ = colour;
    update();
}

void TPanel::SetBevelOuter(Bevel bevel) {
    if (bevelOuter_ == bevel)
        return;
    bevelOuter_ = bevel;
    update();
}

void TPanel::SetBevelInner(Bevel bevel) {
    if (bevelInner_ == bevel)
        return;
    bevelInner_ = bevel;
    update();
}

void TPanel::SetSoftFrame(bool soft) {
    softFrame_ = soft;
    update();
}

void TPanel::SetCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
}

void TPanel::SetCaptionColour(QRgb colour) {
    captionColour_ = colour;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The fill and the edges nest in the same device pixels, each edge exactly one edge weight inside the
    // last.
    DeviceEdges edges(painter);
    QRect inside = edges.Snap(rect());
    edges.Fill(inside, Rgb(colour_));
    if (softFrame_) {
        // A soft frame is a quiet one-pixel outline, so the bevels inside it read as a button.
        edges.Frame(inside, Rgb(EdgeShadow));
        inside = edges.Inset(inside);
    }
    inside = edges.DrawBevel(inside, bevelOuter_);
    inside = edges.DrawBevel(inside, bevelInner_);
    if (!caption_.isEmpty()) {
        painter.setPen(Rgb(captionColour_));
        painter.setFont(font());
        DrawFittingText(painter, this, edges.Logical(inside), Qt::AlignCenter, caption_);
    }
}

} // namespace quavix::ui
