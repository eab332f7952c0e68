#pragma once

#include "Bevel.h"

#include <QAbstractSlider>

namespace quavix::ui {

// The level slider: a plain track and a square thumb that shows the value. Dragging the thumb follows the
// pointer; a click on the track moves one page towards the click.
class TLevelSlider final : public QAbstractSlider {
    Q_OBJECT
public:
    static constexpr int ThumbSize = 24;

    explicit TLevelSlider(QWidget* parent = nullptr);

    void SetColour(QRgb colour);
    QRgb Colour() const { return colour_; }
    void SetThumbColour(QRgb colour);
    QRgb ThumbColour() const { return thumbColour_; }
    // The thumb's rectangle for the current value.
    QRect ThumbRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ThumbLeftFor(int value) const;
    int ValueForThumbLeft(int left) const;
    int TrackSpan() const;

    QRgb colour_ = ButtonFace;
    QRgb thumbColour_ = 0x88C0FF;
    int grabOffset_ = -1; // where the thumb was taken, -1 while not dragging
};

} // namespace quavix::ui
