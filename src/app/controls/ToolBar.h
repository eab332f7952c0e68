#pragma once

#include "Bevel.h"

#include <QWidget>

#include <optional>

namespace quavix::ui {

// A tool bar: a plain, gradient or transparent background with optional 3D edges. Its buttons read the
// hot-track settings from it.
class TToolBar final : public QWidget {
    Q_OBJECT
public:
    explicit TToolBar(QWidget* parent = nullptr);

    void SetTransparent(bool transparent);
    void SetEdges(Bevel outer);
    int EdgeWidth() const { return edgeOuter_ == Bevel::None ? 0 : 1; }
    // Start and end of the gradient; without an end colour the bar is flat in the button face colour.
    void SetGradient(std::optional<QRgb> endColour, QRgb startColour);
    void SetHotTrack(bool on, QRgb colour);
    bool HotTrack() const { return hotTrack_; }
    QRgb HotTrackColour() const { return hotTrackColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool transparent_ = false;
    Bevel edgeOuter_ = Bevel::None;
    QRgb gradientStart_ = SystemWindow;
    std::optional<QRgb> gradientEnd_;
    bool hotTrack_ = false;
    QRgb hotTrackColour_ = 0xC0C0C0;
};

} // namespace quavix::ui
