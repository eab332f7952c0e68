#include "AdaptivePicker.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

constexpr int TicketsPerPick = 1 << 20; // the draw's resolution: shares are drawn to about one in a million
constexpr int TiltSteps = 50;           // halvings of the λ interval: far below any share that matters

struct Candidate {
    double Chance = 0; // of a right answer now
    bool Seen = false;
    bool Due = false;
    double Uncertainty = 1; // of the note's rating
    bool Eligible = false;
};

// How many distinct notes among the candidates are still being learned.
int NotesInLearning(std::span<const NoteItem> items, const std::vector<Candidate>& candidates) {
    int learning = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool first = std::find(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(i),
                                     items[i]) == items.begin() + static_cast<std::ptrdiff_t>(i);
        const Candidate& c = candidates[i];
        if (first && c.Seen && (c.Due || c.Chance < AdaptivePicker::FluentChance))
            ++learning;
    }
    return learning;
}

// Steps 1 and 2: which candidates may be asked next.
void MarkEligible(std::span<const NoteItem> items, int previous, std::vector<Candidate>& candidates) {
    const std::size_t count = items.size();
    const bool hasPrevious = previous >= 0 && static_cast<std::size_t>(previous) < count;
    auto isPrevious = [&](std::size_t i) { return hasPrevious && items[i] == items[previous]; };
    bool anotherNote = false;
    for (std::size_t i = 0; i < count; ++i)
        anotherNote = anotherNote || !isPrevious(i);
    auto left = [&](std::size_t i) { return anotherNote && isPrevious(i); };

    std::size_t newcomer = count;
    for (std::size_t i = 0; i < count && newcomer == count; ++i)
        if (!candidates[i].Seen && !left(i))
            newcomer = i;
    const bool welcome = NotesInLearning(items, candidates) < AdaptivePicker::MaxLearning;
    auto isNewcomer = [&](std::size_t i) { return newcomer < count && items[i] == items[newcomer]; };

    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        candidates[i].Eligible = !left(i) && (candidates[i].Seen || (welcome && isNewcomer(i)));
        any = any || candidates[i].Eligible;
    }
    // Only new notes are left besides the one just asked: the next of them comes in after all.
    if (!any)
        for (std::size_t i = 0; i < count; ++i)
            candidates[i].Eligible = isNewcomer(i);
}

std::vector<double> Normalised(std::vector<double> weights) {
    double total = 0;
    for (const double weight : weights)
        total += weight;
    for (double& weight : weights)
        weight = total > 0 ? weight / total : 0.0;
    return weights;
}

// Step 4's weights w e^{λp}, as shares.
std::vector<double> Tilted(std::vector<double> weights, std::span<const double> chances, double tilt) {
    const double highest = chances.empty() ? 0.0 : *std::max_element(chances.begin(), chances.end());
    for (std::size_t i = 0; i < weights.size(); ++i)
        weights[i] *= std::exp(tilt * (chances[i] - highest));
    return Normalised(std::move(weights));
}

} // namespace

AdaptivePicker::AdaptivePicker(double targetSuccess)
    : target_(std::isnan(targetSuccess) ? DefaultTarget : std::clamp(targetSuccess, 0.5, 0.95)) {}

double TiltFor(std::span<const double> weights, std::span<const double> chances, double target) {
    const std::size_t count = std::min(weights.size(), chances.size());
    double highest = 0;
    for (std::size_t i = 0; i < count; ++i)
        highest = std::max(highest, chances[i]);
    // The tilted mean rises with λ; measuring the chances from the highest keeps every exponent within
    // ±MaxTilt.
    auto meanAt = [&](double tilt) {
        double sum = 0;
        double weighted = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (!(weights[i] > 0))
                continue;
            const double w = weights[i] * std::exp(tilt * (chances[i] - highest));
            sum += w;
            weighted += w * chances[i];
        }
        return sum > 0 ? weighted / sum : target;
    };
    double low = -AdaptivePicker::MaxTilt;
    double high = AdaptivePicker::MaxTilt;
    if (meanAt(low) >= target)
        return low;
    if (meanAt(high) <= target)
        return high;
    for (int step = 0; step < TiltSteps; ++step) {
        const double middle = (low + high) / 2;
        (meanAt(middle) < target ? low : high) = middle;
    }
    return (low + high) / 2;
}

std::vector<double> AdaptivePicker::Shares(const MasteryModel& model, std::span<const NoteItem> candidates,
                                           int previous, std::int64_t now) const {
    const std::size_t count = candidates.size();
    std::vector<Candidate> marked(count);
    for (std::size_t i = 0; i < count; ++i) {
        marked[i].Chance = model.ChanceRightNow(candidates[i], now);
        marked[i].Seen = model.Seen(candidates[i]);
        marked[i].Due = model.IsDue(candidates[i], now);
        const ItemState* state = model.Find(candidates[i]);
        marked[i].Uncertainty = state ? state->Difficulty.Uncertainty : 1.0;
    }
    MarkEligible(candidates, previous, marked);

    std::vector<double> weights(count, 0.0);
    std::vector<double> chances(count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        chances[i] = marked[i].Chance;
        if (!marked[i].Eligible)
            continue;
        const double p = marked[i].Chance;
        const auto sharing = std::count(candidates.begin(), candidates.end(), candidates[i]);
        weights[i] = std::max(MinWeight, p * (1 - p)) * (1 + OwnUncertaintyGain * marked[i].Uncertainty) *
                     (marked[i].Due ? DueBoost : 1) / static_cast<double>(sharing);
    }
    // Practice that stays too easy even leaning to the hardest known note is idle: a new note is what it
    // needs, so the newcomer takes NewcomerShare of the pick, the known notes the rest.
    std::vector<double> known = weights;
    std::vector<double> newcomer(count, 0.0);
    for (std::size_t i = 0; i < count; ++i)
        if (marked[i].Eligible && !marked[i].Seen)
            std::swap(known[i], newcomer[i]);
    const auto positive = [](double weight) { return weight > 0; };
    if (std::any_of(newcomer.begin(), newcomer.end(), positive) &&
        std::any_of(known.begin(), known.end(), positive) && TiltFor(known, chances, target_) == -MaxTilt) {
        std::vector<double> shares = Tilted(known, chances, -MaxTilt);
        newcomer = Normalised(std::move(newcomer));
        for (std::size_t i = 0; i < count; ++i)
            shares[i] = (1 - NewcomerShare) * shares[i] + NewcomerShare * newcomer[i];
        return shares;
    }
    return Tilted(weights, chances, TiltFor(weights, chances, target_));
}

int AdaptivePicker::Pick(const MasteryModel& model, std::span<const NoteItem> candidates, int previous,
                         std::int64_t now, RandomSource& random) const {
    const std::vector<double> shares = Shares(model, candidates, previous, now);
    std::vector<int> tickets(shares.size(), 0);
    int total = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        if (shares[i] > 0)
            tickets[i] = std::max(1, static_cast<int>(std::lround(shares[i] * TicketsPerPick)));
        total += tickets[i];
    }
    if (total == 0)
        return -1;
    int wanted = random.RandomBelow(total);
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        if (wanted < tickets[i])
            return static_cast<int>(i);
        wanted -= tickets[i];
    }
    return -1;
}

} // namespace quavix
