#pragma once

#include <QPoint>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace quavix {

// Where the logical pixels of the layout fall on the device pixels of a screen with the given device pixel
// ratio. A logical edge x lands on the device edge round(x * ratio), halves rounding up, so shapes that meet
// in logical pixels meet in device pixels too, without a gap or an overlap, and ratio 1 maps every pixel
// onto itself.
//
// At a fractional ratio the logical pixels come out one or two device pixels wide by turns (at 1.5 even
// ones two, odd ones one). Lines would then change weight with their place, so a one-pixel line is
// LineWeight() device pixels thick wherever it lies, starting at the first device pixel of its logical
// pixel: round(ratio), at least 1. At whole ratios that is exactly the logical pixel; at fractional ones a
// line may reach one device pixel into the next logical pixel or leave one of its own uncovered.
class PixelGrid {
public:
    explicit PixelGrid(double ratio = 1.0)
        : ratio_(ratio > 0 ? ratio : 1.0), weight_(std::max(1, int(std::floor(ratio_ + 0.5 + Slack)))) {}

    double Ratio() const { return ratio_; }
    bool IsUnit() const { return ratio_ == 1.0; }
    int LineWeight() const { return weight_; }

    // The device edge of logical edge x.
    int Device(int logical) const { return int(std::floor(logical * ratio_ + 0.5 + Slack)); }
    // The logical pixel that device pixel d belongs to: the last x with Device(x) <= d.
    int Logical(int device) const {
        int x = int(std::floor((device + 0.5) / ratio_));
        while (Device(x) > device)
            --x;
        while (Device(x + 1) <= device)
            ++x;
        return x;
    }
    // The smallest q for which every q logical pixels make a whole number of device pixels (4 at 1.25, 2 at
    // 1.5, 1 at whole ratios), so that rows q apart fall on the device grid alike; 0 when there is none
    // within reason and every row has a place of its own.
    int Period() const {
        for (int q = 1; q <= MaxPeriod; ++q)
            if (std::abs(ratio_ * q - std::floor(ratio_ * q + 0.5)) < 1e-6)
                return q;
        return 0;
    }
    // How far the exact image of logical edge x lies past its device edge, in device pixels (about -0.5 to
    // 0.5). Pictures drawn for a place use it to put their curves where the grid puts their straight edges.
    double Offset(int logical) const { return logical * ratio_ - Device(logical); }

private:
    // Ratios such as 1.1 are not exact in binary; this keeps x.5 products rounding up all the same.
    static constexpr double Slack = 1e-7;
    static constexpr int MaxPeriod = 64;

    double ratio_;
    int weight_;
};

// The grid of one picture: the device pixels it is drawn onto for a ratio and for the logical point it will
// be shown at. Where that point falls between device pixels decides where the picture's own logical pixels
// fall, so a picture drawn for its place puts its straight lines on exactly the device rows the canvas
// gives the same logical rows (a clef's staff lines, a note's ledger lines). Places whose rows are a whole
// number of device pixels apart share one picture: at 1.5 every other row, at 1.25 every fourth.
class PictureGrid {
public:
    explicit PictureGrid(double ratio = 1.0, QPoint at = {})
        : grid_(ratio), at_(at), originX_(grid_.Device(at.x())), originY_(grid_.Device(at.y())) {}

    const PixelGrid& Grid() const { return grid_; }
    double Ratio() const { return grid_.Ratio(); }
    bool IsUnit() const { return grid_.IsUnit(); }
    int LineWeight() const { return grid_.LineWeight(); }
    // Device edges of the picture's own logical edges, counted from its top-left corner.
    int X(int logical) const { return grid_.Device(at_.x() + logical) - originX_; }
    int Y(int logical) const { return grid_.Device(at_.y() + logical) - originY_; }
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }
    // Where the exact image of the picture's logical origin lies on its device grid: shapes drawn as curves
    // are moved by it, so they sit where the straight edges land.
    double OffsetX() const { return grid_.Offset(at_.x()); }
    double OffsetY() const { return grid_.Offset(at_.y()); }

private:
    PixelGrid grid_;
    QPoint at_;
    int originX_;
    int originY_;
};

} // namespace quavix
