#pragma once

#include "AnswerRecord.h"
#include "Mastery.h"
#include "NoteItem.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quavix {

// One answer as the mastery model reads it: which note, when (seconds since 1970, UTC), right or not (a
// time-out is not), and how long it took.
struct ItemAnswer {
    NoteItem Item;
    std::int64_t At = 0;
    bool Right = false;
    std::int32_t Milliseconds = 0;
};

// An answer of the kept history as the model reads it. Notes written before sharps and other clefs were
// known are naturals on the staff they were written on.
ItemAnswer ItemAnswerOf(const AnswerRecord& record);

// Answers dated before this (1 January 2000) come from a clock that was wrong: they count for the ratings
// but not for the schedule, which would otherwise see decades pass between two answers.
constexpr std::int64_t EarliestDated = 946'684'800;
// ... and after this (the end of the year 9999), which no clock reaches.
constexpr std::int64_t LatestDated = 253'402'300'799;
// How far an answer may lie ahead of the present and still count as dated (a clock a little fast).
constexpr std::int64_t FutureSlackSeconds = 86'400;

// What the model keeps of one note: all that must be stored to carry on where it left off.
struct ItemState {
    Rating Difficulty;         // β and its uncertainty
    std::int32_t Answers = 0;  // every answer, dated or not
    double StabilityDays = 0;  // the memory's stability; 0 until the first dated answer
    std::int64_t LastSeen = 0; // seconds since 1970 of the latest dated answer; 0 for none

    friend bool operator==(const ItemState&, const ItemState&) = default;
};

// What the model keeps of the reader.
struct LearnerState {
    Rating Ability; // θ and its uncertainty
    std::int32_t Answers = 0;
    std::int64_t LastSeen = 0;

    friend bool operator==(const LearnerState&, const LearnerState&) = default;
};

// The states as one line of text each, numbers separated by single spaces in the C locale, written so that
// reading them back gives exactly the same values: "β U answers S last-seen" and "θ U answers last-seen".
// Reading accepts only what writing can produce (finite numbers in range, nothing missing or left over);
// anything else gives nothing, and the caller rebuilds the state from the answers instead.
std::string ItemStateText(const ItemState& state);
std::optional<ItemState> ItemStateFromText(std::string_view text);
std::string LearnerStateText(const LearnerState& state);
std::optional<LearnerState> LearnerStateFromText(std::string_view text);

// How fluently the reader reads each note and when each should come back: the ratings of Mastery.h and the
// schedule of ReviewSchedule.h, kept per note. Plain values and the time given: no clock inside.
class MasteryModel final {
public:
    // The model of a history of answers, as if they had been recorded one by one in the order of their
    // times (answers with equal times in the order given). Answers dated after now + FutureSlackSeconds
    // count for the ratings only, as do those before EarliestDated.
    static MasteryModel Rebuild(std::span<const ItemAnswer> history, std::int64_t now);

    // One more answer, given now (the answer's own time when it was just given).
    void Record(const ItemAnswer& answer, std::int64_t now);

    // The stored states, back in a model. States that could not be read are simply left out: those notes
    // count as never seen until rebuilt.
    void Restore(const LearnerState& learner, std::span<const std::pair<NoteItem, ItemState>> items);
    // Every note's state in the items' order, for storing.
    std::vector<std::pair<NoteItem, ItemState>> Items() const;
    const LearnerState& Learner() const { return learner_; }
    // The note's state, or null for a note never answered.
    const ItemState* Find(const NoteItem& item) const;

    bool Seen(const NoteItem& item) const { return Find(item) != nullptr; }
    // The chance of a right answer while the note is fresh in mind: 1 / (1 + e^{−(θ − β)}). A note never
    // answered has β = 0, so its chance follows the reader's general ability.
    double Fluency(const NoteItem& item) const;
    // The chance of a right answer now: the fluency, times the chance that the note is still remembered
    // after the time since its last answer.
    double ChanceRightNow(const NoteItem& item, std::int64_t now) const;
    // When the note is due again (seconds since 1970), 0 when it has no schedule yet.
    std::int64_t DueAt(const NoteItem& item) const;
    bool IsDue(const NoteItem& item, std::int64_t now) const;

private:
    LearnerState learner_;
    std::unordered_map<NoteItem, ItemState> items_;
};

} // namespace quavix
