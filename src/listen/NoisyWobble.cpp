// How a note played through steady noise holds its pitch: its frames wobble about it rather than agree
// closely.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// Frames (25 ms) judged together, each repeating at least this clearly as noise allows, and lying within
// this many cents of each other.
constexpr std::size_t WobbleFrames = 5;
constexpr double WobbleClarity = 0.8;
constexpr double WobbleCents = 16;
// The medians of their earlier and later frames lie this near each other: a wobble about one pitch, not a
// drift.
constexpr double WobbleDriftCents = 5;
// Noise takes at least this share of each frame's sound.
constexpr double NoisyShare = 0.02;
// The pitch lies this near its key, and within half the tolerance of it.
constexpr double WobbleInTuneCents = 15;
// A centre further than this sharp of its key is told only from frames that repeat, on average, at least this
// clearly as noise allows.
constexpr double FlatStartCents = 8;
constexpr double FlatStartClarity = 0.92;
// Frames this far sharp of a key may be the note above, set in flat by the bow.
constexpr double BowFlatCents = 25;
// A still run this far sharp of its key, as rough as the flat start's, may be that start pulled down by
// noise: a bowed note whose own frames are that rough in noise lies no more than some 10 cents sharp.
constexpr double RoughSharpCents = 12;
// Nearer its key, the plateau is told by its frames growing rougher as the scrape wears on, where a note's
// own rough first frames grow clearer: its later half repeats this much less clearly than its earlier.
constexpr double FadingSharpCents = 7;
constexpr double FadingClarityDrop = 0.02;

// A played attack in noise is told from this many frames, each repeating at least this clearly as noise
// allows and lying within this many cents of each other, where noise takes at least this share of each
// frame's sound; their centre no further flat of its key than this (nor than half the tolerance).
constexpr std::size_t NoisyRunFrames = 4;
constexpr double NoisyRunClarity = 0.85;
constexpr double NoisyRunCents = 12;
constexpr double NoisyRunShare = 0.005;
constexpr double NoisyRunFlatCents = 20;
// Not before this long after a found start: a bow's flat start may sit still on the key below for its first
// frames, and only once it has had its time does a run on a key stand for the note.
constexpr int NoisyRunAfterMs = 50;

} // namespace

double PitchDetector::ClarityAsNoiseAllows(std::size_t from, std::size_t to) const {
    to = std::min(to, run_.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += run_[i].Clarity / NoiseAllows(run_[i]);
    return sum / double(to - from);
}

std::optional<double> PitchDetector::WobblingInNoise() const {
    // Steady noise under a note blurs each frame's period by a few cents either way, so frames that hold the
    // note never agree as closely as a clean note's do, and a quiet low string may wait long for a steady
    // run. But the noise moves them about the note's pitch evenly: the median of the earlier frames and of
    // the later ones still lie together, where a scoop or a slide moves both one way. Only a note played
    // (a voice drifts and sags as it holds on, so a sung note waits for frames that agree), not told yet,
    // and near its key: a pitch further off waits for frames that agree.
    if (const std::optional<double> attack = NoisyAttackOnKey())
        return attack;
    if (!settings_.OctaveMatters || run_.size() < WobbleFrames ||
        (held_ && SameNoteInAnyOctave(run_.back().Pitch, held_->Pitch)))
        return std::nullopt;
    const std::size_t from = run_.size() - WobbleFrames;
    const bool noisy = std::all_of(run_.begin() + static_cast<std::ptrdiff_t>(from), run_.end(),
                                   [this](const Frame& f) { return NoiseAllows(f) <= 1 - NoisyShare; });
    if (!noisy || !LastFramesClear(WobbleFrames, WobbleClarity, 1.0) ||
        SpreadCents(WobbleFrames) > WobbleCents)
        return std::nullopt;
    const double earlier = RunPitch(from, from + WobbleFrames / 2);
    const double later = RunPitch(from + WobbleFrames / 2);
    const double centre = RunPitch(from);
    const double inTune = std::min(WobbleInTuneCents, settings_.ToleranceCents / 2);
    if (std::abs(later - earlier) * 100 > WobbleDriftCents ||
        std::abs(centre - std::round(centre)) * 100 > inTune || Sliding(WobbleFrames) || SlidingSlowly())
        return std::nullopt;
    // A bow often sets in rough and most of a semitone flat, and holds there for a few tens of milliseconds
    // before the string takes up its note: its frames lie on the sharp side of the key below, and noise makes
    // them wobble as a note's would. A note there is believed only once its frames are nearly as clear as
    // the noise lets them be; the scrape leaves them rougher than that. Noise may also pull such a plateau
    // down onto the key below itself, so until the note has had the time its noisy run waits for, a centre
    // within as many cents of its key either way asks the same of its frames where the run set in no lower
    // than it. A run that rose into its centre, or lies further flat, is a note coming in flat and creeping
    // up, not a plateau the noise pulled down.
    const double sharp = (centre - std::round(centre)) * 100;
    const bool flatStart =
        sharp > FlatStartCents ||
        (sharp >= -FlatStartCents && run_.front().Pitch >= centre && NoteYoungerThan(NoisyRunAfterMs));
    if (flatStart && ClarityAsNoiseAllows(from) < FlatStartClarity)
        return std::nullopt;
    return centre;
}

bool PitchDetector::RoughJustSharpOfKey(double sharpCents, std::size_t frames) const {
    // Noise may pull a bow's quiet plateau to within a few cents of the sharpest a note's own tuning puts it,
    // and the scrape may hold it still enough there to be told. A note that sharp is told from frames nearly
    // as clear as the noise lets them be, as a wobbling one is; the scrape leaves the plateau rougher. (A
    // bowed note sounding rough through noise at first lies nearer its key.)
    return sharpCents > RoughSharpCents && ClarityAsNoiseAllows(run_.size() - frames) < FlatStartClarity;
}

bool PitchDetector::RougherJustSharpOfKey(double sharpCents, std::size_t frames) const {
    // Nearer the key below, the plateau's own scrape tells it: held still, it repeats less clearly the longer
    // it lasts, where a note's rough first frames grow clearer (or no rougher) as the string takes its note.
    const std::size_t half = frames / 2;
    if (sharpCents <= FadingSharpCents || half == 0 || run_.size() < frames)
        return false;
    const std::size_t from = run_.size() - frames;
    return ClarityAsNoiseAllows(from) < FlatStartClarity &&
           ClarityAsNoiseAllows(run_.size() - half) < ClarityAsNoiseAllows(from, from + half) - FadingClarityDrop;
}

bool PitchDetector::FlatStartClearOnlyInNoise(std::size_t frames, double clarity) const {
    // A bow that sets in most of a semitone flat sounds, for its first few frames, like the key below played
    // some thirty cents sharp. Clean, its scrape keeps those frames from repeating clearly enough to be told
    // at once; in noise the bar is lowered, and they would pass for a note struck clean. A note played that
    // sharp that repeats clearly without the noise's excuse is still told at once (some samples are tuned
    // twenty-odd cents sharp), as is every sung note, which often sets in sharp of its key.
    if (!settings_.OctaveMatters || run_.size() < frames)
        return false;
    const auto from = run_.end() - static_cast<std::ptrdiff_t>(frames);
    const bool onlyInNoise =
        std::any_of(from, run_.end(), [clarity](const Frame& f) { return f.Clarity < clarity; });
    const double pitch = RunPitch(run_.size() - frames);
    return onlyInNoise && (pitch - std::round(pitch)) * 100 > BowFlatCents;
}

std::optional<double> PitchDetector::NoisyAttackOnKey() const {
    // A bowed or blown note grows clear over its first tens of milliseconds, and in noise its first frames
    // repeat less clearly than a sure frame's even as noise allows: six of them would have to agree, and
    // their pitch wanders some cents further than a clean note's. Four of them lying together on their key
    // are the note. Not more than a few cents sharp of it, where a bow's flat start lies on the sharp side
    // of the key below; and the whole run not either, since a flat start wobbling about there passes the
    // bar for a few frames now and then, but not over all it has sounded.
    if (!settings_.OctaveMatters || run_.size() < NoisyRunFrames ||
        (held_ && SameNoteInAnyOctave(run_.back().Pitch, held_->Pitch)) || NoteYoungerThan(NoisyRunAfterMs))
        return std::nullopt;
    const std::size_t from = run_.size() - NoisyRunFrames;
    const bool noisy = std::all_of(run_.begin() + static_cast<std::ptrdiff_t>(from), run_.end(),
                                   [this](const Frame& f) { return NoiseAllows(f) <= 1 - NoisyRunShare; });
    const double centre = RunPitch(from);
    const double whole = RunPitch();
    const double sharp = std::max(centre - std::round(centre), whole - std::round(centre)) * 100;
    const double flatBar = std::min(NoisyRunFlatCents, settings_.ToleranceCents / 2);
    if (!noisy || SpreadCents(NoisyRunFrames) > NoisyRunCents ||
        !LastFramesClear(NoisyRunFrames, NoisyRunClarity, 1.0) || sharp > FlatStartCents || sharp < -flatBar)
        return std::nullopt;
    return centre;
}

std::size_t PitchDetector::NoisyRunNeeds() const {
    return NoisyAttackOnKey() ? NoisyRunFrames : SIZE_MAX;
}

} // namespace quavix
