#include "AdaptivePractice.h"

#include "NoteSpelling.h"
#include "QuizEngine.h"

#include <algorithm>

namespace quavix {

NoteItem ItemOfRow(const NoteTable& table, int row, std::uint8_t inputMode) {
    if (row < 0 || row >= NoteTableRows)
        return {StaffOfRow(row, inputMode), 0, 0};
    // The row's own clef: the alto, tenor and octave-treble readings are notes of their own.
    const NoteEntry& entry = table[static_cast<std::size_t>(row)];
    return {entry.Clef, static_cast<std::int16_t>(entry.Step), 0};
}

int MasteryLevel(const MasteryModel& model, const NoteItem& item, std::int64_t now) {
    if (!model.Seen(item))
        return 0;
    const double chance = model.ChanceRightNow(item, now);
    return chance < 0.6 ? 1 : chance < 0.8 ? 2 : chance < 0.95 ? 3 : 4;
}

namespace {

int WeakestSpellingLevel(const MasteryModel& model, const NoteTable& table, int row, const Settings& settings,
                         int key, std::int64_t now) {
    NoteItem item = ItemOfRow(table, row, settings.InputMode);
    const SpellingsAsked asked = SpellingsOf(table[static_cast<std::size_t>(row)], settings, key);
    int weakest = 0;
    for (const int alteration : asked.All()) {
        item.Alteration = static_cast<std::int8_t>(alteration);
        const int level = MasteryLevel(model, item, now);
        if (level > 0 && (weakest == 0 || level < weakest))
            weakest = level;
    }
    return weakest;
}

} // namespace

std::vector<MasteryMark> MasteryMap(const MasteryModel& model, const NoteTable& table, const Settings& settings,
                                    int key, std::int64_t now, int clefSetRows) {
    const std::uint8_t inputMode = settings.InputMode;
    const bool clefSet = clefSetRows > 0;
    const int rows = clefSet                    ? std::min(clefSetRows, NoteTableRows)
                     : inputMode == GuitarFrets ? NoteTableRows
                                                : StaffSetRows;
    std::vector<MasteryMark> marks;
    std::vector<NoteItem> shown;
    for (int row = 0; row < rows; ++row) {
        const NoteItem item = ItemOfRow(table, row, inputMode);
        const bool onStaff = clefSet || inputMode == GuitarFrets || settings.StaffChoice == AllStaves ||
                             item.Clef == settings.StaffChoice;
        if (!onStaff || std::find(shown.begin(), shown.end(), item) != shown.end())
            continue;
        shown.push_back(item);
        marks.push_back({row, WeakestSpellingLevel(model, table, row, settings, key, now)});
    }
    return marks;
}

AdaptivePractice::AdaptivePractice(AnswerClock& clock, double targetSuccess)
    : clock_(clock), picker_(targetSuccess) {}

int AdaptivePractice::ChooseRow(const QuizEngine& quiz, std::span<const int> rows, int previous,
                                RandomSource& random) {
    const std::uint8_t inputMode = quiz.CurrentSettings().InputMode;
    candidates_.clear();
    for (const int row : rows) {
        // Each spelling is an item of its own: the row stands for the one the quiz will most likely write.
        NoteItem item = ItemOfRow(quiz.Table, row, inputMode);
        item.Alteration = static_cast<std::int8_t>(
            SpellingsOf(quiz.Table[static_cast<std::size_t>(row)], quiz.CurrentSettings(), quiz.State.Key)
                .Alterations[0]);
        candidates_.push_back(item);
    }
    const auto found = std::find(rows.begin(), rows.end(), previous);
    const int previousIndex = found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    const int picked = picker_.Pick(model_, candidates_, previousIndex, Now(), random);
    return picked >= 0 ? rows[static_cast<std::size_t>(picked)] : -1;
}

void AdaptivePractice::Record(const AnswerRecord& record, bool kept) {
    const ItemAnswer answer = ItemAnswerOf(record);
    run_.push_back({answer, kept});
    model_.Record(answer, answer.At);
    Count(answer);
}

void AdaptivePractice::Count(const ItemAnswer& answer) {
    DayFluency& hour = hours_[answer.At >= 0 ? answer.At / 3600 : -((-answer.At + 3599) / 3600)];
    ++hour.Answers;
    hour.Fluent += answer.Right && answer.Milliseconds < FluentMs ? 1 : 0;
}

std::vector<DayFluency> AdaptivePractice::Fluency(int days, std::int64_t utcOffsetSeconds) const {
    if (days <= 0)
        return {};
    const auto dayOf = [&](std::int64_t hour) {
        const std::int64_t local = hour * 3600 + utcOffsetSeconds;
        return local >= 0 ? local / 86400 : -((-local + 86399) / 86400);
    };
    const std::int64_t today = dayOf(Now() / 3600);
    std::vector<DayFluency> fluency(static_cast<std::size_t>(days));
    for (auto hour = hours_.lower_bound((today - days + 1) * 24 - 24); hour != hours_.end(); ++hour) {
        const std::int64_t back = today - dayOf(hour->first);
        if (back < 0 || back >= days)
            continue;
        DayFluency& day = fluency[static_cast<std::size_t>(days - 1 - back)];
        day.Answers += hour->second.Answers;
        day.Fluent += hour->second.Fluent;
    }
    return fluency;
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
    hours_.clear();
    for (const ItemAnswer& answer : answers)
        Count(answer);
}

} // namespace quavix
