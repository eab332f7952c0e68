#pragma once

namespace quavix {

class QuizEngine;

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

} // namespace quavix
