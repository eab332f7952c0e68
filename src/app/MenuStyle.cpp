#include "MenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace quavix::ui {

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
        // The picture drawn for the ratio the menu is painted at.
        const double ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap picture =
            item->icon.pixmap(QSize(24, 24), ratio, enabled ? QIcon::Normal : QIcon::Disabled);
        painter->drawPixmap(rect.left() + 4 + MarkColumn, rect.top() + (rect.height() - 24) / 2, picture);
    }
}

} // namespace quavix::ui
