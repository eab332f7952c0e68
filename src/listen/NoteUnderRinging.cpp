// A new note under one that still rings, heard while it holds only a small share of the sound: the whole
// sound read at another octave of the ringing note, and what is left carrying on a run already read from
// under it.
#include "NoteSeparation.h"
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// What is left carries on a run of at least this many frames when it repeats this clearly and holds no more
// than this share of the octave above: a new note read an octave low, its octave above growing in, does not
// carry on, and neither does a single frame read while the new note's attack still fills the window.
constexpr std::size_t CarriesOnFrames = 2;
constexpr double CarriesOnClarity = 0.85;
constexpr double CarriesOnOctaveUp = 0.15;

} // namespace

bool PitchDetector::WholeAtAnotherOctave(const PeriodEstimate& whole, double ringing) {
    // Two notes a fifth or a fourth apart repeat together at a period an octave or two below the ringing one
    // (B4 and F#5 at B3, F5 and C5 at F3). The whole sound read clearly there is the two mixed, not the
    // ringing note heard on: it says no more for the ringing note than an unclear reading does.
    if (whole.Frequency <= 0)
        return false;
    const double pitch = PitchOfFrequency(whole.Frequency);
    return SameNoteInAnyOctave(pitch, ringing) && std::abs(pitch - ringing) > SameNoteSemitones;
}

bool PitchDetector::CarriesOnTheRunUnder(const Remainder& left, double ringing) const {
    // A note bowed under a ringing one's release is heard from what the ringing note leaves once that holds
    // enough of the sound; a frame later it may hold a hair less, or the whole sound read clearly at a period
    // the two share, and the run would start over. What is left that carries on that run at its pitch, as
    // clearly as a note, is the note still, whatever its share.
    if (run_.size() < CarriesOnFrames || !run_.back().Underneath || left.Estimate.Frequency <= 0)
        return false;
    const double pitch = PitchOf(left);
    return left.Estimate.Clarity >= CarriesOnClarity && left.Estimate.OctaveUp <= CarriesOnOctaveUp &&
           std::abs(pitch - RunPitch()) * 100 <= settings_.AgreementCents &&
           !SameNoteInAnyOctave(pitch, ringing);
}

} // namespace quavix
