#include "Controls.h"

#include "DeviceEdges.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quavix::ui {

namespace {

QColor Rgb(QRgb rgb) {
    return QColor::fromRgb(rgb);
}

QColor Blend(QRgb a, QRgb b) {
    return QColor((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

} // namespace

QRect DrawBevel(QPainter& painter, const QRect& rect, Bevel bevel) {
    if (bevel == Bevel::None || rect.isEmpty())
        return rect;
    DeviceEdges edges(painter);
    edges.DrawBevel(edges.Snap(rect), bevel);
    return rect.adjusted(1, 1, -1, -1);
}

// ---- TPanel ----

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
    painter.fillRect(rect(), Rgb(colour_));
    // The edges nest in device pixels, each exactly one edge weight inside the last.
    DeviceEdges edges(painter);
    QRect inside = edges.Snap(rect());
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

// ---- TLabel ----

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

// ---- TPaintBox ----

TPaintBox::TPaintBox(QSize size, double ratio, QWidget* parent) : QWidget(parent), canvas_(size, ratio) {
    // The canvas covers the whole box, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::Flush() {
    const QRegion dirty = canvas_.TakeDirty();
    if (!dirty.isEmpty())
        update(dirty);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = canvas_.Image();
    if (canvas_.Grid().IsUnit()) {
        for (const QRect& rect : event->region())
            painter.drawImage(rect.topLeft(), image, rect);
    } else {
        // Each logical rectangle shows the canvas's device pixels under it, one for one.
        const double ratio = canvas_.Ratio();
        for (const QRect& rect : event->region()) {
            const QRect source = canvas_.DeviceRect(rect).intersected(image.rect());
            const QRectF target(source.left() / ratio, source.top() / ratio, source.width() / ratio,
                                source.height() / ratio);
            painter.drawImage(target, image, source);
        }
    }
    if (std::abs(devicePixelRatioF() - canvas_.Ratio()) > 1e-6)
        emit ratioDiffers();
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->position().toPoint());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->position().toPoint());
}

// ---- TToolBar ----

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

// ---- TToolButton ----

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

// ---- TToolSeparator ----

TToolSeparator::TToolSeparator(QWidget* parent) : QWidget(parent) {}

void TToolSeparator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DeviceEdges edges(painter);
    const QRect groove = edges.Snap(QRect(width() / 2 - 1, 3, 1, height() - 6));
    edges.Fill(QRect(groove.left(), groove.top(), edges.Weight(), groove.height()), Rgb(EdgeShadow));
    edges.Fill(QRect(groove.left() + edges.Weight(), groove.top(), edges.Weight(), groove.height()),
               Rgb(EdgeHighlight));
}

// ---- TClosePanel ----

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

// ---- TCountButton ----

TCountButton::TCountButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TCountButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    DrawFittingText(painter, this, rect(), Qt::AlignCenter, text());
}

// ---- TLevelSlider ----

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

// ---- TStatusBar ----

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
    return rect().adjusted(1 + TextMargin, 3, -1 - TextMargin, -1);
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
