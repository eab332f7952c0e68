// Where a held note settles. A bowed or sung note is told from its first moments, often tens of cents from
// where it then sounds for as long as it is held (a cello's A3 told at 56.62 sounds at 57.0). Everything that
// tells the held note from a new one works from the held pitch: reading a frame as the held note, taking it
// out from under the next note, the allowance for a voice drifting. So the held pitch follows where the note
// holds still, as long as that stays near where it was told.
#include "PitchDetector.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quavix {

namespace {

// The note holds still when its latest frames, this many in a row (80 ms) and each heard in its own octave,
// lie within this many cents of each other: a vibrato's swing or a scoop passing never does.
constexpr std::size_t StillFrames = 16;
constexpr double StillCents = 6;
// It is followed no further than this from where it was told (in semitones), so that it never walks onto
// the key beside it. Nearer than LeastMove, the pitch told stands: a note that holds where it was told is
// taken out exactly as before, and a few cents either way would only change which frames read what.
constexpr double FurthestFromTold = 0.5;
constexpr double LeastMove = 0.1;

} // namespace

void PitchDetector::FollowWhereHeldSettles() {
    // Fewer frames kept than it looks at would switch the following off without a word.
    static_assert(StillFrames <= HeldHeardFrames, "the frames it looks at must all be kept");
    // Not once a new start is found: frames from then on may hear the next note.
    if (!held_ || onsetHeard_ || heldHeard_.size() < StillFrames)
        return;
    const auto first = heldHeard_.end() - static_cast<std::ptrdiff_t>(StillFrames);
    const std::int64_t span = std::int64_t(StillFrames - 1) * settings_.HopSamples;
    if (heldHeard_.back().first != position_ || first->first != position_ - span)
        return;
    // Asked at every frame of a held note, so gathered without allocating.
    std::array<double, StillFrames> pitches{};
    std::transform(first, heldHeard_.end(), pitches.begin(), [](const auto& heard) { return heard.second; });
    const auto [lowest, highest] = std::minmax_element(pitches.begin(), pitches.end());
    if ((*highest - *lowest) * 100 > StillCents)
        return;
    std::nth_element(pitches.begin(), pitches.begin() + StillFrames / 2, pitches.end());
    const double settled = pitches[StillFrames / 2];
    const double moved = std::abs(settled - held_->Told);
    if (moved <= FurthestFromTold)
        held_->Pitch = moved < LeastMove ? held_->Told : settled;
}

} // namespace quavix
