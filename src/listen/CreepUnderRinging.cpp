// A note bowed under a held one that rings on, creeping into its key: it creeps in as it would alone.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A run read from under the held note starts away from it by at least this much (a semitone): nearer, it may
// be the held note's own pitch drifting.
constexpr double LeftBySemitones = 1.0;

} // namespace

bool PitchDetector::BrokeOffTheHeldNoteUnder() const {
    // A run that broke off a long one is a pitch heard before it sliding on, and does not creep into a key.
    // Not when every frame of it was read from under the held note, a semitone or more from it, the run it
    // broke off being the held note: that is another note bowed as the held one rings on, whose attack
    // creeps into its key as it does alone. (Played notes only: a voice's partials cross its octaves.)
    if (!settings_.OctaveMatters || !held_ || run_.empty() ||
        std::abs(brokenPitch_ - held_->Pitch) > SameNoteSemitones ||
        std::abs(run_.front().Pitch - held_->Pitch) < LeftBySemitones)
        return false;
    return std::all_of(run_.begin(), run_.end(), [](const Frame& f) { return f.Underneath; });
}

} // namespace quavix
