#pragma once

#include "AnswerRecord.h"
#include "NoteFigures.h"
#include "QuizHooks.h"

#include <map>

namespace quavix {

// The weak-note weighting. For each note (staff, step and spelling) over the answers that count for it:
//
//   n  answers,  m  misses (wrong or timed out),  r  right answers,
//   s  the sum over the right answers of their slowness: (t - 2 s) / (8 s - 2 s), kept within 0 to 1, for
//      an answer that took t (so 2 s or less counts as fast, 8 s or more as fully slow),
//
//   miss rate    p = m / (n + 1)
//   slowness     q = s / (r + 1)
//   weight       w = 1 + 4 p + 2 q
//
// The added 1s keep one answer from counting as certainty: one miss gives p = 1/2, three misses of three
// p = 3/4. With no answers p = q = 0, so every note weighs 1 and the draw stays uniform; w never falls below
// 1, so no allowed note is ever left out, and stays below 7, so the weakest note is asked less than seven
// times as often as a strong one (fewer where the no-repeat rule bites: a note is never asked twice running).
// A note missed three times and never answered weighs 4, four times a note always answered fast.
//
// Answers of this run count fully. When the history is kept, its answers of the last 7 days count fully
// too and those from 8 to 30 days ago count half, so old mistakes fade as the reader improves; older
// answers do not count.
constexpr int FastMs = 2000;
constexpr int SlowMs = 8000;
constexpr double MissFactor = 4;
constexpr double SlowFactor = 2;
constexpr int RecentDays = 7;
constexpr int HistoryDays = 30;
constexpr double OlderHistoryShare = 0.5;

// 0 for an answer of FastMs or less, 1 for SlowMs or more, in proportion between.
double Slowness(int milliseconds);

// The weighted counts of one note's answers (weighted, so history can count half).
struct NoteTally {
    double Answers = 0;
    double Misses = 0;
    double Rights = 0;
    double SlowSum = 0;

    void Add(const AnswerRecord& record);
    void Add(const NoteTally& other, double share = 1);
};

// The tally of the figures of a span of time.
NoteTally TallyOf(const NoteFigures& figures);

double WeakWeight(const NoteTally& tally);

// History figures of the last RecentDays and of the last HistoryDays (which include the recent ones) made
// into one tally per note, older answers counting OlderHistoryShare.
// The same for any other way of grouping answers (by key signature, for one).
template <typename Key = NoteKey>
std::map<Key, NoteTally> BlendHistory(const std::map<Key, NoteFigures>& recent,
                                      const std::map<Key, NoteFigures>& month) {
    // month = recent + older, so recent + share * older = share * month + (1 - share) * recent.
    std::map<Key, NoteTally> blended;
    for (const auto& [key, figures] : month)
        blended[key].Add(TallyOf(figures), OlderHistoryShare);
    for (const auto& [key, figures] : recent)
        blended[key].Add(TallyOf(figures), 1 - OlderHistoryShare);
    return blended;
}

// The weights PickNote uses while weak notes are practised: this run's tallies (kept up to date by their
// owner, usually the AnswerLog) plus the history, when given.
class WeakNotes final : public NoteWeightSource {
public:
    WeakNotes(const QuizEngine& quiz, const std::map<NoteKey, NoteTally>& run);

    void SetHistory(std::map<NoteKey, NoteTally> history) { history_ = std::move(history); }
    double Weight(int row) const override;
    double WeightOf(const NoteKey& key) const;

private:
    const QuizEngine& quiz_;
    const std::map<NoteKey, NoteTally>& run_;
    std::map<NoteKey, NoteTally> history_;
};

} // namespace quavix
