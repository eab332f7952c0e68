// How a voice's own upper partial may pass for a note: a vowel can bring one of them out on its own for a few
// tens of milliseconds at a time, between stretches that sound the whole voice.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quavix {

namespace {

// A run broken off this recently (60 ms) still says which voice is sounding.
constexpr int BrokenRunMs = 60;
// The latest frames of that run (40 ms) that must have been read with the held note taken out to say the
// voice itself sounded under it, all but this many.
constexpr std::size_t VoiceUnderFrames = 8;
constexpr std::ptrdiff_t MostReadWhole = 2;

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
    if (HeldNoteToldOverItsVoice())
        return true;
    return !(held_ && toldBefore(*held_)) && std::none_of(ringing_.begin(), ringing_.end(), toldBefore);
}

bool PitchDetector::HeldNoteToldOverItsVoice() const {
    // A voice whose second partial leads may be told an octave up. Taken out at that pitch, the voice leaves
    // its odd partials behind, so a run read on an octave under the held note with it taken out, up to where
    // it broke off, is the voice sounding on, not the held note read an octave low, and its third partial (a
    // fifth above the held note) is no new note. Only frames read since the tell say so: a new note's first
    // moments are read with a ringing one taken out too, and a run carried into the octave below keeps them.
    if (!held_ || std::abs(brokenPitch_ + 12 - held_->Pitch) > SameNoteSemitones ||
        brokenAt_ - heldToldAt_ <= static_cast<std::int64_t>(VoiceUnderFrames) * settings_.HopSamples ||
        broken_.size() < VoiceUnderFrames)
        return false;
    const auto latest = broken_.end() - static_cast<std::ptrdiff_t>(VoiceUnderFrames);
    return std::count_if(latest, broken_.end(), [](const Frame& f) { return !f.Underneath; }) <= MostReadWhole;
}

} // namespace quavix
