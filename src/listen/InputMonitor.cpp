#include "InputMonitor.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// Quieter than this the input is taken as delivering nothing: a muted or disconnected microphone. A quiet
// room through a working one stays around -60 dB.
constexpr float SilentPeak = 1e-4f; // -80 dB

double Decibels(double amplitude) {
    return amplitude > 1e-5 ? 20 * std::log10(amplitude) : -100.0;
}

} // namespace

InputMonitor::InputMonitor(int sampleRate, int reportMs, int silentMs, int clipHoldMs)
    : reportSamples_(std::max(1, sampleRate * reportMs / 1000)),
      silentSamples_(std::int64_t(sampleRate) * silentMs / 1000),
      clipHoldSamples_(std::int64_t(sampleRate) * clipHoldMs / 1000), sinceClip_(clipHoldSamples_) {}

std::optional<InputLevel> InputMonitor::Take(const float* samples, int count, float rawPeak,
                                             int atFullScale) {
    if (atFullScale > 0)
        sinceClip_ = 0;
    else
        sinceClip_ = std::min(sinceClip_ + count, clipHoldSamples_);
    if (rawPeak < SilentPeak)
        quietSamples_ += count;
    else
        quietSamples_ = 0;
    peak_ = std::max(peak_, rawPeak);
    for (int i = 0; i < count; ++i)
        sum_ += double(samples[i]) * samples[i];
    inReport_ += count;
    if (inReport_ < reportSamples_)
        return std::nullopt;
    const InputLevel level{Decibels(std::sqrt(sum_ / inReport_)), Decibels(peak_)};
    sum_ = 0;
    peak_ = 0;
    inReport_ = 0;
    return level;
}

} // namespace quavix
