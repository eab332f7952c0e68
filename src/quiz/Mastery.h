#pragma once

#include <cstdint>

namespace quavix {

// How fluently the reader reads a note, estimated after every answer from whether it was right and how long
// it took: an Elo-style rating after Klinkenberg, Straatemeier and van der Maas, "Computer adaptive practice
// of Maths ability using a new item response model for on the fly ability and difficulty estimation",
// Computers & Education 57 (2011) 1813-1824.
//
// The reader has an ability θ, each note a difficulty β, and their difference δ = θ − β decides how the
// reader answers that note. After an answer with score S, where E(δ) is the score the ratings expect:
//
//     θ ← θ + K_θ (S − E(δ)),     β ← β − K_β (S − E(δ)).
//
// The score. Their "high speed, high stakes" rule scores an answer given t seconds into a time limit d as
// S = (2x − 1)(a·d − a·t), with x = 1 for right and 0 for wrong and a = 1/d: a fast right answer scores
// nearly 1, a right one at the limit 0, a fast wrong one nearly −1 (our own points, the seconds left, have
// the same shape). We keep it for right answers, S = 1 − t/d with d the 12 s countdown, but score every
// wrong answer and every time-out −1 however long it took. Their rule rewards waiting over guessing, which
// suits a trainer with an "I don't know" button; here letting a note run out means it was not read, and
// with their rule a slow wrong answer would even raise a weak reader's rating (its score, near 0, lies
// above what a reader who mostly fails is expected to score). So a wrong answer always lowers the rating,
// and a right one counts the more the faster it came.
//
// The expectation. Their response model gives the score s of an answer in [−1, 1] the density ∝ e^{δs}: a
// reader far above a note answers right and fast, far below it wrong and fast. The chance of a right answer
// is then P(s > 0) = 1 / (1 + e^{−δ}), the logistic (Rasch) curve, and our score has the expectation
//
//     E(δ) = ∫₀¹ s e^{δs} ds / ∫₋₁¹ e^{δs} ds − P(wrong) = (δ − 1 + e^{−δ}) / (δ (1 − e^{−2δ})) − 1 / (1 +
//     e^δ),
//
// rising from −1 to 1 (−1/4 at δ = 0). The updates settle where the ratings predict the answers: answers
// better than expected push δ up, worse ones down.
//
// The step. Their K shrinks as a rating grows certain. Each rating carries an uncertainty U from 0 to 1
// that falls by a fixed share with each of its answers and grows with the days since its last one, and
//
//     K_θ = K (1 + K⁺ U_θ − K⁻ U_β),     K_β = K (1 + K⁺ U_β − K⁻ U_θ):
//
// an uncertain rating moves fast and moves the other one less, since it says little about it. They rated
// thousands of children on hundreds of items; one reader meets each of a few dozen notes far less often, so
// the constants below are ours, set with the simulated learner of bench/bench_mastery.cpp.
//
// Ratings stay within ±MaxRating and every input is made safe first, so no sequence of answers, however
// long or odd, can carry a rating out of range or to a NaN.
constexpr double TimeLimitMs = 12000;             // the countdown: a right answer after it scores 0
constexpr double MaxRating = 6;                   // |θ|, |β|; at δ = 12 a right answer is 99.9994 % sure
constexpr double BaseStep = 0.1;                  // K
constexpr double OwnUncertaintyGain = 4;          // K⁺
constexpr double OtherUncertaintyDamping = 0.5;   // K⁻
constexpr double UncertaintyPerAnswer = 1.0 / 10; // each answer makes its ratings this much surer
constexpr double UncertaintyDays = 30;            // a month without answers makes a rating wholly unsure

struct Rating {
    double Value = 0;       // θ for the reader, β for a note; a note never answered stands at 0
    double Uncertainty = 1; // U, from 0 (settled) to 1 (nothing known)

    friend bool operator==(const Rating&, const Rating&) = default;
};

// S for an answer: 1 − t/d for a right one (t within 0 and d), −1 for a wrong one or a time-out.
double AnswerScore(bool right, std::int64_t milliseconds);

// E(δ), the score a reader δ above a note is expected to make.
double ExpectedScore(double delta);

// The chance of a right answer, 1 / (1 + e^{−δ}).
double ChanceRight(double delta);

// One answer's updates of the reader's ability and the note's difficulty, with their uncertainties.
void RateAnswer(Rating& ability, Rating& difficulty, double score);

// A rating left alone for some days grows less certain (negative or absurd spans count as none).
void AgeRating(Rating& rating, double days);

// Brings a rating into range; one that is no number at all starts again as unknown (and gives false).
bool MakeRatingSafe(Rating& rating);

} // namespace quavix
