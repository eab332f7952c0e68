#pragma once

#include "artwork/PixelGrid.h"

#include <QImage>
#include <QRegion>
#include <QSize>

namespace quavix {

// The drawing surface of a paint box: an opaque image plus the region changed since the widget last
// looked. Every shape uses exclusive right and bottom edges, and lines leave out their end point.
//
// Callers speak logical pixels (the layout's); the image holds device pixels at the screen's device pixel
// ratio and carries that ratio. Shapes land on the device pixels of their logical pixels as PixelGrid lays
// them out, so at ratio 1 every pixel is where it always was.
class Canvas {
public:
    explicit Canvas(QSize size, double ratio = 1.0);

    // Logical size.
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    double Ratio() const { return grid_.Ratio(); }
    const PixelGrid& Grid() const { return grid_; }
    // The device pixels.
    const QImage& Image() const { return image_; }
    // The device pixels a logical rectangle covers.
    QRect DeviceRect(const QRect& logical) const;

    // Lays the canvas out anew for another device pixel ratio (the window moved to another screen, or the
    // screen changed): the image is made afresh at the new resolution, so nothing is ever enlarged, and
    // whoever draws on it paints it again. Returns false, changing nothing, when the ratio stays.
    bool SetRatio(double ratio);

    // Covers l <= x < r, t <= y < b.
    void Fill(int l, int t, int r, int b, QRgb colour);
    // One pixel wide, from (x1, y1) up to but not including (x2, y2).
    void Line(int x1, int y1, int x2, int y2, QRgb colour);
    // The ellipse inscribed in l <= x < r, t <= y < b, outlined with pen and filled with brush.
    void Ellipse(int l, int t, int r, int b, QRgb pen, QRgb brush);
    // Draws a picture with its top-left corner at (x, y); fully transparent pixels leave the canvas as it is.
    // The picture is meant for this ratio (its device pixel ratio) and goes on pixel for pixel.
    void Draw(int x, int y, const QImage& picture);
    // Draws a picture composed over a solid background, so its whole rectangle is replaced.
    void DrawOpaque(int x, int y, const QImage& picture, QRgb background);
    // The colour of the device pixel at the top left of logical pixel (x, y), or 0 outside the canvas.
    QRgb Pixel(int x, int y) const;

    // The region painted since the last call, in logical pixels; the widget repaints only that.
    QRegion TakeDirty();

    // Confines every drawing operation to rect until ClearClip, so a view can repaint a small part of a
    // detailed area (such as the square under a marker) by running its usual drawing code.
    void SetClip(const QRect& rect);
    void ClearClip();

private:
    void FillDevice(const QRect& device, QRgb colour);
    bool PaintDevice(const QRect& device, QRgb colour); // without marking it dirty
    void MarkDirty(const QRect& device);
    void LineAtUnit(int x1, int y1, int x2, int y2, QRgb colour);
    void DiagonalLine(int x1, int y1, int x2, int y2, QRgb colour);
    void DeviceEllipse(const QRect& box, QRgb pen, QRgb brush);
    QImage ForThisRatio(const QImage& picture) const;
    void DrawDevice(int originX, int originY, const QImage& source);

    QSize size_;
    PixelGrid grid_;
    QImage image_;
    QRegion dirty_;
    QRect bounds_; // the device pixels drawing may touch: the whole image, or the clip within it
    QRect clip_;   // the logical clip, kept to lay it out again at another ratio
    bool clipped_ = false;
};

} // namespace quavix
