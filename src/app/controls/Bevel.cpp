#include "Bevel.h"

#include "DeviceEdges.h"

namespace quavix::ui {

QRect DrawBevel(QPainter& painter, const QRect& rect, Bevel bevel) {
    if (bevel == Bevel::None || rect.isEmpty())
        return rect;
    DeviceEdges edges(painter);
    edges.DrawBevel(edges.Snap(rect), bevel);
    return rect.adjusted(1, 1, -1, -1);
}

} // namespace quavix::ui
