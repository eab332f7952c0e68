#pragma once

#include "AnswerRecord.h"

#include <span>
#include <vector>

namespace quavix {

// How one note went over some answers: the counts of each outcome, the median time of all of them, and the
// sum of the slowness (see Slowness) of the right ones, from which the weak-note weights are made.
struct NoteFigures {
    NoteKey Key;
    int Asked = 0;
    int Right = 0;
    int Wrong = 0;
    int TimedOut = 0;
    int MedianMs = 0;
    double SlowSum = 0;

    int Missed() const { return Wrong + TimedOut; }
    // Right answers per answer, 0 to 1; 0 when the note was never asked.
    double Accuracy() const { return Asked > 0 ? static_cast<double>(Right) / Asked : 0.0; }
};

// The median of integer times; of an even count, the mean of the middle two rounded down.
int MedianMs(std::vector<int> times);

// Figures per note over the given answers, weakest first (see WeakestFirst).
std::vector<NoteFigures> SummariseByNote(std::span<const AnswerRecord> answers);

// The order of the results chart: the lowest accuracy first, among equal accuracy the slowest median first,
// then the most answers, then the higher note.
bool WeakestFirst(const NoteFigures& a, const NoteFigures& b);

} // namespace quavix
