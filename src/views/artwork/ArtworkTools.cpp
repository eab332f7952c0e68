#include "ArtworkTools.h"

#include <algorithm>
#include <cmath>

namespace quavix::ArtworkDrawing::Tools {

namespace {

// 8 x 8 samples a pixel: 64 levels of coverage are plenty to place the edge pixels of a 24-pixel icon.
constexpr int Oversample = 8;

QPointF Bezier(const Swash& s, double t) {
    const double u = 1.0 - t;
    return u * u * u * s.p0 + 3 * u * u * t * s.c0 + 3 * u * t * t * s.c1 + t * t * t * s.p1;
}

double Width(const Swash& s, double t) {
    // A quadratic through w0, wm and w1, so a stroke can swell in its middle.
    const double control = 2.0 * s.wm - 0.5 * (s.w0 + s.w1);
    const double u = 1.0 - t;
    return u * u * s.w0 + 2 * u * t * control + t * t * s.w1;
}

double Length(const Swash& s) {
    return std::hypot(s.c0.x() - s.p0.x(), s.c0.y() - s.p0.y()) +
           std::hypot(s.c1.x() - s.c0.x(), s.c1.y() - s.c0.y()) +
           std::hypot(s.p1.x() - s.c1.x(), s.p1.y() - s.c1.y());
}

} // namespace

Coverage Cover(int width, int height, const std::function<void(QPainter&)>& paint) {
    return Cover(QSize(width, height), QTransform(), paint);
}

Coverage Cover(QSize size, const QTransform& units, const std::function<void(QPainter&)>& paint) {
    const int width = size.width();
    const int height = size.height();
    QImage plane(width * Oversample, height * Oversample, QImage::Format_Grayscale8);
    plane.fill(0);
    {
        QPainter painter(&plane);
        // Binary painting of the oversampled plane makes overlapping shapes a clean union.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.scale(Oversample, Oversample);
        if (!units.isIdentity())
            painter.setTransform(units, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        paint(painter);
    }
    Coverage coverage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int sy = 0; sy < Oversample; ++sy) {
                const uchar* line = plane.constScanLine(y * Oversample + sy) + x * Oversample;
                for (int sx = 0; sx < Oversample; ++sx)
                    sum += line[sx];
            }
            coverage.Set(x, y, float(sum) / (255.0f * Oversample * Oversample));
        }
    }
    return coverage;
}

// A stroke is thousands of dabs, and QPainter turns every ellipse into curves and then polygons before
// filling it, which made drawing the clefs slow. When the painter only scales and moves, onto a grey plane
// with a plain white brush (as Cover sets it up), the dabs are filled straight into the plane instead, by
// the same rule: a pixel is set when its centre lies inside.
bool CanFillDirectly(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image)
        return false;
    const auto* plane = static_cast<const QImage*>(device);
    return plane->format() == QImage::Format_Grayscale8 &&
           painter.deviceTransform().type() <= QTransform::TxScale && !painter.hasClipping() &&
           painter.pen().style() == Qt::NoPen && painter.brush().style() == Qt::SolidPattern &&
           painter.brush().color() == Qt::white && !painter.testRenderHint(QPainter::Antialiasing) &&
           painter.opacity() == 1.0 && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void FillDab(QImage& plane, const QTransform& transform, QPointF centre, double radius) {
    const QPointF c = transform.map(centre);
    const double rx = radius * std::abs(transform.m11());
    const double ry = radius * std::abs(transform.m22());
    if (rx <= 0 || ry <= 0)
        return;
    const int top = std::max(0, int(std::ceil(c.y() - ry - 0.5)));
    const int bottom = std::min(plane.height() - 1, int(std::floor(c.y() + ry - 0.5)));
    for (int y = top; y <= bottom; ++y) {
        const double v = (y + 0.5 - c.y()) / ry;
        if (v * v > 1.0)
            continue;
        const double half = rx * std::sqrt(1.0 - v * v);
        const int left = std::max(0, int(std::ceil(c.x() - half - 0.5)));
        const int right = std::min(plane.width() - 1, int(std::floor(c.x() + half - 0.5)));
        if (left <= right)
            std::fill(plane.scanLine(y) + left, plane.scanLine(y) + right + 1, uchar(255));
    }
}

void PaintSwashes(QPainter& painter, const std::vector<Swash>& pieces, double bolder) {
    QImage* plane = CanFillDirectly(painter) ? static_cast<QImage*>(painter.device()) : nullptr;
    const QTransform transform = painter.deviceTransform();
    for (const Swash& piece : pieces) {
        const int steps = std::max(8, int(Length(piece) * 12));
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            const double radius = (Width(piece, t) + bolder) / 2.0;
            if (plane)
                FillDab(*plane, transform, Bezier(piece, t), radius);
            else
                painter.drawEllipse(Bezier(piece, t), radius, radius);
        }
    }
}

QImage Blank(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(0);
    return picture;
}

void Put(QImage& picture, const Coverage& coverage, QRgb colour, QRgb light, float solid, float edge) {
    const int width = std::min(picture.width(), coverage.Width());
    const int height = std::min(picture.height(), coverage.Height());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float c = coverage.At(x, y);
            if (c >= solid) {
                Dot(picture, x, y, colour);
            } else if (c >= edge) {
                // Map edge..solid onto a blend that starts near the light shade and ends near the ink.
                const float k = 0.25f + 0.6f * (c - edge) / (solid - edge);
                auto mix = [k](int ink, int paper) { return int(std::lround(paper + (ink - paper) * k)); };
                Dot(picture, x, y,
                    qRgb(mix(qRed(colour), qRed(light)), mix(qGreen(colour), qGreen(light)),
                         mix(qBlue(colour), qBlue(light))));
            }
        }
    }
}

Sheet::Sheet(int width, int height, const PictureGrid& grid)
    : grid_(grid), image_(Blank(grid.X(width), grid.Y(height))) {
    image_.setDevicePixelRatio(grid.Ratio());
}

Coverage Sheet::Cover(const std::function<void(QPainter&)>& paint) const {
    // Logical x lands on device x * ratio + offset, the exact image of the point the grid rounds.
    QTransform units;
    if (!grid_.IsUnit()) {
        units.translate(grid_.OffsetX(), grid_.OffsetY());
        units.scale(grid_.Ratio(), grid_.Ratio());
    }
    return Tools::Cover(image_.size(), units, paint);
}

Coverage Sheet::CoverDevice(const std::function<void(QPainter&)>& paint) const {
    return Tools::Cover(image_.size(), QTransform(), paint);
}

void Sheet::DeviceRect(const QRect& rect, QRgb colour) {
    const QRect area = rect.intersected(image_.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + area.left(), line + area.right() + 1, 0xFF000000 | colour);
    }
}

void Sheet::Rect(int l, int t, int r, int b, QRgb colour) {
    if (l < r && t < b)
        DeviceRect(QRect(QPoint(grid_.X(l), grid_.Y(t)), QPoint(grid_.X(r) - 1, grid_.Y(b) - 1)), colour);
}

void Sheet::Row(int x0, int x1, int y, QRgb colour) {
    Rect(x0, y, x1 + 1, y + 1, colour);
}

void Sheet::Column(int x, int y0, int y1, QRgb colour) {
    Rect(x, y0, x + 1, y1 + 1, colour);
}

void Sheet::Clear(int x, int y) {
    const QRect area = QRect(QPoint(grid_.X(x), grid_.Y(y)), QPoint(grid_.X(x + 1) - 1, grid_.Y(y + 1) - 1))
                           .intersected(image_.rect());
    for (int row = area.top(); row <= area.bottom(); ++row)
        for (int column = area.left(); column <= area.right(); ++column)
            image_.setPixel(column, row, 0);
}

void Sheet::LevelLine(int x0, int x1, int y, QRgb colour) {
    const int left = grid_.X(x0);
    DeviceRect(QRect(left, grid_.Y(y), grid_.X(x1 + 1) - left, grid_.LineWeight()), colour);
}

void Sheet::UprightLine(int x, int y0, int y1, QRgb colour) {
    const int top = grid_.Y(y0);
    DeviceRect(QRect(grid_.X(x), top, grid_.LineWeight(), grid_.Y(y1 + 1) - top), colour);
}

QImage Sheet::Take() {
    Finish(image_);
    return std::move(image_);
}

void PaintRows(QImage& picture, int x, int y, std::initializer_list<const char*> rows,
               std::initializer_list<Ink> palette) {
    int row = y;
    for (const char* text : rows) {
        for (int i = 0; text[i] != '\0'; ++i) {
            for (const Ink& ink : palette) {
                if (ink.key == text[i]) {
                    Dot(picture, x + i, row, ink.colour);
                    break;
                }
            }
        }
        ++row;
    }
}

void Finish(QImage& picture) {
    if (picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            QRgb pixel = line[x];
            if (qAlpha(pixel) < 128) {
                line[x] = 0;
                continue;
            }
            pixel |= 0xFF000000;
            if ((pixel & 0xFFFFFF) == 0x00FF00)
                pixel = 0xFF00FE00;
            line[x] = pixel;
        }
    }
}

QImage Greyed(const QImage& picture, int dark, int light) {
    QImage grey = picture.copy();
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const int lightness = qGray(line[x]);
            const int value = dark + (light - dark) * lightness / 255;
            line[x] = qRgb(value, value, value);
        }
    }
    return grey;
}

QImage NoteButtonPicture(const QPainterPath& outline, bool enabled, double ratio) {
    constexpr int ButtonPictureSize = 24;
    Sheet sheet(ButtonPictureSize, ButtonPictureSize, PictureGrid(ratio));
    const Coverage coverage = sheet.Cover([&](QPainter& painter) { painter.drawPath(outline); });
    if (enabled)
        sheet.Put(coverage, 0x000000, 0xD8D8D8);
    else
        sheet.Put(coverage, 0x777777, 0xE4E4E4);
    return sheet.Take();
}

} // namespace quavix::ArtworkDrawing::Tools
