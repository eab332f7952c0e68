#include "AdaptivePractice.h"

#include "QuizEngine.h"

#include <algorithm>

namespace quavix {

NoteItem ItemOfRow(const NoteTable& table, int row, std::uint8_t inputMode) {
    const int step = row >= 0 && row < NoteTableRows ? table[static_cast<std::size_t>(row)].Step : 0;
    return {StaffOfRow(row, inputMode), static_cast<std::int16_t>(step), 0};
}

AdaptivePractice::AdaptivePractice(AnswerClock& clock, double targetSuccess)
    : clock_(clock), picker_(targetSuccess) {}

int AdaptivePractice::ChooseRow(const QuizEngine& quiz, std::span<const int> rows, int previous,
                                RandomSource& random) {
    const std::uint8_t inputMode = quiz.CurrentSettings().InputMode;
    candidates_.clear();
    for (const int row : rows)
        candidates_.push_back(ItemOfRow(quiz.Table, row, inputMode));
    const auto found = std::find(rows.begin(), rows.end(), previous);
    const int previousIndex = found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    const int picked = picker_.Pick(model_, candidates_, previousIndex, Now(), random);
    return picked >= 0 ? rows[static_cast<std::size_t>(picked)] : -1;
}

void AdaptivePractice::Record(const AnswerRecord& record, bool kept) {
    const ItemAnswer answer = ItemAnswerOf(record);
    run_.push_back({answer, kept});
    model_.Record(answer, answer.At);
}

void AdaptivePractice::LoadHistory(std::span<const AnswerRecord> history) {
    std::vector<ItemAnswer> answers;
    answers.reserve(history.size() + run_.size());
    for (const AnswerRecord& record : history)
        answers.push_back(ItemAnswerOf(record));
    for (const RunAnswer& answer : run_)
        if (!answer.Kept)
            answers.push_back(answer.Answer);
    Rebuild(std::move(answers));
}

void AdaptivePractice::ForgetHistory() {
    std::vector<ItemAnswer> answers;
    answers.reserve(run_.size());
    for (const RunAnswer& answer : run_)
        answers.push_back(answer.Answer);
    Rebuild(std::move(answers));
}

void AdaptivePractice::Rebuild(std::vector<ItemAnswer> answers) {
    model_ = MasteryModel::Rebuild(answers, Now());
}

} // namespace quavix
