#include "GlideEnd.h"

#include <cmath>

namespace quavix {

namespace {

// The last two steps together at most this share of the first two: slowing down, not keeping its pace.
constexpr double Slowing = 0.5;
// A glide moves at least this far over the pitches looked at (in semitones); less is holding still.
constexpr double LeastGlide = 0.02;

} // namespace

std::optional<double> WhereGlideSettles(std::span<const double> pitches) {
    const std::size_t n = pitches.size();
    if (n < 5)
        return std::nullopt;
    const double way = pitches.back() - pitches.front();
    if (std::abs(way) < LeastGlide)
        return std::nullopt;
    for (std::size_t i = 1; i < n; ++i)
        if ((pitches[i] - pitches[i - 1]) * way < 0)
            return std::nullopt;
    const double early = std::abs(pitches[2] - pitches[0]);
    const double late = std::abs(pitches[n - 1] - pitches[n - 3]);
    if (early <= 0 || late > Slowing * early)
        return std::nullopt;
    // Each step `shrink` times the one before: the last pair is shrink^(n - 3) times the first, the latest
    // step shrink / (1 + shrink) of the last pair, and what is still to come shrink / (1 - shrink) times the
    // latest step.
    const double shrink = std::pow(late / early, 1.0 / double(n - 3));
    const double latestStep = late * shrink / (1 + shrink);
    return pitches.back() + std::copysign(latestStep * shrink / (1 - shrink), way);
}

} // namespace quavix
