#include "WeakKeys.h"

#include "KeySignatures.h"

#include <cstdlib>
#include <tuple>

namespace quavix {

KeyTallies TallyKeys(std::span<const AnswerRecord> answers) {
    KeyTallies tallies;
    for (const AnswerRecord& answer : answers)
        if (IsKey(answer.KeySignature))
            tallies[answer.KeySignature].Add(answer);
    return tallies;
}

KeyTallies CombineKeys(const KeyTallies& run, const KeyTallies& history) {
    KeyTallies combined = history;
    for (const auto& [key, tally] : run)
        combined[key].Add(tally);
    return combined;
}

std::optional<int> WeakestKey(const KeyTallies& tallies) {
    std::optional<int> weakest;
    // Compared as (weight, answers, fewer signs): the greatest wins.
    std::tuple<double, double, int> worst{};
    for (const auto& [key, tally] : tallies) {
        // A history that took away more than it held (this run's answers counted twice) is no answer.
        if (!IsKey(key) || !(tally.Answers > 0))
            continue;
        const std::tuple<double, double, int> rank{WeakWeight(tally), tally.Answers, -std::abs(key)};
        if (!weakest || rank > worst) {
            weakest = key;
            worst = rank;
        }
    }
    return weakest;
}

} // namespace quavix
