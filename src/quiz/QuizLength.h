#pragma once

#include <cstdint>
#include <string>

namespace quavix {

// How a quiz of another length than the usual 20 notes is laid out and scored, so that the usual quiz looks
// exactly as it always has:
//
// - The notes walk from x = 54 to x = 244 across the staff, the first at the left, the last at the right:
//   note k of L stands at 54 + round(190 (k − 1) / (L − 1)), 10 pixels apart for 20 notes, 21 for 10 and
//   about 4 for 50. A quiz that runs until it is stopped walks in laps of 20, as the usual quiz does.
// - Each note is worth up to 10 points, so the best score is 10 L; an endless quiz has none.
// - The score's colour shows the same achievement at every length: a score counts as the one it would be
//   in a 20-note quiz (in an endless quiz, at the pace of the notes asked so far).

// Notes in one walk across the staff: the whole quiz, or a lap of 20 for an endless one.
int NotesInLap(int length);

// The x of the note asked with notesLeft notes still to come in its walk (the engine's NotesLeft).
int NoteXFor(int length, int notesLeft);

// The best score of a quiz, 0 for an endless one.
int MaxScoreFor(int length);

// What the score caption of the best score shows: "200", or "∞" (in UTF-8) for an endless quiz.
std::string MaxScoreCaption(int length);

// The score as it would stand in a quiz of 20 notes, for its colour; asked is the number of notes asked so
// far, which an endless quiz is measured against.
int ComparableScore(int score, int length, int asked);

} // namespace quavix
