#pragma once

// A second-order filter section (Butterworth high- or low-pass), run sample by sample.

#include <cmath>
#include <numbers>

namespace quavix {

class Biquad final {
public:
    static Biquad LowPass(double cutoffHz, double sampleRate) { return Make(cutoffHz, sampleRate, false); }
    static Biquad HighPass(double cutoffHz, double sampleRate) { return Make(cutoffHz, sampleRate, true); }

    float Run(float x) {
        const double y = b0_ * x + s1_;
        s1_ = b1_ * x - a1_ * y + s2_;
        s2_ = b2_ * x - a2_ * y;
        return static_cast<float>(y);
    }
    void Reset() { s1_ = s2_ = 0; }

private:
    // The bilinear transform of the analogue prototype with Q = 1/sqrt(2).
    static Biquad Make(double cutoffHz, double sampleRate, bool highPass) {
        const double w = 2 * std::numbers::pi * cutoffHz / sampleRate;
        const double alpha = std::sin(w) / std::numbers::sqrt2;
        const double cosw = std::cos(w);
        const double a0 = 1 + alpha;
        Biquad f;
        const double side = highPass ? (1 + cosw) / 2 : (1 - cosw) / 2;
        f.b0_ = side / a0;
        f.b1_ = (highPass ? -(1 + cosw) : (1 - cosw)) / a0;
        f.b2_ = side / a0;
        f.a1_ = -2 * cosw / a0;
        f.a2_ = (1 - alpha) / a0;
        return f;
    }

    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double s1_ = 0, s2_ = 0;
};

} // namespace quavix
