// Taking the held note out of the sound where it sounds now. A bowed or sung note is often told from its
// first moments, some tens of cents from where it settles; taken out at the pitch it was told at, it leaves
// much of itself behind, which hides a new note under it or reads with it at a period the two share.
#include "NoteSeparation.h"
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// The held note is taken out again where it was heard last only when that lies this far (in semitones)
// from where it was told.
constexpr double HeardAwayFromTold = 0.1;
// What is left then counts when it holds this share of the sound, and either what was left before was the
// held note itself (in some octave) or unclear, or it repeats clearer by this much, or it reads the octave
// above a reading that repeated nearly as well at half its period (the new note heard an octave low).
constexpr double LeastShare = 0.1;
constexpr double ClearerBy = 0.05;

} // namespace

Remainder PitchDetector::TakenOutWhereHeard(const float* samples, int count, const Remainder& left) {
    if (!held_ || heldHeard_.empty())
        return left;
    const double heard = heldHeard_.back().second;
    const double period = settings_.SampleRate / FrequencyOfPitch(heard);
    if (std::abs(heard - held_->Pitch) < HeardAwayFromTold ||
        period + 3 > double(position_ - count - historyStart_))
        return left;
    const Remainder again = WithoutPeriod(estimator_, samples, count, period, scratch_);
    const bool againClear = again.Estimate.Frequency > 0 && again.Estimate.Clarity >= settings_.MinClarity &&
                            again.Share >= LeastShare && !SameNoteInAnyOctave(PitchOf(again), heard);
    if (!againClear)
        return left;
    const bool leftIsHeld = left.Estimate.Frequency <= 0 || left.Estimate.Clarity < settings_.MinClarity ||
                            SameNoteInAnyOctave(PitchOf(left), held_->Pitch);
    if (leftIsHeld)
        return again;
    // Both readings say one pitch: the first stands, so that frames do not swap between two near readings.
    const auto agree = [this](double a, double b) {
        return std::abs(a - b) * 100 <= settings_.AgreementCents;
    };
    if (agree(PitchOf(again), PitchOf(left)))
        return left;
    const bool octaveShown =
        left.Estimate.OctaveUp > OctaveInDoubt && agree(PitchOf(again) - 12, PitchOf(left));
    return octaveShown || again.Estimate.Clarity >= left.Estimate.Clarity + ClearerBy ? again : left;
}

} // namespace quavix
