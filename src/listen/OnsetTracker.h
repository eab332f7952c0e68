#pragma once

// Finds where notes start in a stream of samples: the moments the sound grows sharply louder than it was a
// moment before. A new note played while the last one still rings is found by the same rise, as long as
// it stands out of the dying tail.

#include <cstdint>
#include <deque>
#include <optional>

namespace quavix {

class OnsetTracker final {
public:
    explicit OnsetTracker(int sampleRate);

    // Takes the next sample. Returns the position of a note start when one has just been recognised
    // (always a little after the start itself, which lies up to a few blocks back).
    std::optional<std::int64_t> Take(float sample);

    // Mean square of the sound just before the latest note start, and of the sound now (over the last
    // period of a low note), so a caller can tell whether anything before the start still matters.
    double LevelBeforeOnset() const { return levelBefore_; }
    double LevelNow() const { return smoothed_.empty() ? 0.0 : smoothed_.back(); }

    void Reset();

private:
    void BlockDone();

    int blockSamples_;
    int smoothingBlocks_;
    double blockSum_ = 0;
    int inBlock_ = 0;
    std::int64_t position_ = 0;   // samples taken
    std::deque<double> blocks_;   // mean square of recent blocks, oldest first
    std::deque<double> smoothed_; // the same smoothed over one low period
    bool armed_ = true;           // false from a start until the level stops growing
    int settledBlocks_ = 0;       // blocks in a row in which the level did not grow
    std::optional<std::int64_t> found_;
    double levelBefore_ = 0;
};

} // namespace quavix
