#include "QuizLength.h"

#include "QuizEngine.h"

#include <cmath>

namespace quavix {

namespace {
constexpr int FirstNoteX = 54;
constexpr int Walk = 190; // from the first note's x to the last one's
} // namespace

int NotesInLap(int length) {
    return length > 0 ? length : NotesPerQuiz;
}

int NoteXFor(int length, int notesLeft) {
    const int lap = NotesInLap(length);
    if (lap <= 1)
        return FirstNoteX;
    // The note's place in its walk, 0 for the first; -1 before a quiz's first note, which is only erased.
    const int place = lap - 1 - notesLeft;
    return FirstNoteX + static_cast<int>(std::lround(double(Walk) * place / (lap - 1)));
}

int MaxScoreFor(int length) {
    return length > 0 ? length * PointsCap : 0;
}

std::string MaxScoreCaption(int length) {
    return length > 0 ? std::to_string(MaxScoreFor(length)) : std::string("\u221E");
}

int ComparableScore(int score, int length, int asked) {
    const int measure = length > 0 ? length : asked;
    if (measure <= 0 || measure == NotesPerQuiz)
        return score;
    return static_cast<int>(std::lround(double(score) * NotesPerQuiz / measure));
}

} // namespace quavix
