#include "Mastery.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

double Within(double value, double low, double high) {
    // std::clamp passes a NaN through; this turns one into the low end, which callers never feed anyway.
    return value > low ? (value < high ? value : high) : low;
}

// ∫₀¹ s e^{δs} ds / ∫₋₁¹ e^{δs} ds: the part of the expected score that right answers bring.
double RightPart(double delta) {
    if (std::fabs(delta) < 1e-3) // the closed form cancels here; its series is exact enough
        return 0.25 + delta / 6;
    if (delta > 0)
        return (delta - 1 + std::exp(-delta)) / (delta * -std::expm1(-2 * delta));
    // For negative δ the plain form, (e^δ (δ − 1) + 1) / (2 δ sinh δ), which cannot overflow there.
    return (delta * std::exp(delta) - std::expm1(delta)) / (2 * delta * std::sinh(delta));
}

} // namespace

double AnswerScore(bool right, std::int64_t milliseconds) {
    if (!right)
        return -1;
    const double taken = Within(static_cast<double>(milliseconds), 0, TimeLimitMs);
    return 1 - taken / TimeLimitMs;
}

double ExpectedScore(double delta) {
    if (std::isnan(delta))
        return 0;
    const double bounded = Within(delta, -2 * MaxRating, 2 * MaxRating);
    return RightPart(bounded) - ChanceRight(-bounded);
}

double ChanceRight(double delta) {
    if (std::isnan(delta))
        return 0.5;
    return 1 / (1 + std::exp(-Within(delta, -2 * MaxRating, 2 * MaxRating)));
}

void RateAnswer(Rating& ability, Rating& difficulty, double score) {
    MakeRatingSafe(ability);
    MakeRatingSafe(difficulty);
    const double surprise = Within(score, -1, 1) - ExpectedScore(ability.Value - difficulty.Value);
    const double abilityStep = BaseStep * (1 + OwnUncertaintyGain * ability.Uncertainty -
                                           OtherUncertaintyDamping * difficulty.Uncertainty);
    const double difficultyStep = BaseStep * (1 + OwnUncertaintyGain * difficulty.Uncertainty -
                                              OtherUncertaintyDamping * ability.Uncertainty);
    ability.Value = Within(ability.Value + abilityStep * surprise, -MaxRating, MaxRating);
    difficulty.Value = Within(difficulty.Value - difficultyStep * surprise, -MaxRating, MaxRating);
    ability.Uncertainty = Within(ability.Uncertainty - UncertaintyPerAnswer, 0, 1);
    difficulty.Uncertainty = Within(difficulty.Uncertainty - UncertaintyPerAnswer, 0, 1);
}

void AgeRating(Rating& rating, double days) {
    if (days > 0) // false for a NaN as well
        rating.Uncertainty =
            Within(rating.Uncertainty + std::min(days, UncertaintyDays) / UncertaintyDays, 0, 1);
}

bool MakeRatingSafe(Rating& rating) {
    if (std::isnan(rating.Value) || std::isnan(rating.Uncertainty)) {
        rating = Rating{};
        return false;
    }
    rating.Value = Within(rating.Value, -MaxRating, MaxRating);
    rating.Uncertainty = Within(rating.Uncertainty, 0, 1);
    return true;
}

} // namespace quavix
