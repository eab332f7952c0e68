// How the pitch detector tells a slow slide from a note: a slide passing a key holds as still over a few
// frames as a note does, but not over a longer stretch.
#include "PitchDetector.h"

#include <array>
#include <cmath>

namespace quavix {

namespace {

// A slide of a couple of cents a frame shows over this many frames (60 ms), once they have gone this far
// (in cents) all one way...
constexpr std::size_t SlowSlideFrames = 12;
constexpr double SlowSlideCents = 15;
// ...without slowing down: the last third of them moves at least this share of what the first third did.
constexpr double KeepsPace = 0.5;

} // namespace

bool PitchDetector::StepsOneWay(std::span<const double> pitches, double cents) {
    // A frame that holds where the last one was does not turn a slide back; one step the other way does.
    const double way = pitches.back() - pitches.front();
    if (std::abs(way) * 100 <= cents)
        return false;
    for (std::size_t i = 1; i < pitches.size(); ++i)
        if ((pitches[i] - pitches[i - 1]) * way < 0)
            return false;
    return true;
}

bool PitchDetector::SlidingSlowly() const {
    // A voice's portamento or a finger sliding along a string moves so slowly that its latest few frames lie
    // as close together as a held note's, while the run's pitch trails behind it at a key it only passes.
    // Over a longer stretch its frames all step the same way at a steady pace. A note settling into its key
    // slows down as it arrives, and one held wobbles both ways. A slide soon leaves its run's pitch too far
    // behind and starts a run anew: the frames of the run it broke off just then are part of the stretch.
    // Asked at every frame, so the stretch is gathered without allocating.
    std::array<double, SlowSlideFrames> latest{};
    std::size_t count = 0;
    for (auto frame = run_.rbegin(); frame != run_.rend() && count < SlowSlideFrames; ++frame)
        latest[count++] = frame->Pitch;
    const std::int64_t runBegan = position_ - std::int64_t(run_.size() - 1) * settings_.HopSamples;
    if (brokenAt_ == runBegan)
        for (auto frame = broken_.rbegin(); frame != broken_.rend() && count < SlowSlideFrames; ++frame)
            latest[count++] = frame->Pitch;
    if (count < SlowSlideFrames)
        return false;
    if (!StepsOneWay(latest, SlowSlideCents))
        return false;
    constexpr std::size_t third = SlowSlideFrames / 3;
    const double lastThird = std::abs(latest.front() - latest[third]);
    const double firstThird = std::abs(latest[latest.size() - 1 - third] - latest.back());
    return lastThird >= KeepsPace * firstThird;
}

} // namespace quavix
