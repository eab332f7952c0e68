// How a held note may sound unlike where it was told: a choir's voices or a tiring singer sag or waver away
// from the pitch the note was told at, so a swell of its loudness lands near where it sounds now; and as it
// swells, one of its upper partials may stand out of it for a moment.
#include "PitchDetector.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quavix {

namespace {

// The frames that say where the held note sounded: the latest clear ones that heard it before a note start.
constexpr std::size_t SoundingFrames = 4;
// The semitones from a note up to its upper partials that are not its octaves.
constexpr std::array<double, 3> UpperPartials = {19.02, 27.86, 31.02};
// A swell nearer than this to where the held note sounded is that note still, however far it has wandered
// from where it was told: it lies nearer to it than to the key beside it.
constexpr double NearSoundingSemitones = 0.5;

} // namespace

void PitchDetector::HeardHeldNote(const Frame& frame) {
    // In its own octave only, and only from frames that read it clearly: a frame that merely carries the
    // held note's pitch on through a moment it was not heard says nothing of where it sounds. And only from
    // frames that agree with the last one that heard it: a note struck beside it, whose start is found a
    // little late, reads between the two for its first moments.
    if (!held_ || frame.Clarity < settings_.MinClarity ||
        std::abs(frame.Pitch - held_->Pitch) > SameNoteSemitones)
        return;
    if (std::abs(frame.Pitch - HeldVoice().back()) * 100 > settings_.AgreementCents)
        return;
    heldHeard_.emplace_back(position_, frame.Pitch);
    // A start is found a little after it happened: enough frames are kept to look back past that.
    static_assert(HeldHeardFrames >= 4 * SoundingFrames);
    if (heldHeard_.size() > HeldHeardFrames)
        heldHeard_.pop_front();
}

std::array<double, 2> PitchDetector::HeldVoice() const {
    return {held_->Pitch, heldHeard_.empty() ? held_->Pitch : heldHeard_.back().second};
}

std::optional<double> PitchDetector::WhereHeldSoundedBefore(std::int64_t onset) const {
    // Frames read since the start may hear the new sound already.
    std::vector<double> before;
    for (const auto& [at, pitch] : heldHeard_)
        if (at <= onset)
            before.push_back(pitch);
    if ((!held_ && !SungNoteLetGoRinging()) || before.size() < SoundingFrames)
        return std::nullopt;
    std::vector<double> latest(before.end() - SoundingFrames, before.end());
    std::nth_element(latest.begin(), latest.begin() + SoundingFrames / 2, latest.end());
    return latest[SoundingFrames / 2];
}

bool PitchDetector::SungNoteLetGoRinging() const {
    // A voice that sags well below where it was told stops being heard as that note and is let go of while
    // it still sounds; its frames, kept until the next note is told, still say where it sounded, and a swell
    // of that voice is still that voice. Only for singing: a played note let go of has died away.
    return !settings_.OctaveMatters && !ringing_.empty() && StillRinging(ringing_.back());
}

bool UpperPartialOf(double a, double note) {
    return std::any_of(UpperPartials.begin(), UpperPartials.end(), [&](double above) {
        return std::abs(a - note - above) <= PitchDetector::SameNoteSemitones;
    });
}

bool PitchDetector::PartialOfHeldNote(double pitch) const {
    // One may stand out of the held note for a moment as it swells (a choir's vowel changing) and be read
    // on its own once the held note is taken out. A voice that sagged since it was told carries its partials
    // down with it: they lie above where it was last heard.
    return held_ &&
           std::ranges::any_of(HeldVoice(), [pitch](double at) { return UpperPartialOf(pitch, at); });
}

double PitchDetector::SemitonesApart(double a, double b) const {
    // Where the octave does not count, a voice's run may be carried into the octave below its note (see
    // InTheRunsOctave): the voice that drifted is the same voice read there.
    return settings_.OctaveMatters ? std::abs(a - b) : SemitonesFromAnyOctave(a, b);
}

bool PitchDetector::NearWhereLatestSounded(double pitch) const {
    return latestSounded_ && std::abs(pitch - *latestSounded_) < NearSoundingSemitones;
}

} // namespace quavix
