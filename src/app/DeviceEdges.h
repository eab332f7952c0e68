#pragma once

// Edges in whole device pixels. At a fractional device pixel ratio a one-pixel line drawn through the
// painter's scale lands on one device row here and two there, so bevels and frames would come out uneven
// and soft. These helpers snap a widget's rectangles to the device pixels the painter fills for them and
// draw every one-pixel edge the same whole number of device pixels wide, round(ratio), all round. At ratio
// 1 they draw exactly the pixels the classic one-pixel edges always had.

#include <QColor>
#include <QRect>
#include <QTransform>

class QPainter;
class QString;
class QWidget;

namespace quavix::ui {

enum class Bevel;

class DeviceEdges final {
public:
    explicit DeviceEdges(QPainter& painter);

    // The line weight in device pixels.
    int Weight() const { return weight_; }
    // The device pixels of a rectangle of the widget's logical pixels: each edge on the nearest device
    // edge, halves up, as the screen places widgets. Fills and edges both go there.
    QRect Snap(const QRect& logical) const;
    // A device rectangle in the widget's logical coordinates, for placing text inside it.
    QRectF Logical(const QRect& device) const;
    // The rectangle one edge weight in from each side.
    QRect Inset(const QRect& device) const { return device.adjusted(weight_, weight_, -weight_, -weight_); }

    void Fill(const QRect& device, const QColor& colour);
    // A flat outline one edge weight wide, inside the rectangle.
    void Frame(const QRect& device, const QColor& colour);
    // The classic bevel, light above and left and shadow below and right when raised (the other way
    // round when lowered); returns what lies inside it.
    QRect DrawBevel(const QRect& device, Bevel bevel);

private:
    QPainter& painter_;
    QTransform toDevice_;
    int weight_;
};

// Draws text in a widget. Above ratio 1 text is hinted to the device's pixels and can come out a little
// wider than at 1:1; where it would then overrun the part of the room that is visible (inside the widget
// and its parent), its letters are set that little bit closer, so no letter is cut. Text that fits, any
// text at ratio 1, and text that overran its room by design is drawn as it is.
void DrawFittingText(QPainter& painter, const QWidget* widget, const QRectF& room, int flags,
                     const QString& text);

} // namespace quavix::ui
