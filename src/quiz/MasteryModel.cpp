#include "MasteryModel.h"

#include "ReviewSchedule.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace quavix {

namespace {

template <typename Number> void Write(std::string& text, Number value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (!text.empty())
        text += ' ';
    text.append(buffer.data(), result.ptr);
}

// Reads numbers separated by single spaces, each exactly as Write puts it.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : rest_(text) {}

    template <typename Number> bool Next(Number& value) {
        if (!first_ && (rest_.empty() || rest_.front() != ' '))
            return false;
        if (!first_)
            rest_.remove_prefix(1);
        first_ = false;
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (error != std::errc() || end == rest_.data())
            return false;
        rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
        if constexpr (std::is_floating_point_v<Number>)
            return std::isfinite(value);
        return true;
    }
    bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
    bool first_ = true;
};

// Numbers as one line of text, and back: the read gives false unless the whole line is exactly such numbers.
template <typename... Numbers> std::string Line(const Numbers&... values) {
    std::string text;
    (Write(text, values), ...);
    return text;
}

template <typename... Numbers> bool ReadLine(std::string_view text, Numbers&... values) {
    FieldReader fields(text);
    return (fields.Next(values) && ...) && fields.AtEnd();
}

bool RatingInRange(const Rating& rating) {
    return std::fabs(rating.Value) <= MaxRating && rating.Uncertainty >= 0 && rating.Uncertainty <= 1;
}

bool Dated(std::int64_t at, std::int64_t now) {
    return at >= EarliestDated && at <= LatestDated && at - FutureSlackSeconds <= now;
}

bool DateInRange(std::int64_t at) {
    return at == 0 || (at >= EarliestDated && at <= LatestDated);
}

bool StabilityInRange(double days) {
    return days == 0 || (days >= ShortestStabilityDays && days <= LongestStabilityDays);
}

// A state that came from elsewhere made usable: what cannot be right is forgotten rather than trusted.
void MakeStateSafe(ItemState& state) {
    MakeRatingSafe(state.Difficulty);
    state.Answers = std::max(state.Answers, 0);
    if (!DateInRange(state.LastSeen) || !StabilityInRange(state.StabilityDays)) {
        state.LastSeen = 0;
        state.StabilityDays = 0;
    }
}

double DaysBetween(std::int64_t from, std::int64_t to) {
    return to > from ? static_cast<double>(to - from) / SecondsPerDay : 0.0;
}

void Count(std::int32_t& answers) {
    if (answers < std::numeric_limits<std::int32_t>::max())
        ++answers;
}

} // namespace

ItemAnswer ItemAnswerOf(const AnswerRecord& record) {
    const std::int16_t step = static_cast<std::int16_t>(std::clamp<std::int32_t>(
        record.Step, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    return {NoteItem{record.Staff, step, record.Alteration}, record.AnsweredMs / 1000,
            record.Result == Outcome::Right, record.Milliseconds};
}

std::string ItemStateText(const ItemState& state) {
    return Line(state.Difficulty.Value, state.Difficulty.Uncertainty, state.Answers, state.StabilityDays,
                state.LastSeen);
}

std::optional<ItemState> ItemStateFromText(std::string_view text) {
    ItemState state;
    if (!ReadLine(text, state.Difficulty.Value, state.Difficulty.Uncertainty, state.Answers,
                  state.StabilityDays, state.LastSeen) ||
        !RatingInRange(state.Difficulty) || state.Answers < 0 || !DateInRange(state.LastSeen) ||
        !StabilityInRange(state.StabilityDays))
        return std::nullopt;
    return state;
}

std::string LearnerStateText(const LearnerState& state) {
    return Line(state.Ability.Value, state.Ability.Uncertainty, state.Answers, state.LastSeen);
}

std::optional<LearnerState> LearnerStateFromText(std::string_view text) {
    LearnerState state;
    if (!ReadLine(text, state.Ability.Value, state.Ability.Uncertainty, state.Answers, state.LastSeen) ||
        !RatingInRange(state.Ability) || state.Answers < 0 || !DateInRange(state.LastSeen))
        return std::nullopt;
    return state;
}

MasteryModel MasteryModel::Rebuild(std::span<const ItemAnswer> history, std::int64_t now) {
    std::vector<std::size_t> order(history.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return history[a].At < history[b].At; });
    MasteryModel model;
    for (const std::size_t index : order)
        model.Record(history[index], now);
    return model;
}

void MasteryModel::Record(const ItemAnswer& answer, std::int64_t now) {
    ItemState& item = items_[answer.Item];
    const bool dated = Dated(answer.At, now);
    if (dated) {
        // Time away makes both ratings less certain, so they move faster again when the reader returns.
        if (learner_.LastSeen > 0)
            AgeRating(learner_.Ability, DaysBetween(learner_.LastSeen, answer.At));
        if (item.LastSeen > 0)
            AgeRating(item.Difficulty, DaysBetween(item.LastSeen, answer.At));
    }
    const double score = AnswerScore(answer.Right, answer.Milliseconds);
    RateAnswer(learner_.Ability, item.Difficulty, score);
    Count(learner_.Answers);
    Count(item.Answers);
    if (!dated)
        return;
    item.StabilityDays = item.StabilityDays > 0 && item.LastSeen > 0
                             ? NextStability(item.StabilityDays, DaysBetween(item.LastSeen, answer.At), score)
                             : FirstStability(score);
    // The latest answer sets the date even when a clock moved back: the note then comes back sooner rather
    // than waiting for a date that the clock has not reached.
    item.LastSeen = answer.At;
    learner_.LastSeen = answer.At;
}

void MasteryModel::Restore(const LearnerState& learner,
                           std::span<const std::pair<NoteItem, ItemState>> items) {
    learner_ = learner;
    MakeRatingSafe(learner_.Ability);
    learner_.Answers = std::max(learner_.Answers, 0);
    if (!DateInRange(learner_.LastSeen))
        learner_.LastSeen = 0;
    items_.clear();
    for (const auto& [item, state] : items)
        MakeStateSafe(items_[item] = state);
}

std::vector<std::pair<NoteItem, ItemState>> MasteryModel::Items() const {
    std::vector<std::pair<NoteItem, ItemState>> items(items_.begin(), items_.end());
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return items;
}

const ItemState* MasteryModel::Find(const NoteItem& item) const {
    const auto found = items_.find(item);
    return found == items_.end() ? nullptr : &found->second;
}

double MasteryModel::Fluency(const NoteItem& item) const {
    const ItemState* state = Find(item);
    return ChanceRight(learner_.Ability.Value - (state ? state->Difficulty.Value : 0.0));
}

double MasteryModel::ChanceRightNow(const NoteItem& item, std::int64_t now) const {
    const ItemState* state = Find(item);
    if (!state || state->LastSeen <= 0)
        return Fluency(item);
    return Fluency(item) * Retrievability(state->StabilityDays, DaysBetween(state->LastSeen, now));
}

std::int64_t MasteryModel::DueAt(const NoteItem& item) const {
    const ItemState* state = Find(item);
    if (!state || state->LastSeen <= 0 || !(state->StabilityDays > 0))
        return 0;
    const double stability = std::min(state->StabilityDays, LongestStabilityDays);
    return state->LastSeen + static_cast<std::int64_t>(std::ceil(stability * SecondsPerDay));
}

bool MasteryModel::IsDue(const NoteItem& item, std::int64_t now) const {
    const std::int64_t due = DueAt(item);
    return due > 0 && now >= due;
}

} // namespace quavix
