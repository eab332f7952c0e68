#pragma once

#include <QStatusBar>

namespace quavix::ui {

// The status bar: one simple panel, sunken, showing the current message on the bar's own colour.
class TStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int HintPixelSize = 12;
    static constexpr int TextMargin = 2;

    explicit TStatusBar(QWidget* parent = nullptr);
    // Where the message is drawn: inside the sunken edge, less a small margin on either side and the
    // room kept at the right for a sign (the listening meter).
    QRect TextRect() const;
    void SetRightReserve(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int rightReserve_ = 0;
};

} // namespace quavix::ui
