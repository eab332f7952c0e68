// How a sung step from one note to the next is heard while the last note's release still sounds: a choir's
// voices let the old note go as the new one swells, and for the first tens of milliseconds the whole sound
// still reads as the old note, or the new one reads only roughly through what is left of it.
#include "PitchDetector.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quavix {

namespace {

// A held note whose window repeats less clearly than this may have another note growing under it.
constexpr double HeldBlurred = 0.97;
// Taken out at the period just read, the held note leaves a note of its own when what is left repeats at
// least this clearly, however small a share of the sound it holds yet (no less than this).
constexpr double UnderClarity = 0.85;
constexpr double UnderShare = 0.02;
// A pitch nearer than this (in semitones, in any octave) to where the held voice was told or last heard may
// be that voice sagging or wavering; a step to another note lies further.
constexpr double AwayFromVoice = 0.8;
// A step's frames this many, within this many cents and each repeating this clearly (as noise allows), tell
// their note though they fall short of a sure frame's clarity.
constexpr std::size_t StepFrames = 5;
constexpr double StepCents = 6;
constexpr double StepClarity = 0.8;
// Or within this many cents of one key's centre, spread over no more than this, each repeating this clearly:
// a step's voices beat with what is left of the held one, and its frames swing about the key rather than
// hold still, blurred more than frames that do: a D3 sung after an A2 swings 17 to 19 cents about its key
// for 40 ms, and an E3 after a D3 reads from under it at 0.72 to 0.84 with one frame of five under 0.75.
constexpr double StepOnKeyCents = 15;
constexpr double StepOnKeySpreadCents = 20;
constexpr double StepOnKeyClarity = 0.7;
// Under the key's centre they may lie this far: a choir often sings its note a little flat, while frames as
// far above a key's centre may be the key above sagging (a voice sags by most of a semitone).
constexpr double StepOnKeyFlatCents = 20;

} // namespace

bool PitchDetector::AwayFromTheHeldVoice(double pitch) const {
    // Not the held note nor its upper partials, neither where it was told nor where it was last heard (a
    // choir sags and its partials follow), nor any note told before.
    if (!NewToTheHeldNote(pitch) || NearWhereLatestSounded(pitch))
        return false;
    return std::ranges::none_of(HeldVoice(), [pitch](double at) {
        return SemitonesFromAnyOctave(pitch, at) < AwayFromVoice || UpperPartialOf(pitch, at);
    });
}

std::optional<Remainder> PitchDetector::NextNoteUnderHeld(const float* samples, int count,
                                                         const PeriodEstimate& plain) {
    // The window still repeats as the held note, only less clearly than a note alone: taken out where it was
    // just read, it may leave the next note already clear, though a small share of the sound yet.
    if (plain.Clarity >= HeldBlurred)
        return std::nullopt;
    const double period = settings_.SampleRate / plain.Frequency;
    if (period + 3 > double(position_ - count - historyStart_))
        return std::nullopt;
    const Remainder left = WithoutPeriod(estimator_, samples, count, period, scratch_);
    if (left.Estimate.Frequency <= 0 || left.Estimate.Clarity < UnderClarity || left.Share < UnderShare ||
        !AwayFromTheHeldVoice(PitchOf(left)))
        return std::nullopt;
    return left;
}

std::optional<PitchDetector::Frame> PitchDetector::SungUnderHeld(const float* samples, int count,
                                                                 const PeriodEstimate& plain) {
    // What the held voice leaves is what the frame hears, rather than the voice fading. Only where no new
    // start was found (then the frame is read apart from the held note anyway), and only where the octave
    // does not count.
    if (settings_.OctaveMatters)
        return std::nullopt;
    const std::optional<Remainder> left = NextNoteUnderHeld(samples, count, plain);
    if (!left)
        return std::nullopt;
    return WithOwnOctave(Frame{PitchOf(*left), left->Estimate.Clarity, left->Estimate.OctaveUp}, samples, count,
                         left->Period);
}

bool PitchDetector::StepHoldsAway(double spreadCents, double clarity) const {
    // Singing, the latest frames of a run under a held voice: within spreadCents of each other, each
    // repeating this clearly (as noise allows), not sliding, and away from the held voice. Not under a voice
    // told only moments ago (heard for fewer frames than are kept of it): it is still setting in, and its
    // onset may waver a few semitones away and hold there for a moment, as no step would.
    return !settings_.OctaveMatters && held_ && !HeldVoiceSettingIn() &&
           run_.size() >= StepFrames && SpreadCents(StepFrames) <= spreadCents &&
           LastFramesClear(StepFrames, clarity, 1.0) && !Sliding(StepFrames) &&
           AwayFromTheHeldVoice(RunPitch(run_.size() - StepFrames));
}

bool PitchDetector::HeldVoiceSettingIn() const {
    return held_ && heldHeard_.size() < HeldHeardFrames;
}

bool PitchDetector::GlideUnderAVoiceSettingIn(std::size_t frames) const {
    // A choir's voices do not all set in at once: one may join the note told a moment ago from a few
    // semitones below, scooping up into it, and read from under the held voice its glide moves unevenly and
    // now and then seems to slow. Followed to its end it would answer a key below the note being sung.
    return !settings_.OctaveMatters && HeldVoiceSettingIn() && run_.size() >= frames &&
           std::all_of(run_.end() - static_cast<std::ptrdiff_t>(frames), run_.end(),
                       [](const Frame& f) { return f.Underneath; });
}

bool PitchDetector::SungStepOnKey() const {
    // A step's latest frames, nearly as clear as a step's held still, that swing about one key or sit a
    // little flat of it: nearer its centre than to the key beside it, so not a sag nor a scoop. More than an
    // octave from the held voice it may be the new note's octave above, which swells in first.
    if (!StepHoldsAway(StepOnKeySpreadCents, StepOnKeyClarity))
        return false;
    const double pitch = RunPitch(run_.size() - StepFrames);
    const double key = std::round(pitch);
    return std::abs(pitch - held_->Pitch) < 12 &&
           std::all_of(run_.end() - static_cast<std::ptrdiff_t>(StepFrames), run_.end(),
                       [key](const Frame& f) {
                           const double cents = (f.Pitch - key) * 100;
                           return cents <= StepOnKeyCents && cents >= -StepOnKeyFlatCents;
                       });
}

std::size_t PitchDetector::SungStepNeeds() const {
    // Read through the held voice's release, a sung step's frames repeat less clearly than a sure frame, and
    // the voice's octave above swells in as the new note does. Frames that hold within a few cents (or swing
    // about one key), at a pitch away from the held voice, are the next note all the same: a sag, a partial
    // or a scoop from the held note would lie near it or at one of its partials.
    return StepHoldsAway(StepCents, StepClarity) || SungStepOnKey() ? StepFrames : SIZE_MAX;
}

} // namespace quavix
