#pragma once

#include "Canvas.h"

#include <QWidget>

namespace quavix::ui {

// A paint box: the surface a view draws on (a Canvas of its own, at the screen's resolution), shown on
// screen part by part as it changes.
class TPaintBox final : public QWidget {
    Q_OBJECT
public:
    // A surface of the given logical size, drawn for the device pixel ratio.
    TPaintBox(QSize size, double ratio, QWidget* parent = nullptr);

    Canvas& Surface() { return canvas_; }
    const Canvas& Surface() const { return canvas_; }
    // Asks for a repaint of what was drawn on the canvas since the last call.
    void Flush();

signals:
    void mousePressed(QPoint point);
    void mouseMoved(QPoint point);
    void mouseReleased(QPoint point);
    // The box is shown at another device pixel ratio than its canvas was drawn for.
    void ratioDiffers();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Canvas canvas_;
};

} // namespace quavix::ui
