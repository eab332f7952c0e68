#pragma once

#include <QProxyStyle>

namespace quavix::ui {

// Menus whose items carry pictures: a column for the radio bullet or check mark, then the picture at
// its full 24 x 24 size, then the text. The platform styles draw a checked item's picture in a frame
// instead, which would hide whether an item is a radio item or a check item.
class TMenuStyle final : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int MarkColumn = 18;
    static constexpr int PictureColumn = 28;

    TMenuStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace quavix::ui
