#pragma once

// Whether a note read at some pitch is that note or the one an octave above it. Both repeat at the lower
// note's period; only the lower note has partials at odd multiples of its frequency, which cancelling the
// sound half a period back keeps (doubled) while it takes every partial of the octave above out.

#include "PeriodEstimator.h"

#include <vector>

namespace quavix {

// What is left of a stretch once a ringing note's period and then half the period of the note read in it
// are taken out: the odd partials of that note, and nothing of the octave above it.
struct OddPartials {
    double Share = 0; // their share of the sound once the ringing note is out, 0..1
    PeriodEstimate Estimate;
};

// The odd partials of the note at `period` in count samples, which must be readable back as CancelPeriod
// needs for ringingPeriod. Where they hold less than leastShare of the sound they are not estimated.
OddPartials OddPartialsOf(PeriodEstimator& estimator, const float* samples, int count, double ringingPeriod,
                          double period, std::vector<float>& withoutRinging, std::vector<float>& scratch,
                          double leastShare = 0);

// Whether those odd partials show the note at `period` itself: they hold a share of the sound and read as
// a note at that period, in its own octave.
bool ShowsOwnOctave(const OddPartials& odd, int sampleRate, double period);

} // namespace quavix
