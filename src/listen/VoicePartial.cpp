// How a voice's own upper partial may pass for a note: a vowel can bring one of them out on its own for a few
// tens of milliseconds at a time, between stretches that sound the whole voice.
#include "PitchDetector.h"

#include <algorithm>

namespace quavix {

namespace {

// A run broken off this recently (60 ms) still says which voice is sounding.
constexpr int BrokenRunMs = 60;

} // namespace

bool PitchDetector::PartialOfTheVoiceJustHeard(double pitch) const {
    // Read on its own, the partial holds as still and repeats as clearly as a note, and since the voice that
    // carries it is not told yet, nothing held explains it. But it took over from a run that heard that
    // voice a moment ago (one at least as long as a note must agree for, not a stray frame), at one of its
    // upper partials: no singer leaps an octave and a fifth or more within 60 ms. Unless that run heard a
    // note told before, perhaps read an octave low: a new note a fifth above it lies at such a partial of the
    // octave below.
    const auto since = position_ - brokenAt_;
    if (broken_.size() < static_cast<std::size_t>(settings_.AgreeingFrames) ||
        since > SamplesIn(BrokenRunMs) || !UpperPartialOf(pitch, brokenPitch_))
        return false;
    const auto toldBefore = [this](const Known& note) {
        return SameNoteInAnyOctave(brokenPitch_, note.Pitch);
    };
    return !(held_ && toldBefore(*held_)) && std::none_of(ringing_.begin(), ringing_.end(), toldBefore);
}

} // namespace quavix
