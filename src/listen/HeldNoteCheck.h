#pragma once

// A note held on is heard again in every frame, and reading it in full (a transform of the whole window and
// another of its latest periods) is most of what listening costs. Between full readings, a frame that still
// repeats at the period last read, as clearly as then over the whole window and over its latest periods, and
// no more at half that period, is the held note sounding as it did, moved by as much as those sums moved. A
// new stroke, a step to another pitch, a note dying away or an octave leap each change one of those, and the
// detector then reads the frame in full.

#include "PeriodEstimator.h"

#include <optional>

namespace quavix {

class HeldNoteCheck final {
public:
    explicit HeldNoteCheck(const PeriodEstimator& estimator) : estimator_(estimator) {}

    // A full reading heard the held note at this period in count samples: later frames are held against how
    // the note sounded then.
    void Measured(const float* samples, int count, double period);
    // How a frame's reading has moved since the full one, as far as the direct sums see it.
    struct Drift {
        double Semitones = 0;
        double Clarity = 0;
        double OctaveUp = 0;
    };
    // How count samples have moved since the last full reading, while they still sound as then; nothing
    // once they do not. After a few frames in a row it answers nothing all the same, so that a full reading
    // comes at least every MostInRow + 1 frames.
    std::optional<Drift> Since(const float* samples, int count);
    void Forget() { reference_.reset(); }

    static constexpr int MostInRow = 3;

private:
    struct Look {
        PeriodEstimate Whole;
        PeriodEstimate Latest;
    };
    Look LookAt(const float* samples, int count) const;

    const PeriodEstimator& estimator_;
    std::optional<Look> reference_;
    double period_ = 0;
    int inRow_ = 0;
};

} // namespace quavix
