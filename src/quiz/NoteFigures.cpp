#include "NoteFigures.h"

#include "WeakNotes.h"

#include <algorithm>
#include <map>

namespace quavix {

int MedianMs(std::vector<int> times) {
    if (times.empty())
        return 0;
    const std::size_t half = times.size() / 2;
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(half), times.end());
    const int upper = times[half];
    if (times.size() % 2 == 1)
        return upper;
    const int lower = *std::max_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(half));
    return static_cast<int>((static_cast<std::int64_t>(lower) + upper) / 2);
}

std::vector<NoteFigures> SummariseByNote(std::span<const AnswerRecord> answers) {
    std::map<NoteKey, NoteFigures> figures;
    std::map<NoteKey, std::vector<int>> times;
    for (const AnswerRecord& answer : answers) {
        NoteFigures& note = figures[answer.Key()];
        note.Key = answer.Key();
        ++note.Asked;
        switch (answer.Result) {
        case Outcome::Right:
            ++note.Right;
            note.SlowSum += Slowness(answer.Milliseconds);
            break;
        case Outcome::Wrong:
            ++note.Wrong;
            break;
        case Outcome::TimedOut:
            ++note.TimedOut;
            break;
        }
        times[answer.Key()].push_back(answer.Milliseconds);
    }
    std::vector<NoteFigures> result;
    result.reserve(figures.size());
    for (auto& [key, note] : figures) {
        note.MedianMs = MedianMs(std::move(times[key]));
        result.push_back(note);
    }
    std::sort(result.begin(), result.end(), WeakestFirst);
    return result;
}

bool WeakestFirst(const NoteFigures& a, const NoteFigures& b) {
    // Compared as Right * other's Asked, so equal fractions compare equal without rounding.
    const long long left = static_cast<long long>(a.Right) * b.Asked;
    const long long right = static_cast<long long>(b.Right) * a.Asked;
    if (left != right)
        return left < right;
    if (a.MedianMs != b.MedianMs)
        return a.MedianMs > b.MedianMs;
    if (a.Asked != b.Asked)
        return a.Asked > b.Asked;
    return b.Key < a.Key;
}

} // namespace quavix
