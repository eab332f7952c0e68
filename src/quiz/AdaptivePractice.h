#pragma once

#include "AdaptivePicker.h"
#include "AnswerLog.h"
#include "AnswerRecord.h"
#include "MasteryModel.h"
#include "NoteTable.h"
#include "QuizHooks.h"

#include <span>
#include <vector>

namespace quavix {

// The note a table row asks the reader to read: its staff's clef and its step, spelled as written.
NoteItem ItemOfRow(const NoteTable& table, int row, std::uint8_t inputMode);

// Adaptive practice in the quiz: the mastery model of every answer the reader has given (this run's and,
// when progress is kept, the history's) chooses each next note through the AdaptivePicker, among the notes
// the level and the staff allow.
class AdaptivePractice final : public NoteChooser {
public:
    explicit AdaptivePractice(AnswerClock& clock, double targetSuccess = AdaptivePicker::DefaultTarget);

    int ChooseRow(const QuizEngine& quiz, std::span<const int> rows, int previous,
                  RandomSource& random) override;

    // One answer of this run, just given; kept says whether it also went into the kept history.
    void Record(const AnswerRecord& record, bool kept);
    // The model starts again from the kept history and those of this run's answers that it does not hold.
    void LoadHistory(std::span<const AnswerRecord> history);
    // The history is no longer kept: the model holds this run's answers alone.
    void ForgetHistory();

    const MasteryModel& Model() const { return model_; }
    std::int64_t Now() const { return clock_.WallMs() / 1000; }

private:
    struct RunAnswer {
        ItemAnswer Answer;
        bool Kept = false;
    };
    void Rebuild(std::vector<ItemAnswer> answers);

    AnswerClock& clock_;
    AdaptivePicker picker_;
    MasteryModel model_;
    std::vector<RunAnswer> run_;
    std::vector<NoteItem> candidates_; // reused from one pick to the next
};

} // namespace quavix
