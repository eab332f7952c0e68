#pragma once

#include "Panel.h"

namespace quavix::ui {

// The Close panel: a soft-framed panel acting as a button. Its inner bevel rises under the pointer, it
// takes its hover colour while the pointer is over it, sinks while pressed, and clicks when the left button
// is released over it after a press on it.
class TClosePanel final : public TPanel {
    Q_OBJECT
public:
    explicit TClosePanel(QWidget* parent = nullptr);

    // The colour it returns to and the one it shows under the pointer.
    void SetColours(QRgb resting, QRgb hover);

    void pnlCloseMouseEnter();
    void pnlCloseMouseLeave();
    void pnlCloseMouseMove(QPoint point);
    void pnlCloseMouseDown();
    void pnlCloseMouseUp();

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
    QRgb restingColour_ = ButtonFace;
    QRgb hoverColour_ = ButtonFace;
};

} // namespace quavix::ui
