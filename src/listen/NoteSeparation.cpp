#include "NoteSeparation.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// What is left of a mixture counts as another note when it holds at least this share of the energy and
// repeats this clearly.
constexpr double LeastOtherShare = 0.1;
constexpr double LeastOtherClarity = 0.85;
// The other note is at least a fifth above the note cancelled (period / 2 leaves period / 3 or shorter,
// period / 3 leaves period / 4 or shorter), and what is left repeats as well at its own period as at the
// one found: the odd partials a note's own period / 2 leaves behind repeat better at the full period.
constexpr double LongestOtherPeriod[] = {0, 0, 0.4, 0.3};
constexpr double RepeatsAsWell = 0.03;

} // namespace

double EnergyOf(const float* samples, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return sum;
}

void CancelPeriod(const float* samples, int count, double period, std::vector<float>& out) {
    out.resize(static_cast<std::size_t>(std::max(0, count)));
    // The sound one period earlier lies between samples i - 1 .. i + 2 around n - period; the weights of
    // the cubic through those four points are the same for every n.
    const int back = static_cast<int>(std::ceil(period));
    const double f = back - period;
    const double w0 = -f * (f - 1) * (f - 2) / 6;
    const double w1 = (f + 1) * (f - 1) * (f - 2) / 2;
    const double w2 = -(f + 1) * f * (f - 2) / 2;
    const double w3 = (f + 1) * f * (f - 1) / 6;
    for (int n = 0; n < count; ++n) {
        const float* x = samples + n - back; // x[0] lies at or before n - period, x[f] at it
        const double earlier = w0 * x[-1] + w1 * x[0] + w2 * x[1] + w3 * x[2];
        out[static_cast<std::size_t>(n)] = static_cast<float>(samples[n] - earlier);
    }
}

Remainder WithoutPeriod(PeriodEstimator& estimator, const float* samples, int count, double period,
                        std::vector<float>& scratch) {
    Remainder left;
    left.Period = period;
    const double energy = EnergyOf(samples, count);
    if (count <= 0 || energy <= 0)
        return left;
    CancelPeriod(samples, count, period, scratch);
    // Sound with nothing in common with the sound a period before comes out with twice its energy.
    left.Share = std::min(1.0, EnergyOf(scratch.data(), count) / (2 * energy));
    left.Estimate = estimator.Estimate(scratch.data(), count);
    return left;
}

bool SoundsLikeTwoNotes(PeriodEstimator& estimator, const float* samples, int count, double period,
                        std::vector<float>& scratch) {
    for (int divisor : {2, 3}) {
        const double part = period / divisor;
        if (part < estimator.ShortestLag())
            break;
        // Start one part's period in, so nothing before the stretch is read.
        const int skip = static_cast<int>(std::ceil(part)) + 2;
        const Remainder left = WithoutPeriod(estimator, samples + skip, count - skip, part, scratch);
        if (left.Share < LeastOtherShare || left.Estimate.Clarity < LeastOtherClarity ||
            left.Estimate.Frequency <= 0)
            continue;
        const double otherPeriod = estimator.SampleRate() / left.Estimate.Frequency;
        if (otherPeriod < LongestOtherPeriod[divisor] * period &&
            left.Estimate.Clarity >= estimator.ClarityAt(period) - RepeatsAsWell)
            return true;
    }
    return false;
}

} // namespace quavix
