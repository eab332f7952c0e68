#pragma once

#include <span>

namespace quavix {

class QuizEngine;
class RandomSource;

// Hears the moments of a quiz that a record of answers needs. The engine runs exactly the same with or
// without one; it only reports.
class AnswerObserver {
public:
    AnswerObserver() = default;
    AnswerObserver(const AnswerObserver&) = delete;
    AnswerObserver& operator=(const AnswerObserver&) = delete;
    virtual ~AnswerObserver() = default;

    virtual void QuizBegun(const QuizEngine& quiz) = 0;
    // A new note stands on the staff (State.CurrentNote).
    virtual void NoteAsked(const QuizEngine& quiz) = 0;
    // The answer that decided the current note; the engine has not moved on yet.
    virtual void NoteAnswered(const QuizEngine& quiz, int answerCode, bool right) = 0;
    virtual void NoteTimedOut(const QuizEngine& quiz) = 0;
    // Every EndQuiz, also one that finds no quiz running.
    virtual void QuizEnded(const QuizEngine& quiz) = 0;
};

// How strongly PickNote should favour each row. Weights are relative; the engine treats anything not a
// positive number as the smallest weight, so no allowed row is ever left out.
class NoteWeightSource {
public:
    NoteWeightSource() = default;
    NoteWeightSource(const NoteWeightSource&) = delete;
    NoteWeightSource& operator=(const NoteWeightSource&) = delete;
    virtual ~NoteWeightSource() = default;

    virtual double Weight(int row) const = 0;
};

// Chooses the next note in place of the engine's own draw. rows are the rows the level and the staff choice
// allow, in their order (never empty); previous is the row just asked, or -1 at the start of a quiz. Keeping
// the note just asked from coming again is the chooser's part, since it knows which rows are the same note.
// random is the engine's source of chance, so a fixed source fixes the notes asked. A row that is not among
// rows counts as no choice: the engine then draws as it would without one.
class NoteChooser {
public:
    NoteChooser() = default;
    NoteChooser(const NoteChooser&) = delete;
    NoteChooser& operator=(const NoteChooser&) = delete;
    virtual ~NoteChooser() = default;

    virtual int ChooseRow(const QuizEngine& quiz, std::span<const int> rows, int previous,
                          RandomSource& random) = 0;
};

} // namespace quavix
