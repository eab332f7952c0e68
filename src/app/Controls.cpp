#include "Controls.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

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
    const QColor topLeft = Rgb(bevel == Bevel::Raised ? EdgeHighlight : EdgeShadow);
    const QColor bottomRight = Rgb(bevel == Bevel::Raised ? EdgeShadow : EdgeHighlight);
    const int l = rect.left(), t = rect.top(), w = rect.width(), h = rect.height();
    painter.fillRect(l, t, w - 1, 1, topLeft);
    painter.fillRect(l, t, 1, h - 1, topLeft);
    painter.fillRect(l, t + h - 1, w, 1, bottomRight);
    painter.fillRect(l + w - 1, t, 1, h, bottomRight);
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

void TPanel::SetCaptionAlignment(Qt::Alignment alignment) {
    captionAlignment_ = alignment;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Rgb(colour_));
    QRect inside = rect();
    if (softFrame_) {
        // A soft frame is a quiet one-pixel outline, so the bevels inside it read as a button.
        painter.setPen(Rgb(EdgeShadow));
        painter.drawRect(inside.adjusted(0, 0, -1, -1));
        inside.adjust(1, 1, -1, -1);
    }
    inside = DrawBevel(painter, inside, bevelOuter_);
    inside = DrawBevel(painter, inside, bevelInner_);
    if (!caption_.isEmpty()) {
        painter.setPen(Rgb(captionColour_));
        painter.setFont(font());
        painter.drawText(inside, int(captionAlignment_), caption_);
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
    painter.drawText(rect(), int(alignment_ | Qt::AlignTop), text_);
}

// ---- TPaintBox ----

TPaintBox::TPaintBox(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
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
    for (const QRect& rect : event->region())
        painter.drawImage(rect.topLeft(), canvas_.Image(), rect);
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

void TToolBar::SetColour(QRgb colour) {
    colour_ = colour;
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
            painter.fillRect(rect(), Rgb(colour_));
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

    const QPixmap picture = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    QPoint at((width() - iconSize().width()) / 2, (height() - iconSize().height()) / 2);
    if (isDown())
        at += QPoint(1, 1);
    painter.drawPixmap(at, picture);
}

// ---- TToolSeparator ----

TToolSeparator::TToolSeparator(QWidget* parent) : QWidget(parent) {}

void TToolSeparator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int x = width() / 2 - 1;
    painter.fillRect(x, 3, 1, height() - 6, Rgb(EdgeShadow));
    painter.fillRect(x + 1, 3, 1, height() - 6, Rgb(EdgeHighlight));
}

// ---- TClosePanel ----

TClosePanel::TClosePanel(QWidget* parent) : TPanel(parent) {
    setMouseTracking(true);
}

void TClosePanel::enterEvent(QEnterEvent*) {
    emit mouseEntered();
}

void TClosePanel::leaveEvent(QEvent*) {
    emit mouseLeft();
}

void TClosePanel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void TClosePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    emit mousePressed();
}

void TClosePanel::mouseReleaseEvent(QMouseEvent* event) {
    // A click needs the left button to go down and come up over the panel; the click comes before the
    // release handler, so a confirmation box sees the panel still pressed.
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    emit mouseReleased();
}

// ---- TCountButton ----

TCountButton::TCountButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TCountButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, text());
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
    QRect inside = DrawBevel(painter, thumb, Bevel::Raised);
    painter.setPen(Rgb(EdgeDarkShadow));
    painter.drawLine(thumb.bottomLeft(), thumb.bottomRight());
    painter.drawLine(thumb.topRight(), thumb.bottomRight());

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(isEnabled() ? Qt::black : Rgb(0x808080));
    painter.drawText(inside, Qt::AlignCenter, QString::number(value()));

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
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
    connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect panel = rect().adjusted(0, 2, 0, 0);
    const QRect inside = DrawBevel(painter, panel, Bevel::Lowered);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(inside.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, currentMessage());
}

// ---- TMenuStyle ----

namespace {

// The item as the base style should see it: no picture and no mark, but room for both on the left.
QStyleOptionMenuItem PlainMenuItem(const QStyleOptionMenuItem& item) {
    QStyleOptionMenuItem plain = item;
    plain.icon = QIcon();
    plain.checkType = QStyleOptionMenuItem::NotCheckable;
    plain.checked = false;
    plain.maxIconWidth = TMenuStyle::MarkColumn + TMenuStyle::PictureColumn;
    return plain;
}

} // namespace

TMenuStyle::TMenuStyle() = default;

QSize TMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const QStyleOptionMenuItem plain = PlainMenuItem(*item);
    QSize result = QProxyStyle::sizeFromContents(type, &plain, size, widget);
    result.setHeight(std::max(result.height(), PictureColumn));
    return result;
}

void TMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QStyleOptionMenuItem plain = PlainMenuItem(*item);
    QProxyStyle::drawControl(element, &plain, painter, widget);

    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    const QColor ink = !enabled   ? item->palette.color(QPalette::Disabled, QPalette::Text)
                       : selected ? item->palette.color(QPalette::HighlightedText)
                                  : item->palette.color(QPalette::Text);
    const QRect rect = item->rect;
    const QPoint markCentre(rect.left() + 4 + MarkColumn / 2, rect.center().y());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (item->checked && item->checkType == QStyleOptionMenuItem::Exclusive) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawEllipse(QPointF(markCentre) + QPointF(0.5, 0.5), 3.5, 3.5);
    } else if (item->checked && item->checkType == QStyleOptionMenuItem::NonExclusive) {
        painter->setPen(QPen(ink, 2));
        painter->setBrush(Qt::NoBrush);
        const QPointF c(markCentre);
        painter->drawPolyline(QPolygonF{c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(5, -4)});
    }
    painter->restore();
    if (!item->icon.isNull()) {
        const QPixmap picture = item->icon.pixmap(QSize(24, 24), enabled ? QIcon::Normal : QIcon::Disabled);
        painter->drawPixmap(rect.left() + 4 + MarkColumn, rect.top() + (rect.height() - 24) / 2, picture);
    }
}

} // namespace quavix::ui
