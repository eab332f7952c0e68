// Telling a note from the octave above it by its odd partials, where a ringing note taken out of the sound
// leaves that in doubt.
#include "OddPartials.h"

#include "NoteSeparation.h"
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// The odd partials must hold at least this share of the sound and repeat at least this clearly on their
// own: a note an octave up leaves only noise and what is left of the ringing note behind, which repeat at
// neither.
constexpr double LeastOddShare = 0.01;
constexpr double LeastOddClarity = 0.85;
// A frame read from what is left of a ringing note is checked for its odd partials only where it holds more
// than a little of the octave above.
constexpr double SomeOctaveUp = 0.1;
// Where the octave was not in doubt, overturning it takes odd partials holding at least this share.
constexpr double LeastUndoubtedOddShare = 0.02;

} // namespace

OddPartials OddPartialsOf(PeriodEstimator& estimator, const float* samples, int count, double ringingPeriod,
                          double period, std::vector<float>& withoutRinging, std::vector<float>& scratch,
                          double leastShare) {
    OddPartials odd;
    CancelPeriod(samples, count, ringingPeriod, withoutRinging);
    // Half a period into what is left, so nothing before it is read.
    const int skip = static_cast<int>(std::ceil(period / 2)) + 2;
    if (count - skip <= 0)
        return odd;
    const double energy = EnergyOf(withoutRinging.data() + skip, count - skip);
    if (energy <= 0)
        return odd;
    CancelPeriod(withoutRinging.data() + skip, count - skip, period / 2, scratch);
    // Odd partials come out of the cancelling at twice their strength, four times their energy.
    odd.Share = std::min(1.0, EnergyOf(scratch.data(), count - skip) / (4 * energy));
    if (odd.Share >= leastShare)
        odd.Estimate = estimator.Estimate(scratch.data(), count - skip);
    return odd;
}

bool ShowsOwnOctave(const OddPartials& odd, int sampleRate, double period) {
    return odd.Share >= LeastOddShare && odd.Estimate.Frequency > 0 &&
           odd.Estimate.Clarity >= LeastOddClarity &&
           std::abs(PitchOfFrequency(odd.Estimate.Frequency) - PitchOfFrequency(sampleRate / period)) <=
               PitchDetector::SameNoteSemitones;
}

PitchDetector::Frame PitchDetector::WithOwnOctave(Frame frame, const float* samples, int count,
                                                  double ringingPeriod) {
    frame.Underneath = true;
    if (!settings_.OctaveMatters && frame.OctaveUp <= OctaveInDoubt) {
        const Frame below = SungOctaveBelow(frame, samples, count, ringingPeriod);
        if (below.OwnOctave)
            return below;
    }
    if (frame.OctaveUp <= SomeOctaveUp)
        return frame;
    const double period = settings_.SampleRate / FrequencyOfPitch(frame.Pitch);
    const OddPartials odd =
        OddPartialsOf(estimator_, samples, count, ringingPeriod, period, scratch_, oddScratch_);
    frame.OddPartialsOwn = ShowsOwnOctave(odd, settings_.SampleRate, period);
    frame.OwnOctave = frame.OddPartialsOwn && frame.OctaveUp > OctaveInDoubt;
    return frame;
}

PitchDetector::Frame PitchDetector::SungOctaveBelow(Frame frame, const float* samples, int count,
                                                    double ringingPeriod) {
    // Taking a ringing note out one of its periods back weakens a new note's partials unevenly: a sung B4
    // beside a ringing D5 loses more of its fundamental than of its octave, and what is left reads as B5
    // with nothing at half that period, so nothing puts the octave in doubt. Singing takes any octave, but
    // the note is still told in its own: the odd partials of the octave below, which the note an octave up
    // does not have, show which of the two it is. Over the whole window: read over its latest few periods
    // alone, a choir's voices beating against each other pass for odd partials of notes they are not.
    const double below = 2 * settings_.SampleRate / FrequencyOfPitch(frame.Pitch);
    if (below > estimator_.LongestLag(count))
        return frame;
    const OddPartials odd = OddPartialsOf(estimator_, samples, count, ringingPeriod, below, scratch_,
                                          oddScratch_, LeastUndoubtedOddShare);
    if (odd.Share >= LeastUndoubtedOddShare && ShowsOwnOctave(odd, settings_.SampleRate, below)) {
        frame.Pitch -= 12;
        frame.OwnOctave = true;
    }
    return frame;
}

bool PitchDetector::OwnOctaveShown(std::size_t frames) const {
    // Taking a ringing note out weakens some of the new note's partials, often its lowest, so that what is
    // left repeats nearly as well at half its period where the note alone would not. Where its odd partials
    // show its own octave in every frame and the octave above does not grow in them (as it does in an attack
    // on its way up from the octave below), the note is what the frames read.
    if (run_.size() < frames)
        return false;
    const auto first = run_.end() - static_cast<std::ptrdiff_t>(frames);
    return std::all_of(first, run_.end(), [](const Frame& f) { return f.OwnOctave; }) &&
           run_.back().OctaveUp <= first->OctaveUp;
}

bool PitchDetector::OwnOctaveWhileOctaveGrows(std::size_t frames) const {
    // A note bowed or blown under a ringing one grows out of that note's release, and what is left once the
    // ringing note is taken out holds more of the new note's upper partials as it brightens, so it repeats
    // more and more nearly at half its period. Only where no start was found (a struck or plucked attack
    // that starts an octave low rises out of the sound, and is left to the octave-drift wait) and every
    // frame holding some of the octave above, the latest among them, shows its own octave in its odd
    // partials.
    if (onsetHeard_ || run_.size() < frames || !run_.back().OddPartialsOwn)
        return false;
    return std::all_of(run_.end() - static_cast<std::ptrdiff_t>(frames), run_.end(),
                       [](const Frame& f) { return f.OctaveUp <= SomeOctaveUp || f.OddPartialsOwn; });
}

} // namespace quavix
