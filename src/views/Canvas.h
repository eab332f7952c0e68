#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

namespace quavix {

// The drawing surface of a paint box: an opaque image plus the region changed since the widget last
// looked. Every shape uses exclusive right and bottom edges, and lines leave out their end point.
class Canvas {
public:
    explicit Canvas(QSize size);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    // Covers l <= x < r, t <= y < b.
    void Fill(int l, int t, int r, int b, QRgb colour);
    // One pixel wide, from (x1, y1) up to but not including (x2, y2).
    void Line(int x1, int y1, int x2, int y2, QRgb colour);
    // The ellipse inscribed in l <= x < r, t <= y < b, outlined with pen and filled with brush.
    void Ellipse(int l, int t, int r, int b, QRgb pen, QRgb brush);
    // Draws a picture with its top-left corner at (x, y); fully transparent pixels leave the canvas as it is.
    void Draw(int x, int y, const QImage& picture);
    // Draws a picture composed over a solid background, so its whole rectangle is replaced.
    void DrawOpaque(int x, int y, const QImage& picture, QRgb background);
    // The colour at (x, y), or 0 outside the canvas.
    QRgb Pixel(int x, int y) const;

    // The region painted since the last call; the widget repaints only that.
    QRegion TakeDirty();

    // Confines every drawing operation to rect until ClearClip, so a view can repaint a small part of a
    // detailed area (such as the square under a marker) by running its usual drawing code.
    void SetClip(const QRect& rect);
    void ClearClip();

private:
    void MarkDirty(const QRect& rect);

    QImage image_;
    QRegion dirty_;
    QRect bounds_; // the pixels drawing may touch: the whole image, or the clip within it
    bool clipped_ = false;
};

} // namespace quavix
