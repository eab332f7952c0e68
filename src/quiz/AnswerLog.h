#pragma once

#include "AnswerRecord.h"
#include "QuizHooks.h"
#include "WeakNotes.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace quavix {

// Where the time of an answer comes from. Tests set it by hand.
class AnswerClock {
public:
    AnswerClock() = default;
    AnswerClock(const AnswerClock&) = delete;
    AnswerClock& operator=(const AnswerClock&) = delete;
    virtual ~AnswerClock() = default;

    // A clock that never jumps, for how long an answer took.
    virtual std::int64_t SteadyMs() = 0;
    // The calendar time, ms since 1970 UTC, for when it was given.
    virtual std::int64_t WallMs() = 0;
};

class SystemAnswerClock final : public AnswerClock {
public:
    std::int64_t SteadyMs() override;
    std::int64_t WallMs() override;
};

// Where each finished answer goes besides the log, such as the kept history.
class AnswerSink {
public:
    AnswerSink() = default;
    AnswerSink(const AnswerSink&) = delete;
    AnswerSink& operator=(const AnswerSink&) = delete;
    virtual ~AnswerSink() = default;

    virtual void Store(const AnswerRecord& record) = 0;
};

// Every answer of this run of the program, in memory: one record per note that was answered or ran out of
// time. A note left unanswered by End Quiz is not an answer and leaves no record.
class AnswerLog final : public AnswerObserver {
public:
    explicit AnswerLog(AnswerClock& clock);

    void SetSink(AnswerSink* sink) { sink_ = sink; }

    void QuizBegun(const QuizEngine& quiz) override;
    void NoteAsked(const QuizEngine& quiz) override;
    void NoteAnswered(const QuizEngine& quiz, int answerCode, bool right) override;
    void NoteTimedOut(const QuizEngine& quiz) override;
    void QuizEnded(const QuizEngine& quiz) override;

    const std::vector<AnswerRecord>& Answers() const { return answers_; }
    bool QuizOpen() const { return quizOpen_; }
    // Whether a quiz has ended since the program started, and the answers of the latest one to end.
    bool HasEndedQuiz() const { return lastQuizEnd_ >= 0; }
    std::span<const AnswerRecord> LastQuiz() const;
    // This run's answers summed up per note, for the weak-note weights.
    const std::map<NoteKey, NoteTally>& Tallies() const { return tallies_; }

private:
    void Add(const QuizEngine& quiz, Outcome result, int answerCode);

    AnswerClock& clock_;
    AnswerSink* sink_ = nullptr;
    std::vector<AnswerRecord> answers_;
    std::map<NoteKey, NoteTally> tallies_;
    bool quizOpen_ = false;
    bool noteOpen_ = false; // a note stands and has not been decided
    std::int64_t quizStartedMs_ = 0;
    std::int64_t askedAtMs_ = 0;
    std::ptrdiff_t quizBegin_ = 0; // index of the running or latest quiz's first answer
    std::ptrdiff_t lastQuizBegin_ = 0;
    std::ptrdiff_t lastQuizEnd_ = -1; // -1 until a quiz has ended
};

} // namespace quavix
