// How a sung note scoops up into its pitch: a singer often sets in quietly a little below the note, holds
// there for a moment and slides up to it while the voice swells.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace quavix {

namespace {

// A voice still swelling into its note grows by this much or more (2 dB) over each of the latest two
// stretches of half SwellFrames, but by no more than this much (6 dB): a steeper rise is the attack itself,
// which levels off at once.
constexpr double SwellLeast = 1.5;
constexpr double SwellMost = 4.0;
// Only in the first moments after the note's start: later swells are a held note's breath.
constexpr int SwellWithinMs = 80;
// A voice still growing by a quarter (1 dB) or more over each of the latest two stretches of half
// SwellFrames, but by no more than this much (7 dB) over either, whose octave above grew by more than this
// share over the frames that agree, is the bottom of a scoop even where noise blurs that growth below the
// usual bar; within this long of the note's start, which noise may make be found a little early.
constexpr double GrowingLeast = 1.25;
constexpr double GrowingMost = 5.0;
constexpr double SwellingOctaveDrift = 0.06;
constexpr int ScoopWithinMs = 90;
// Where the voice could not be read yet when the first of those stretches began, that stretch holds it coming
// up out of the noise, and may grow by this much (8 dB): more than a swell, less than a clean attack.
constexpr double EmergingMost = 6.0;
// A breathy voice's swell pauses now and then for 20 ms or so: having grown by twice the least (2 dB) over
// the first stretch, it may hold over the latest, sinking by no more than the least (1 dB) in its flutter,
// where its frames do not fall by more than this (in semitones): a scoop's bottom holds or rises, while a
// voice sagging from above as it swells is no scoop from below. And only while some of them are not yet sure:
// the breath of a voice still setting in roughens them, while a note already sung clear is not held back.
constexpr double PausedAfter = GrowingLeast * GrowingLeast;
constexpr double PausedFallsAtMost = 0.06;
constexpr double PausedSureClarity = 0.93;

// Whether the latest levels grew by a factor from least to most over each half of their latest frames (over
// the first half, to firstMost).
bool GrowsOverBothHalves(const std::deque<double>& levels, std::size_t frames, double least, double firstMost,
                         double most, double latestLeast) {
    if (levels.size() <= frames)
        return false;
    const double start = levels[levels.size() - 1 - frames];
    const double middle = levels[levels.size() - 1 - frames / 2];
    const auto grows = [](double from, double to, double fewest, double bound) {
        return to >= fewest * from && to <= bound * from;
    };
    return grows(start, middle, least, firstMost) && grows(middle, levels.back(), latestLeast, most);
}

bool GrowsOverBothHalves(const std::deque<double>& levels, std::size_t frames, double least, double firstMost,
                         double most) {
    return GrowsOverBothHalves(levels, frames, least, firstMost, most, least);
}

} // namespace

bool PitchDetector::SwellingIntoASungNote() const {
    // The first quiet moments of a sung note, whose voice keeps swelling at a steady pace, are often the
    // bottom of a scoop: they may sit on the key below, dead in tune, for a few tens of milliseconds before
    // the voice slides up to the note it means. Told then, a scoop answers the key below. A note played or
    // sung straight in rises steeply and levels off, which this does not hold back.
    const std::int64_t since = position_ - lastOnset_;
    return since <= SamplesIn(SwellWithinMs) &&
           GrowsOverBothHalves(levels_, SwellFrames, SwellLeast, SwellMost, SwellMost);
}

bool PitchDetector::OctaveGrowsAsTheVoiceSwells(std::size_t frames) const {
    // The bottom of a scoop sits still on the key below while the voice swells and its octave above grows
    // in, as it does while an attack climbs out of the octave below. In noise the octave above reads
    // unsteadily, so its growth over the few frames that agree may fall short of the usual bar; the swell of
    // the loudness, which noise does not blur, says the voice is still on its way. Only for a voice's first
    // note: a step from a held one is left to the checks made for steps.
    // The run's first frame came after the stretches began where it holds no more frames than they span.
    if (held_ || !NoteYoungerThan(ScoopWithinMs) || run_.size() < frames)
        return false;
    const double firstMost = run_.size() <= SwellFrames ? EmergingMost : GrowingMost;
    const auto latest = run_.end() - static_cast<std::ptrdiff_t>(frames);
    const auto swellPaused = [&] {
        return latest->Pitch - run_.back().Pitch <= PausedFallsAtMost &&
               !LastFramesClear(frames, PausedSureClarity, 1.0) &&
               GrowsOverBothHalves(levels_, SwellFrames, PausedAfter, firstMost, GrowingMost, 1 / GrowingLeast);
    };
    if (!GrowsOverBothHalves(levels_, SwellFrames, GrowingLeast, firstMost, GrowingMost) && !swellPaused())
        return false;
    const double least = std::min_element(latest, run_.end(), [](const Frame& a, const Frame& b) {
                             return a.OctaveUp < b.OctaveUp;
                         })->OctaveUp;
    return run_.back().OctaveUp - least > SwellingOctaveDrift;
}

bool PitchDetector::TrailingASungScoop(double pitch, std::size_t latest) const {
    // A run's pitch is its median, which the frames a scoop set in on hold back once the voice has slid up
    // and holds still at its note: told then, the bottom of the scoop would answer. A sung run is told only
    // once its pitch answers the same key as its latest still frames.
    return std::round(LatestPitch(latest)) != std::round(pitch);
}

} // namespace quavix
