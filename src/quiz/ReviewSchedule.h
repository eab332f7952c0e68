#pragma once

namespace quavix {

// When a note should come back so that it is not forgotten: a stability and retrievability model in the
// manner of FSRS. Each note's memory has a stability S, in days; t days after its last answer the chance
// that the reader still recalls it is the power forgetting curve of FSRS version 4,
//
//     R(t) = 1 / (1 + t / (9 S)),
//
// so R is 0.9 exactly S days on, and that is when the note is due. An answer changes S:
//
//   right:  S ← S (1 + G g S^−c (e^{1−R} − 1)),  g = 1/2 + the answer's score (1/2 at the time limit, 3/2
//           instantly): the spacing effect. A note recalled when it was about to be forgotten (R low)
//           gains much; one recalled a minute after the last time (R ≈ 1) gains almost nothing, so
//           drilling one note twenty times in a session does not push its review weeks away. Stable
//           memories grow more slowly (S^−c).
//   wrong or timed out:  S ← min(S, L S^l): a lapse brings the note back soon, but a memory that lasted
//           long keeps more of it than a fresh one.
//
// A note's first answer sets S: FirstDays × g when right, the shortest stability when not.
//
// Why this and not Leitner boxes: the picker needs a chance of a right answer now, and R gives one that
// falls smoothly as days pass, so a note half forgotten weighs in as a harder note, and one overdue by
// weeks comes before one due today. Boxes give a date and nothing between dates. Boxes also need a rule
// for the many answers one note gets in one sitting (which of them may move it up?), where R ≈ 1 makes
// that question answer itself. FSRS proper fits about twenty weights to millions of flash-card reviews
// graded by four buttons; no such data exists for reading notes, so only its shape is used here, with a
// few constants of our own and the answer's speed as its grade.
//
// Everything is a function of the stored numbers and the time given, so a schedule can be kept as rows and
// rebuilt from the answers alone.
constexpr double SecondsPerDay = 86400;
constexpr double RetentionAtDue = 0.9;
constexpr double ShortestStabilityDays = 0.1; // 2.4 hours: a note that keeps failing comes back next sitting
constexpr double LongestStabilityDays = 3650;
constexpr double FirstStabilityDays = 1; // a first right answer brings the note back in 1/2 to 3/2 days
constexpr double StabilityGrowth = 14.6; // G: a fast right answer when due (score 0.8) triples S = 1
constexpr double GrowthDamping = 0.2;    // c
constexpr double LapseShare = 0.5;       // L
constexpr double LapsePower = 0.7;       // l

// R after elapsedDays for a stability; 1 for no stability yet or no time passed.
double Retrievability(double stabilityDays, double elapsedDays);

// S after a note's first answer, scored as AnswerScore does (a wrong answer scores below 0).
double FirstStability(double score);

// S after a later answer, elapsedDays after the one before.
double NextStability(double stabilityDays, double elapsedDays, double score);

} // namespace quavix
