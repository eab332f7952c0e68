#pragma once

// Watches the input's loudness for the level meter, and notices an input that gives only silence or
// that is too loud and clips. Counted in samples, so it runs the same on a device and on a test's buffers.

#include <cstdint>
#include <optional>

namespace quavix {

// The input's loudness over the last report period, in dB of full scale (-100 for digital silence).
struct InputLevel {
    double RmsDb = -100;
    double PeakDb = -100;
};

class InputMonitor final {
public:
    // Reports every reportMs; silent after silentMs below -80 dB of full scale; clipping from a report
    // with samples at full scale until clipHoldMs pass without any.
    explicit InputMonitor(int sampleRate, int reportMs = 50, int silentMs = 2000, int clipHoldMs = 2000);

    // Takes mono samples and the raw extremes that came with them; returns a level when a report is due.
    std::optional<InputLevel> Take(const float* samples, int count, float rawPeak, int atFullScale);

    bool Silent() const { return quietSamples_ >= silentSamples_; }
    bool Clipping() const { return sinceClip_ < clipHoldSamples_; }

private:
    int reportSamples_;
    std::int64_t silentSamples_;
    std::int64_t clipHoldSamples_;
    double sum_ = 0;
    float peak_ = 0;
    int inReport_ = 0;
    std::int64_t quietSamples_ = 0;
    std::int64_t sinceClip_;
};

} // namespace quavix
