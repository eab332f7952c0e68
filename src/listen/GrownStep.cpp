// How soon a played note grown out of the held one is told, once what the held note leaves reads it clearly.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// Frames read from what the held note leaves, each repeating at least this clearly (as noise allows) with no
// more than this share of the octave above, tell their note after this many, where every frame of the run
// lies within the steady spread.
constexpr std::size_t GrownFrames = 3;
constexpr double GrownClarity = 0.85;
constexpr double GrownOctaveUp = 0.5;
// Over those frames the octave above grew by no more than this: more is an attack on its way up from the
// octave below (a saxophone's high note), which the octave-drift wait holds back a frame later.
constexpr double GrownOctaveDrift = 0.05;
// The frames a slide must hold are spared only for a step of up to a fifth from the held note (and a little
// for a reading off its key). Further off may lie an attack heard in the octave below (a note stepped up to
// whose first moments sound an octave low), or what the held note itself repeats at in noise (three times
// its period).
constexpr double GrownStepSemitones = 7.5;
// A run whose earlier frames glided is told once its latest frames hold still this near a key: further off
// they may be a glide pausing on its way to another.
constexpr double RestingNearKey = 0.25;

} // namespace

std::size_t PitchDetector::GrownStepNeeds() const {
    // A bowed or blown note that sets in as the held one is let go makes the sound no louder, so no start is
    // found, and it stands out of what the held note leaves only gradually: by the time it does, it has
    // sounded for tens of milliseconds. That the held note no longer explains the sound, frame after frame,
    // at one new pitch, is its start, and it is told as soon as a struck note's would be.
    if (!settings_.OctaveMatters || onsetHeard_ || !held_ || run_.size() < GrownFrames)
        return SIZE_MAX;
    const auto first = run_.end() - static_cast<std::ptrdiff_t>(GrownFrames);
    const double pitch = run_.back().Pitch;
    const bool underneath = std::all_of(first, run_.end(), [](const Frame& f) { return f.Underneath; });
    if (!underneath || !LastFramesClear(GrownFrames, GrownClarity, GrownOctaveUp) ||
        run_.back().OctaveUp - first->OctaveUp > GrownOctaveDrift ||
        std::abs(pitch - held_->Pitch) > GrownStepSemitones || !NewToTheHeldNote(pitch))
        return SIZE_MAX;
    // A run whose earlier frames glided (what is left reads the new note pulled off its pitch while the held
    // one outweighs it, or a bow's start sliding in) is told where its latest frames came to rest, once they
    // rest near a key; the steady spread of those frames is asked for where it is told.
    if (SpreadCents(run_.size()) > settings_.SteadyCents) {
        const double resting = RunPitch(run_.size() - GrownFrames);
        if (std::abs(resting - std::round(resting)) > RestingNearKey)
            return SIZE_MAX;
    }
    return GrownFrames;
}

bool PitchDetector::GrownAfterAGlide(std::size_t needed) const {
    return needed == GrownFrames && SpreadCents(run_.size()) > settings_.SteadyCents &&
           GrownStepNeeds() == GrownFrames;
}

} // namespace quavix
