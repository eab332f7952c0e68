// How a run slides into its key: the shapes of a run that is on its way to a note rather than holding it.
#include "GlideEnd.h"
#include "PitchDetector.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quavix {

namespace {

// A doubtful run is settling into the key nearest its pitch when it is at least this many frames long, moving
// towards the key and slower and slower, still short of it.
constexpr std::size_t SettlingFrames = 8;
// A glide slowing into its key is followed over this many frames, while its sound keeps at least this share
// (3 dB) of its loudest over them.
constexpr std::size_t GlideFrames = 6;
constexpr double GlideHeld = 0.5;
// A creep into its key is believed once this many frames from its first clear one have closed in on the key,
// none stepping back from it by more than the frames' own wobble. (A run it broke off as long as that was a
// pitch heard before it, not the bow's first scrape.)
constexpr std::size_t CreepFrames = 4;
constexpr double CreepBackstepCents = 3;
// Faster than this on average, it is a slide, or an attack read in the wrong octave settling.
constexpr double CreepCentsPerFrame = 4;
// A frame this clear (as noise allows) is the note itself rather than the bow's first scrape.
constexpr double CreepClarity = 0.93;
// A window that repeats clearly over a glide's period, and clearer still over twice it, holds the note an
// octave below the glide: a plucked string's attack read at its second partial while the fundamental grows.
constexpr double OctaveBelowClearerBy = 0.05;
// A gliding pitch is searched for within this share of its period either way.
constexpr double GlideReach = 0.03;

} // namespace

bool PitchDetector::SettlingInto(double pitch) const {
    // A saxophone or a bowed string often starts flat and creeps up into its note, ever more slowly. A scoop
    // passing by on its way to another note keeps its pace, and a run leaving the nearest key is not
    // settling into it. Where answers are judged more strictly than the pitch now lies from the key, the
    // note waits to settle instead.
    const double key = std::round(pitch);
    if (run_.size() < SettlingFrames || std::abs(key - pitch) * 100 > settings_.ToleranceCents)
        return false;
    const double latest = run_.back().Pitch;
    const bool shortOfIt =
        (key - latest) * (key - pitch) > 0 && std::abs(key - latest) < std::abs(key - pitch);
    if (!shortOfIt)
        return false;
    const std::size_t n = run_.size();
    const double moved = RunPitch(n / 2) - RunPitch(0, n / 2);
    const double firstQuarter = RunPitch(n / 4, n / 2) - RunPitch(0, n / 4);
    const double lastQuarter = RunPitch(n - n / 4) - RunPitch(n / 2, n - n / 4);
    return moved * (key - pitch) > 0 && std::abs(lastQuarter) <= std::abs(firstQuarter);
}

std::optional<double> PitchDetector::GlidingInto() const {
    // A bowed string often starts a little flat or sharp and slides into its note ever more slowly, never
    // holding still long enough for a steady run while it does. Once it is within the tolerance of a key and
    // clearly slowing towards it, it is told at the pitch it will come to rest at. A slide that keeps its
    // pace is on its way to another note, and one moving away from the nearest key is not settling into it.
    // Nor is a glide whose sound dies away: an upper partial or the last note's tail drifting as it fades.
    if (run_.size() < GlideFrames || GlideUnderAVoiceSettingIn(GlideFrames))
        return std::nullopt;
    std::array<double, GlideFrames> pitches{};
    double loudest = 0;
    for (std::size_t i = 0; i < GlideFrames; ++i) {
        const Frame& frame = run_[run_.size() - GlideFrames + i];
        pitches[i] = frame.Pitch;
        loudest = std::max(loudest, frame.Level);
    }
    if (run_.back().Level < GlideHeld * loudest)
        return std::nullopt;
    const std::optional<double> end = WhereGlideSettles(pitches);
    if (!end)
        return std::nullopt;
    const double key = std::round(*end);
    const double latest = pitches.back();
    const bool heading = std::abs(key - latest) < std::abs(key - pitches.front());
    const bool answers = std::abs(key - latest) * 100 <= settings_.ToleranceCents &&
                         std::abs(key - *end) * 100 <= settings_.ToleranceCents;
    if (!heading || !answers || ReadAnOctaveHigh(latest))
        return std::nullopt;
    return end;
}

double PitchDetector::ClarityOverPeriods(double pitch, int periods) const {
    // Read straight from the latest window rather than from the frame's estimate, which may have been made
    // of what a ringing note left and lost the note beneath.
    const std::int64_t start = std::max({position_ - settings_.WindowSamples, readFrom_, historyStart_});
    const float* samples = history_.data() + (start - historyStart_);
    const double lag = periods * settings_.SampleRate / FrequencyOfPitch(pitch);
    return estimator_.ClarityWithin(samples, static_cast<int>(position_ - start),
                                    static_cast<int>(std::floor(lag * (1 - GlideReach))),
                                    static_cast<int>(std::ceil(lag * (1 + GlideReach))));
}

bool PitchDetector::ReadAnOctaveHigh(double pitch) const {
    if (!settings_.OctaveMatters)
        return false;
    const double own = ClarityOverPeriods(pitch, 1);
    return own >= settings_.MinClarity && ClarityOverPeriods(pitch, 2) >= own + OctaveBelowClearerBy;
}

std::optional<double> PitchDetector::CreepingInto() const {
    // A bowed string often comes in a little off its key, unclear under the bow's scrape for a moment, and
    // then creeps towards the key by a few cents a frame without slowing. A slide passing a key on its way to
    // another looks the same for a few frames, but comes from further off: from beyond the key's tolerance,
    // or out of a pitch held before it (the run it broke off). So a creep is told only while every frame from
    // its first clear one has stayed within the tolerance and kept closing in on the key's centre. Frames
    // that are not all clear may be a voice's upper partial standing out for a moment, and a creep whose
    // sound dies away is the tail of an older note drifting.
    const std::int64_t runBegan = position_ - std::int64_t(run_.size() - 1) * settings_.HopSamples;
    if (brokenAt_ == runBegan && broken_.size() >= CreepFrames && !BrokeOffTheHeldNoteUnder())
        return std::nullopt;
    std::size_t first = 0;
    while (first < run_.size() && run_[first].Clarity < CreepClarity * NoiseAllows(run_[first]))
        ++first;
    const std::size_t frames = run_.size() - first;
    if (frames < CreepFrames || !LastFramesClear(frames, CreepClarity, 1.0))
        return std::nullopt;
    const double latest = run_.back().Pitch;
    const double key = std::round(latest);
    double nearest = INFINITY;
    double loudest = 0;
    for (std::size_t i = first; i < run_.size(); ++i) {
        const double off = std::abs(run_[i].Pitch - key) * 100;
        if (off > settings_.ToleranceCents || off > nearest + CreepBackstepCents)
            return std::nullopt;
        nearest = std::min(nearest, off);
        loudest = std::max(loudest, run_[i].Level);
    }
    const double closedIn = (std::abs(run_[first].Pitch - key) - std::abs(latest - key)) * 100;
    if (closedIn <= 0 || closedIn > CreepCentsPerFrame * double(frames - 1) ||
        run_.back().Level < GlideHeld * loudest)
        return std::nullopt;
    return latest;
}

} // namespace quavix
