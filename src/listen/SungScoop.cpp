// How a sung note scoops up into its pitch: a singer often sets in quietly a little below the note, holds
// there for a moment and slides up to it while the voice swells.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A voice still swelling into its note grows by this much or more (2 dB) over each of the latest two
// stretches of half SwellFrames, but by no more than this much (6 dB): a steeper rise is the attack itself,
// which levels off at once.
constexpr double SwellLeast = 1.5;
constexpr double SwellMost = 4.0;
// Only in the first moments after the note's start: later swells are a held note's breath.
constexpr int SwellWithinMs = 80;

} // namespace

bool PitchDetector::SwellingIntoASungNote() const {
    // The first quiet moments of a sung note, whose voice keeps swelling at a steady pace, are often the
    // bottom of a scoop: they may sit on the key below, dead in tune, for a few tens of milliseconds before
    // the voice slides up to the note it means. Told then, a scoop answers the key below. A note played or
    // sung straight in rises steeply and levels off, which this does not hold back.
    const std::int64_t since = position_ - lastOnset_;
    if (since > SamplesIn(SwellWithinMs) || levels_.size() <= SwellFrames)
        return false;
    const double start = levels_[levels_.size() - 1 - SwellFrames];
    const double middle = levels_[levels_.size() - 1 - SwellFrames / 2];
    const double now = levels_.back();
    const auto swells = [](double from, double to) {
        return to >= SwellLeast * from && to <= SwellMost * from;
    };
    return swells(start, middle) && swells(middle, now);
}

bool PitchDetector::TrailingASungScoop(double pitch, std::size_t latest) const {
    // A run's pitch is its median, which the frames a scoop set in on hold back once the voice has slid up
    // and holds still at its note: told then, the bottom of the scoop would answer. A sung run is told only
    // once its pitch answers the same key as its latest still frames.
    return std::round(LatestPitch(latest)) != std::round(pitch);
}

} // namespace quavix
