#pragma once

// Telling one note from two. Two notes sounding together repeat at a common period (a fifth, C4 and G4,
// repeats at the period of C3), which a period estimate takes for one low note; and a new note played over
// a ringing one is heard mixed with it. Both are taken apart the same way: whatever repeats at a given
// period is cancelled by subtracting the sound one period earlier, and what is left is estimated on its own.

#include "PeriodEstimator.h"

#include <vector>

namespace quavix {

// The sum of the squares of count samples.
double EnergyOf(const float* samples, int count);

// out[n] = samples[n] - samples[n - period] for n in [0, count), read between samples by cubic
// interpolation: the sound with every partial of the note of that period taken out. samples must be
// readable from index -(ceil(period) + 2) on.
void CancelPeriod(const float* samples, int count, double period, std::vector<float>& out);

// What is left of a stretch once a note's period is cancelled.
struct Remainder {
    PeriodEstimate Estimate; // of what is left
    double Share = 0;        // its energy as a share of the stretch's, 0..1 (about 0: nothing but that note)
    double Period = 0;       // the period cancelled, in samples
};

// Cancels period from count samples (readable back as CancelPeriod needs) and estimates what is left.
Remainder WithoutPeriod(PeriodEstimator& estimator, const float* samples, int count, double period,
                        std::vector<float>& scratch);

// Whether a stretch whose estimate found `period` is two notes rather than one: once the partials of the
// note at period / 2 or period / 3 are cancelled, what is left is another clear note with a period shorter
// than the one found. (A note's own partials leave, at most, its odd or other partials behind, which still
// repeat at its full period.) Reads only the count samples from samples on.
bool SoundsLikeTwoNotes(PeriodEstimator& estimator, const float* samples, int count, double period,
                        std::vector<float>& scratch);

} // namespace quavix
