// How clearly the latest window of sound repeats over one or more periods of a pitch, read straight from the
// samples: for checking a reading's octave where the frame's own estimate may have lost the note beneath it.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A gliding pitch is searched for within this share of its period either way.
constexpr double GlideReach = 0.03;

// How nearly count samples repeat after lag samples (normalised square difference, 1 = exactly).
double RepeatsAfter(const float* samples, int count, int lag) {
    double product = 0;
    double energy = 0;
    for (int i = 0; i + lag < count; ++i) {
        product += double(samples[i]) * samples[i + lag];
        energy += double(samples[i]) * samples[i] + double(samples[i + lag]) * samples[i + lag];
    }
    return energy > 0 ? 2 * product / energy : 0;
}

} // namespace

double PitchDetector::ClarityOverPeriods(double pitch, int periods) const {
    const std::int64_t start = std::max({position_ - settings_.WindowSamples, readFrom_, historyStart_});
    const int count = static_cast<int>(position_ - start);
    const float* samples = history_.data() + (start - historyStart_);
    const double lag = periods * settings_.SampleRate / FrequencyOfPitch(pitch);
    const int from = std::max(1, int(std::floor(lag * (1 - GlideReach))));
    const int to = int(std::ceil(lag * (1 + GlideReach)));
    // Half the window at least must overlap itself for the reading to mean anything.
    if (2 * (to + 1) > count)
        return 0;
    int top = from;
    for (int l = from + 1; l <= to; ++l)
        if (RepeatsAfter(samples, count, l) > RepeatsAfter(samples, count, top))
            top = l;
    // Read between whole samples: a short period's top falls between them.
    const double at = RepeatsAfter(samples, count, top);
    if (top == from || top == to)
        return at;
    const double before = RepeatsAfter(samples, count, top - 1);
    const double after = RepeatsAfter(samples, count, top + 1);
    const double bend = before - 2 * at + after;
    return bend < 0 ? std::clamp(at - (before - after) * (before - after) / (8 * bend), at, 1.0) : at;
}

} // namespace quavix
