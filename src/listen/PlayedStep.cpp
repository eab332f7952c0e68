// How a played note that follows the held one without a new start (a bow changing notes, a breath carried
// on) is heard while the held note's release still fills the window.
#include "NoteSeparation.h"
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// A held note whose window repeats less clearly than this may have another note growing under it.
constexpr double HeldBlurred = 0.97;
// Taken out at the period just read, the held note leaves a note of its own when what is left repeats at
// least this clearly, however small a share of the sound it holds yet (no less than this).
constexpr double UnderClarity = 0.85;
constexpr double UnderShare = 0.02;
// A step to the next note lies within this many semitones of the held one. Further off, what is left is a
// struck string's stretched upper partials or the room, not a note grown out of the held one.
constexpr double StepSemitones = 12;

// Whether what is left holds more energy in the window's later half than in its earlier one: a note setting
// in grows as the held one is let go; a partial of the held note's own, or a string ringing in sympathy
// with it, dies away with it.
bool GrowsAcrossTheWindow(const std::vector<float>& left, int count) {
    const int half = count / 2;
    double earlier = 0;
    double later = 0;
    for (int i = 0; i < count; ++i)
        (i < half ? earlier : later) += double(left[i]) * left[i];
    return later > earlier;
}

} // namespace

std::optional<PitchDetector::Frame> PitchDetector::PlayedUnderHeld(const float* samples, int count,
                                                                   const PeriodEstimate& plain) {
    // A bowed or blown note that follows the held one as it is let go makes the sound no louder, so no
    // start is found, and for tens of milliseconds the window still repeats as the held note, only less
    // clearly. Taken out at the period just read, the held note leaves the next one already clear, if a
    // small share of the sound. Not while the sound grows: a note swelling in over one held on is heard
    // apart from it once it stands out, and from its own start.
    if (!settings_.OctaveMatters || plain.Clarity >= HeldBlurred || onsets_.LevelNow() > levels_.front())
        return std::nullopt;
    const double period = settings_.SampleRate / plain.Frequency;
    if (period + 3 > double(position_ - count - historyStart_))
        return std::nullopt;
    const Remainder left = WithoutPeriod(estimator_, samples, count, period, scratch_);
    if (left.Estimate.Frequency <= 0 || left.Estimate.Clarity < UnderClarity || left.Share < UnderShare ||
        std::abs(PitchOf(left) - held_->Pitch) > StepSemitones || !AwayFromTheHeldVoice(PitchOf(left)) ||
        !GrowsAcrossTheWindow(scratch_, count))
        return std::nullopt;
    return WithOwnOctave(Frame{PitchOf(left), left.Estimate.Clarity, left.Estimate.OctaveUp}, samples, count,
                         period);
}

} // namespace quavix
