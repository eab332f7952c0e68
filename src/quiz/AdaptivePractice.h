#pragma once

#include "AdaptivePicker.h"
#include "AnswerLog.h"
#include "AnswerRecord.h"
#include "MasteryModel.h"
#include "NoteTable.h"
#include "QuizHooks.h"
#include "Settings.h"

#include <map>
#include <span>
#include <vector>

namespace quavix {

// The note a table row asks the reader to read: its staff's clef and its step, spelled as written.
NoteItem ItemOfRow(const NoteTable& table, int row, std::uint8_t inputMode);

// How surely a note is read, as the results' mastery map shows it: 0 never answered, then 1 to 4 for a
// chance of a right answer now below 60 %, below 80 %, below 95 %, and from 95 %.
constexpr int MasteryLevels = 5;
int MasteryLevel(const MasteryModel& model, const NoteItem& item, std::int64_t now);

// A note of the mastery map: a table row that shows it, and its level.
struct MasteryMark {
    int Row = 0;
    int Level = 0;
};

// Every note the chosen staves hold at the top level, once each, in the order of the rows, with its level.
// A note the quiz may write in several spellings (in the key, against it, with free sharps and flats) shows
// its weakest spelling the reader has met, so a sharp read badly is not hidden behind its natural.
// A table of other clefs or ranges (clefSetRows > 0) holds only the staves asked, in its first rows.
std::vector<MasteryMark> MasteryMap(const MasteryModel& model, const NoteTable& table, const Settings& settings,
                                    int key, std::int64_t now, int clefSetRows = 0);

// A right answer this fast counts as fluent reading in the chart of the last days.
constexpr int FluentMs = 3000;

// The answers of one day and how many of them were fluent.
struct DayFluency {
    int Answers = 0;
    int Fluent = 0;
};

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
    // The answers of each of the days days up to now, oldest first; a day starts at midnight of the clock
    // utcOffsetSeconds ahead of UTC.
    std::vector<DayFluency> Fluency(int days, std::int64_t utcOffsetSeconds) const;
    std::int64_t Now() const { return clock_.WallMs() / 1000; }

private:
    struct RunAnswer {
        ItemAnswer Answer;
        bool Kept = false;
    };
    void Rebuild(std::vector<ItemAnswer> answers);
    void Count(const ItemAnswer& answer);

    AnswerClock& clock_;
    AdaptivePicker picker_;
    MasteryModel model_;
    std::vector<RunAnswer> run_;
    std::map<std::int64_t, DayFluency> hours_; // answers counted per hour since 1970 (UTC)
    std::vector<NoteItem> candidates_;         // reused from one pick to the next
};

} // namespace quavix
