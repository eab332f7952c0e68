// How a played note that follows the held one without a new start (a bow changing notes, a breath carried
// on) is heard while the held note's release still fills the window.
#include "NoteSeparation.h"
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

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
    if (!settings_.OctaveMatters || onsets_.LevelNow() > levels_.front())
        return std::nullopt;
    const std::optional<Remainder> left = NextNoteUnderHeld(samples, count, plain);
    if (!left || std::abs(PitchOf(*left) - held_->Pitch) > StepSemitones ||
        !GrowsAcrossTheWindow(scratch_, count))
        return std::nullopt;
    return WithOwnOctave(Frame{PitchOf(*left), left->Estimate.Clarity, left->Estimate.OctaveUp}, samples,
                         count, left->Period);
}

} // namespace quavix
