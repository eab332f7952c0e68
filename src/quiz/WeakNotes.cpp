#include "WeakNotes.h"

#include "NoteFigures.h"
#include "NoteSpelling.h"
#include "QuizEngine.h"

#include <algorithm>

namespace quavix {

double Slowness(int milliseconds) {
    return std::clamp(static_cast<double>(milliseconds - FastMs) / (SlowMs - FastMs), 0.0, 1.0);
}

void NoteTally::Add(const AnswerRecord& record) {
    Answers += 1;
    if (record.Result == Outcome::Right) {
        Rights += 1;
        SlowSum += Slowness(record.Milliseconds);
    } else {
        Misses += 1;
    }
}

void NoteTally::Add(const NoteTally& other, double share) {
    Answers += other.Answers * share;
    Misses += other.Misses * share;
    Rights += other.Rights * share;
    SlowSum += other.SlowSum * share;
}

NoteTally TallyOf(const NoteFigures& figures) {
    return {static_cast<double>(figures.Asked), static_cast<double>(figures.Missed()),
            static_cast<double>(figures.Right), figures.SlowSum};
}

double WeakWeight(const NoteTally& tally) {
    // Counts below zero can only come from a damaged history; they must not push a weight under 1.
    const double answers = std::max(tally.Answers, 0.0);
    const double rights = std::max(tally.Rights, 0.0);
    const double p = std::clamp(tally.Misses / (answers + 1), 0.0, 1.0);
    const double q = std::clamp(tally.SlowSum / (rights + 1), 0.0, 1.0);
    const double weight = 1 + MissFactor * p + SlowFactor * q;
    return weight >= 1 ? weight : 1; // also when a NaN crept in
}

WeakNotes::WeakNotes(const QuizEngine& quiz, const std::map<NoteKey, NoteTally>& run)
    : quiz_(quiz), run_(run) {}

double WeakNotes::Weight(int row) const {
    if (row < 0 || row >= NoteTableRows)
        return 1;
    // A row may be written in several spellings, each a note of its own; the row weighs as much as the
    // weakest of those the quiz can ask, so a weak F sharp brings its F back even when G flat is strong.
    const NoteEntry& note = quiz_.Table[static_cast<std::size_t>(row)];
    NoteKey key{note.Clef, note.Step};
    double weight = 1;
    const SpellingsAsked spellings = SpellingsOf(note, quiz_.CurrentSettings(), quiz_.State.Key);
    for (const int alteration : spellings.All()) {
        key.Alteration = static_cast<std::int8_t>(alteration);
        weight = std::max(weight, WeightOf(key));
    }
    return weight;
}

double WeakNotes::WeightOf(const NoteKey& key) const {
    NoteTally tally;
    if (auto found = run_.find(key); found != run_.end())
        tally.Add(found->second);
    if (auto found = history_.find(key); found != history_.end())
        tally.Add(found->second);
    return WeakWeight(tally);
}

} // namespace quavix
