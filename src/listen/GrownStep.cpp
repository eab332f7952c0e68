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
// A run whose earlier frames still glide is told all the same where every frame of it was read from under the
// held note and it rises into its key within its first frames, none of its steps falling back by more than
// the frames' own wobble, its latest step no larger than the one before, its latest frame this near the key's
// centre.
constexpr double RisingBackstepCents = 3;
// Over no more than this many frames (30 ms) from its first.
constexpr std::size_t RisingFrames = 6;
constexpr double RisenWithinCents = 12;
// A run whose earlier frames glided is told once its latest frames hold still this near a key: further off
// they may be a glide pausing on its way to another.
constexpr double RestingNearKey = 0.25;

} // namespace

bool PitchDetector::GrownOutOfTheHeldNote() const {
    // A bowed or blown note that sets in as the held one is let go makes the sound no louder, so no start is
    // found, and it stands out of what the held note leaves only gradually: by the time it does, it has
    // sounded for tens of milliseconds. That the held note no longer explains the sound, frame after frame,
    // at one new pitch, is its start, and it is told as soon as a struck note's would be.
    if (!settings_.OctaveMatters || onsetHeard_ || !held_ || run_.size() < GrownFrames)
        return false;
    const auto first = run_.end() - static_cast<std::ptrdiff_t>(GrownFrames);
    const double pitch = run_.back().Pitch;
    const bool underneath = std::all_of(first, run_.end(), [](const Frame& f) { return f.Underneath; });
    if (!underneath || !LastFramesClear(GrownFrames, GrownClarity, GrownOctaveUp) ||
        run_.back().OctaveUp - first->OctaveUp > GrownOctaveDrift ||
        std::abs(pitch - held_->Pitch) > GrownStepSemitones || !NewToTheHeldNote(pitch))
        return false;
    return true;
}

std::size_t PitchDetector::GrownStepNeeds() const {
    if (!GrownOutOfTheHeldNote())
        return SIZE_MAX;
    // A run whose earlier frames still glide (what is left reads the new note pulled towards the held one
    // while that outweighs it, or a bow's start sliding in) would be told at a pitch they drag away from the
    // note, and waits as before; unless it rises into its key, told at its latest frame, or its latest frames
    // came to rest near a key, told where they rest; the steady spread of those frames is asked for where it
    // is told.
    if (SpreadCents(run_.size()) > settings_.SteadyCents && !GrownRisingIntoKey()) {
        const double resting = RunPitch(run_.size() - GrownFrames);
        if (std::abs(resting - std::round(resting)) > RestingNearKey)
            return SIZE_MAX;
    }
    return GrownFrames;
}

std::optional<double> PitchDetector::GrownRisingIntoKey() const {
    // A bowed note's attack glides up into its key over its first tens of milliseconds, alone or under a
    // ringing note alike. Rising, it comes from below the key: a bow's flat start on the key below sits sharp
    // of that key, and a run rising from there leaves it rather than closing in on it. Under the held note
    // all along: the held note itself sliding away is soon read whole, without it.
    if (!GrownOutOfTheHeldNote() || SpreadCents(run_.size()) <= settings_.SteadyCents ||
        !std::all_of(run_.begin(), run_.end(), [](const Frame& f) { return f.Underneath; }))
        return std::nullopt;
    // A slide rising through the keys is still rising evenly long after it was first read, and is read in
    // runs one after another, each in turn rising into the next key: this is only a run's first frames, and
    // not a run that broke straight off another one than the held note's.
    const std::int64_t runBegan = position_ - std::int64_t(run_.size() - 1) * settings_.HopSamples;
    if (run_.size() > RisingFrames ||
        (brokenAt_ == runBegan && std::abs(brokenPitch_ - held_->Pitch) > SameNoteSemitones))
        return std::nullopt;
    for (std::size_t i = 1; i < run_.size(); ++i)
        if ((run_[i].Pitch - run_[i - 1].Pitch) * 100 < -RisingBackstepCents)
            return std::nullopt;
    const std::size_t n = run_.size();
    const double latestStep = run_[n - 1].Pitch - run_[n - 2].Pitch;
    const double stepBefore = run_[n - 2].Pitch - run_[n - 3].Pitch;
    const double latest = run_.back().Pitch;
    if (latestStep > stepBefore || std::abs(latest - std::round(latest)) * 100 > RisenWithinCents)
        return std::nullopt;
    return latest;
}

bool PitchDetector::GrownAfterAGlide(std::size_t needed) const {
    return needed == GrownFrames && SpreadCents(run_.size()) > settings_.SteadyCents &&
           GrownStepNeeds() == GrownFrames;
}

} // namespace quavix
