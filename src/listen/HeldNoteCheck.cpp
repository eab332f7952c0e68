#include "HeldNoteCheck.h"

#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// How far a frame may differ from the full reading and still be the same sound: a few cents of pitch (a
// vibrato's swing takes longer than the frames between two full readings), a little clarity, and a little
// more of the octave above.
constexpr double SameCents = 8;
constexpr double ClarityLoss = 0.03;
constexpr double OctaveUpGain = 0.05;

bool Found(const PeriodEstimate& estimate) {
    return estimate.Frequency > 0;
}

bool SameSound(const PeriodEstimate& now, const PeriodEstimate& then) {
    return Found(now) &&
           100 * std::abs(PitchOfFrequency(now.Frequency) - PitchOfFrequency(then.Frequency)) <= SameCents &&
           now.Clarity >= then.Clarity - ClarityLoss;
}

} // namespace

HeldNoteCheck::Look HeldNoteCheck::LookAt(const float* samples, int count) const {
    const int latest = LatestStretch(count, period_);
    // Only the whole window's share of the octave above is held against the full reading.
    return {estimator_.Near(samples, count, period_),
            estimator_.Near(samples + count - latest, latest, period_, PeriodEstimator::NearOctaveUp::Skip)};
}

void HeldNoteCheck::Measured(const float* samples, int count, double period) {
    period_ = period;
    inRow_ = 0;
    const Look look = LookAt(samples, count);
    if (Found(look.Whole) && Found(look.Latest))
        reference_ = look;
    else
        reference_.reset();
}

std::optional<HeldNoteCheck::Drift> HeldNoteCheck::Since(const float* samples, int count) {
    if (!reference_ || inRow_ >= MostInRow)
        return std::nullopt;
    const Look now = LookAt(samples, count);
    if (!SameSound(now.Whole, reference_->Whole) || !SameSound(now.Latest, reference_->Latest) ||
        now.Whole.OctaveUp > reference_->Whole.OctaveUp + OctaveUpGain)
        return std::nullopt;
    ++inRow_;
    return Drift{PitchOfFrequency(now.Whole.Frequency) - PitchOfFrequency(reference_->Whole.Frequency),
                 now.Whole.Clarity - reference_->Whole.Clarity,
                 now.Whole.OctaveUp - reference_->Whole.OctaveUp};
}

} // namespace quavix
