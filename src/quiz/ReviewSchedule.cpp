#include "ReviewSchedule.h"

#include <cmath>

namespace quavix {

namespace {

constexpr double CurveFactor = RetentionAtDue / (1 - RetentionAtDue); // the 9 of R(t)

double WithinStability(double days) {
    return days > ShortestStabilityDays ? (days < LongestStabilityDays ? days : LongestStabilityDays)
                                        : ShortestStabilityDays; // a NaN too
}

// g: how much a right answer counts, from its score.
double Grade(double score) {
    return 0.5 + (score > 1 ? 1 : score);
}

} // namespace

double Retrievability(double stabilityDays, double elapsedDays) {
    if (!(stabilityDays > 0) || !(elapsedDays > 0))
        return 1;
    return 1 / (1 + elapsedDays / (CurveFactor * WithinStability(stabilityDays)));
}

double FirstStability(double score) {
    if (!(score >= 0))
        return ShortestStabilityDays;
    return WithinStability(FirstStabilityDays * Grade(score));
}

double NextStability(double stabilityDays, double elapsedDays, double score) {
    const double stability = WithinStability(stabilityDays);
    if (!(score >= 0))
        return WithinStability(std::fmin(stability, LapseShare * std::pow(stability, LapsePower)));
    const double forgotten = 1 - Retrievability(stability, elapsedDays);
    const double growth =
        StabilityGrowth * Grade(score) * std::pow(stability, -GrowthDamping) * std::expm1(forgotten);
    return WithinStability(stability * (1 + growth));
}

} // namespace quavix
