#pragma once

#include "MasteryModel.h"
#include "NoteItem.h"
#include "Random.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quavix {

// Chooses the next note so that the reader answers about TargetSuccess of the notes right: hard enough to
// learn from, easy enough to keep going (Klinkenberg et al. served their items at a chance of about 3 in
// 4 for the same reason).
//
// Among the candidates (the notes the level and range allow, in the order in which levels admit them):
//
// 1. The note just asked is left out, unless nothing else is left.
// 2. Notes never answered come in one at a time: the first of them in the candidates' order joins only while
//    fewer than MaxLearning answered notes are still being learned (chance now below FluentChance). Notes
//    that are due count as being learned, so reviews come before new notes.
// 3. Each note gets a weight for how much an answer to it would tell: p (1 − p) for its chance p of a right
//    answer now (most for a note at even odds, little for one always right or always wrong; at least
//    MinWeight, so no note that may come is ever left out), times 1 + K⁺ U for its rating's uncertainty U
//    (the same factor by which an uncertain rating moves faster, see Mastery.h: a note answered rarely or
//    long ago is worth asking), times DueBoost when its review is due.
// 4. Those weights are tilted towards easier or harder notes by e^{λp}, with λ chosen so that the expected
//    chance of a right answer, Σ w p / Σ w, equals the target. Of all ways to meet the target this strays
//    least from the weights of step 3 (in relative entropy). When even the hardest notes are easier than
//    the target (everything fluent), λ leans as far as it may towards the hardest, and when even the
//    easiest are harder, towards the easiest.
// 5. While the notes already answered stay too easy even so, the practice is idle: the newcomer of step 2,
//    if one may join, takes NewcomerShare of the pick. A reader who already knows every note meets them all
//    within a few quizzes, and a new note comes in whenever the known ones are fluent.
//
// A note that stands in several candidates (a guitar note on two strings) is one note: its weight is shared
// among them, so it comes no more often than any other.
class AdaptivePicker final {
public:
    static constexpr double DefaultTarget = 0.8;
    static constexpr int MaxLearning = 3;       // notes in learning at once before a new one joins
    static constexpr double FluentChance = 0.9; // a note this sure is no longer being learned
    static constexpr double DueBoost = 3;
    static constexpr double MinWeight = 0.02;
    static constexpr double MaxTilt = 12;         // |λ|: the strongest preference, e^{12} across the range
    static constexpr double NewcomerShare = 0.75; // a new note's share while everything known is too easy

    // The target is kept within 0.5 and 0.95: beyond those the practice is either a guessing game or idle.
    explicit AdaptivePicker(double targetSuccess = DefaultTarget);

    double TargetSuccess() const { return target_; }

    // Each candidate's share of the next pick (summing to 1; 0 for those left out); empty for no candidates.
    // previous is the index of the note just asked, or -1.
    std::vector<double> Shares(const MasteryModel& model, std::span<const NoteItem> candidates, int previous,
                               std::int64_t now) const;

    // The index of the next note among the candidates, drawn with RandomBelow; -1 when there are none.
    int Pick(const MasteryModel& model, std::span<const NoteItem> candidates, int previous, std::int64_t now,
             RandomSource& random) const;

private:
    double target_;
};

// The λ of step 4 for given weights and chances: Σ w e^{λp} p / Σ w e^{λp} = target, within ±MaxTilt.
double TiltFor(std::span<const double> weights, std::span<const double> chances, double target);

} // namespace quavix
