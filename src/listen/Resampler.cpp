#include "Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quavix {

namespace {

// Kernel phases between two input samples: the moment of an output sample is rounded to 1/256 of an input
// sample, an error far under what a pitch can show.
constexpr int Phases = 256;
// Zero crossings of the sinc on each side, at the lower of the two rates.
constexpr int ZeroCrossings = 8;
// The pass band ends this far below the lower rate's Nyquist limit, leaving room for the window's slope.
constexpr double PassShare = 0.9;

double Blackman(double x) { // x in [-1, 1]
    const double t = std::numbers::pi * (x + 1);
    return 0.42 - 0.5 * std::cos(t) + 0.08 * std::cos(2 * t);
}

} // namespace

Resampler::Resampler(int inputRate, int outputRate)
    : inputRate_(inputRate), outputRate_(outputRate), step_(double(inputRate) / outputRate) {
    if (inputRate <= 0 || outputRate <= 0)
        throw std::invalid_argument("Resampler: rates must be positive");
    // Cut-off as a share of the input rate; when slowing down, the kernel widens to match.
    const double cutoff = PassShare * 0.5 * std::min(1.0, double(outputRate) / inputRate);
    halfTaps_ = static_cast<int>(std::ceil(ZeroCrossings * 0.5 / cutoff));
    const int taps = 2 * halfTaps_;
    kernel_.resize(static_cast<std::size_t>(Phases * taps));
    for (int phase = 0; phase < Phases; ++phase) {
        const double fraction = double(phase) / Phases;
        double sum = 0;
        for (int k = 0; k < taps; ++k) {
            // Tap k weighs input sample (floor(position) - halfTaps_ + 1 + k).
            const double t = (k - halfTaps_ + 1) - fraction;
            const double x = 2 * cutoff * t;
            const double sinc = x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double w = std::abs(t) < halfTaps_ ? Blackman(t / halfTaps_) : 0.0;
            const double value = 2 * cutoff * sinc * w;
            kernel_[static_cast<std::size_t>(phase * taps + k)] = static_cast<float>(value);
            sum += value;
        }
        // Unity gain at 0 Hz for every phase.
        for (int k = 0; k < taps; ++k)
            kernel_[static_cast<std::size_t>(phase * taps + k)] /= static_cast<float>(sum);
    }
    pending_.assign(static_cast<std::size_t>(halfTaps_), 0.0f);
    position_ = halfTaps_;
}

void Resampler::Process(const float* input, int count, std::vector<float>& output) {
    if (inputRate_ == outputRate_) {
        output.insert(output.end(), input, input + count);
        return;
    }
    pending_.insert(pending_.end(), input, input + count);
    const int taps = 2 * halfTaps_;
    for (;;) {
        const auto base = static_cast<std::int64_t>(std::floor(position_));
        if (base + halfTaps_ >= static_cast<std::int64_t>(pending_.size()))
            break;
        const int phase = std::min(Phases - 1, static_cast<int>((position_ - base) * Phases + 0.5));
        const float* x = pending_.data() + (base - halfTaps_ + 1);
        const float* h = kernel_.data() + phase * taps;
        float sum = 0;
        for (int k = 0; k < taps; ++k)
            sum += x[k] * h[k];
        output.push_back(sum);
        position_ += step_;
    }
    // Drop the input that no later output can reach.
    const auto keepFrom = static_cast<std::int64_t>(std::floor(position_)) - halfTaps_ + 1;
    if (keepFrom > 0) {
        pending_.erase(pending_.begin(), pending_.begin() + keepFrom);
        position_ -= double(keepFrom);
    }
}

} // namespace quavix
