#pragma once

// Drawing helpers shared by the artwork drawing files. Shapes are painted into an oversampled coverage
// mask and then turned into pixels with a one-bit mask, so every picture is crisp at 1:1 and comes
// out the same on every machine (no fonts, no files).

#include "PixelGrid.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <functional>
#include <initializer_list>
#include <vector>

namespace quavix::ArtworkDrawing::Tools {

// How much of each pixel a shape covers, 0 to 1.
class Coverage {
public:
    Coverage(int width, int height) : width_(width), height_(height), values_(width * height, 0.0f) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    float At(int x, int y) const {
        return x < 0 || y < 0 || x >= width_ || y >= height_ ? 0.0f : values_[y * width_ + x];
    }
    void Set(int x, int y, float value) { values_[y * width_ + x] = value; }

private:
    int width_;
    int height_;
    std::vector<float> values_;
};

// Paints with a white brush in picture units (the painter is scaled) onto an oversampled plane and
// averages it down. Pen is off and the brush is white when the callback starts.
Coverage Cover(int width, int height, const std::function<void(QPainter&)>& paint);
// The same for a plane of the given device size, with `units` taking the callback's units to device pixels.
Coverage Cover(QSize size, const QTransform& units, const std::function<void(QPainter&)>& paint);

// One cubic piece of a brush stroke whose width changes along it: w0 at the start, wm halfway, w1 at
// the end. Strung together they give the swelling and thinning lines of engraved symbols.
struct Swash {
    QPointF p0, c0, c1, p1;
    double w0, wm, w1;
};

// Paints the pieces as a union of round dabs along each curve.
void PaintSwashes(QPainter& painter, const std::vector<Swash>& pieces, double bolder = 0.0);

// A transparent ARGB32 picture.
QImage Blank(int width, int height);

// Sets every pixel whose coverage reaches `solid` to `colour`, and pixels from `edge` up to `solid` to
// a blend of `colour` towards `light`, the way small pictures smooth their outlines against a light
// background while keeping a one-bit mask. Pixels below `edge` are left as they are.
void Put(QImage& picture, const Coverage& coverage, QRgb colour, QRgb light = 0xE0E0E0, float solid = 0.62f,
         float edge = 0.3f);

// Opaque pixel.
inline void Dot(QImage& picture, int x, int y, QRgb colour) {
    if (picture.rect().contains(x, y))
        picture.setPixel(x, y, 0xFF000000 | colour);
}

// A picture being drawn for a PictureGrid: transparent device pixels, written in the picture's logical
// pixels. At ratio 1 every call sets exactly the pixels it names.
class Sheet {
public:
    Sheet(int width, int height, const PictureGrid& grid = PictureGrid());

    const PictureGrid& Grid() const { return grid_; }
    double Ratio() const { return grid_.Ratio(); }
    QImage& Image() { return image_; }

    // Coverage of the sheet's device pixels by what `paint` draws in the picture's logical units.
    Coverage Cover(const std::function<void(QPainter&)>& paint) const;
    // The same with `paint` working in device pixels.
    Coverage CoverDevice(const std::function<void(QPainter&)>& paint) const;
    void Put(const Coverage& coverage, QRgb colour, QRgb light = 0xE0E0E0, float solid = 0.62f,
             float edge = 0.3f) {
        Tools::Put(image_, coverage, colour, light, solid, edge);
    }

    // Whole logical pixels: their device pixels as the grid lays them out.
    void Row(int x0, int x1, int y, QRgb colour);       // x0..x1 inclusive
    void Column(int x, int y0, int y1, QRgb colour);    // y0..y1 inclusive
    void Rect(int l, int t, int r, int b, QRgb colour); // l <= x < r, t <= y < b
    void Clear(int x, int y);                           // makes the pixel transparent
    // Lines as the canvas draws them, one line weight thick from the first device pixel of their logical
    // row or column, so they continue the canvas's own lines exactly.
    void LevelLine(int x0, int x1, int y, QRgb colour);   // x0..x1 inclusive
    void UprightLine(int x, int y0, int y1, QRgb colour); // y0..y1 inclusive
    // Device pixels, for shapes laid out on the device grid by hand.
    void DeviceRect(const QRect& rect, QRgb colour);

    // Finishes the picture (Finish) and hands it over, carrying its device pixel ratio.
    QImage Take();

private:
    PictureGrid grid_;
    QImage image_;
};

// Draws a 1:1 picture given as text rows; each character is looked up in the palette, ' ' and '.' stay
// transparent. Only for ratio 1: at other ratios the same things are drawn as shapes.
struct Ink {
    char key;
    QRgb colour;
};
void PaintRows(QImage& picture, int x, int y, std::initializer_list<const char*> rows,
               std::initializer_list<Ink> palette);

// Makes the picture obey the rules every picture keeps: alpha 0 or 255, colour value 0 where
// transparent, and no pure green, which the staff uses as its colour key.
void Finish(QImage& picture);

// The same drawing in flat greys for a disabled command: lightness is kept, squeezed into
// dark..light.
QImage Greyed(const QImage& picture, int dark = 0x77, int light = 0xE8);

// The clef shapes, in the units of the 29 x 72 clef pictures (staff lines 10 apart at y 14..54).
// The tool-bar icons reuse them at a smaller scale, with the strokes made `bolder` (in clef units) so
// the thin lines survive the reduction. `roundDots` draws the bass clef's dots as circles rather than
// as the pixel-true squares with clipped corners that look round at 1:1.
void PaintTrebleClef(QPainter& painter, double bolder = 0.0);
void PaintBassClef(QPainter& painter, double bolder = 0.0, bool roundDots = false);

// A note button's name, a letter or a syllable, on its 24 x 24 picture: black ink when enabled, grey when
// disabled.
QImage NoteButtonPicture(const QPainterPath& outline, bool enabled, double ratio);

} // namespace quavix::ArtworkDrawing::Tools
