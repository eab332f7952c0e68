// How a bowed note sets in under noise: for its first few tens of milliseconds the bow may hold the string
// at a quiet, rough plateau most of a semitone flat, before the string takes up its note.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A played note heard through noise lies within about 16 cents of its key, however its instrument is tuned;
// a bow set in 65 to 85 cents flat lies 15 to 35 cents sharp of the key below.
constexpr double SetInSharpCents = 17;
// Noise takes at least this share of the sound on average, as much as makes a note's frames wobble: the
// plateau lies well under the note to come, and where the noise is quieter its share may be only 2 to 3 %.
constexpr double SetInNoisyShare = 0.02;
// The plateau holds for up to 60 ms after the bow's start.
constexpr int SetInMs = 80;
// Over the frames judged, its sound has not doubled: a note blown in sharp swells as it is told.
constexpr double SetInSwell = 2.0;
// A bow scraping down onto its plateau is rough in every frame, well below the clarity the noise allows, and
// falls by more than this many cents over the frames judged.
constexpr double ScrapeRoughShare = 0.9;
constexpr double ScrapeFallCents = 20;

} // namespace

bool PitchDetector::BowSettingInFlat(double pitch, std::size_t frames) const {
    // The key below played this sharp would be told all the same once the start lies further back, and a
    // note still swelling, or heard clear of the noise, is told at once.
    if (!settings_.OctaveMatters || !NoteYoungerThan(SetInMs) || run_.size() < frames)
        return false;
    const auto from = run_.end() - static_cast<std::ptrdiff_t>(frames);
    if (BowScrapingDown(pitch, from))
        return true;
    if (run_.back().Level >= SetInSwell * from->Level)
        return false;
    // Noise takes a good share of the plateau's sound on average, though as the string takes up its note
    // its latest frame may already rise clear of it, and a scrape may lift a frame or two above it: sharper
    // than any note's own tuning, or rough just sharp of the key below, or growing rougher there, it is
    // known as the plateau.
    const double sharp = (pitch - std::round(pitch)) * 100;
    return NoisyOnAverage(from) && (sharp > SetInSharpCents || RoughJustSharpOfKey(sharp, frames) ||
                                    RougherJustSharpOfKey(sharp, frames));
}

bool PitchDetector::NoisyOnAverage(std::vector<Frame>::const_iterator from) const {
    double share = 0;
    for (auto f = from; f != run_.end(); ++f)
        share += 1 - NoiseAllows(*f);
    return share / static_cast<double>(run_.end() - from) >= SetInNoisyShare;
}

bool PitchDetector::BowScrapingDown(double pitch, std::vector<Frame>::const_iterator from) const {
    // The plateau may also sag as the bow digs in, and a glide read off it lands below every frame heard, on
    // the key below. A string sliding into its note sounds clear of the scrape by the time it slows.
    const bool below = std::all_of(from, run_.end(), [pitch](const Frame& f) { return f.Pitch > pitch; });
    const bool rough = std::all_of(
        from, run_.end(), [this](const Frame& f) { return f.Clarity < ScrapeRoughShare * NoiseAllows(f); });
    return below && rough && (from->Pitch - run_.back().Pitch) * 100 > ScrapeFallCents;
}

} // namespace quavix
