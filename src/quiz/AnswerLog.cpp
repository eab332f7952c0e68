#include "AnswerLog.h"

#include "QuizEngine.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace quavix {

std::int64_t SystemAnswerClock::SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t SystemAnswerClock::WallMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

AnswerLog::AnswerLog(AnswerClock& clock) : clock_(clock) {}

void AnswerLog::QuizBegun(const QuizEngine&) {
    quizOpen_ = true;
    noteOpen_ = false;
    quizStartedMs_ = clock_.WallMs();
    quizBegin_ = static_cast<std::ptrdiff_t>(answers_.size());
}

void AnswerLog::NoteAsked(const QuizEngine&) {
    noteOpen_ = quizOpen_;
    askedAtMs_ = clock_.SteadyMs();
}

void AnswerLog::NoteAnswered(const QuizEngine& quiz, int answerCode, bool right) {
    Add(quiz, right ? Outcome::Right : Outcome::Wrong, answerCode);
}

void AnswerLog::NoteTimedOut(const QuizEngine& quiz) {
    Add(quiz, Outcome::TimedOut, AnswerRecord::NoAnswer);
}

void AnswerLog::QuizEnded(const QuizEngine&) {
    // The engine ends a quiz also when none runs (closing the window, for one); that ends nothing here.
    if (!quizOpen_)
        return;
    quizOpen_ = false;
    noteOpen_ = false;
    lastQuizBegin_ = quizBegin_;
    lastQuizEnd_ = static_cast<std::ptrdiff_t>(answers_.size());
}

std::span<const AnswerRecord> AnswerLog::LastQuiz() const {
    if (lastQuizEnd_ < 0)
        return {};
    return std::span<const AnswerRecord>(answers_).subspan(
        static_cast<std::size_t>(lastQuizBegin_), static_cast<std::size_t>(lastQuizEnd_ - lastQuizBegin_));
}

void AnswerLog::Add(const QuizEngine& quiz, Outcome result, int answerCode) {
    // Only the first decision about a note counts; the engine takes no second one, but a record must not
    // depend on that.
    if (!noteOpen_)
        return;
    noteOpen_ = false;
    const int row = quiz.State.CurrentNote;
    AnswerRecord record;
    record.QuizStartedMs = quizStartedMs_;
    record.AnsweredMs = clock_.WallMs();
    record.InputMode = quiz.CurrentSettings().InputMode;
    record.Row = row;
    record.Step = quiz.Table[static_cast<std::size_t>(std::clamp(row, 0, NoteTableRows - 1))].Step;
    record.Staff = quiz.Table[static_cast<std::size_t>(std::clamp(row, 0, NoteTableRows - 1))].Clef;
    record.Result = result;
    record.Answered = answerCode;
    const std::int64_t took = std::max<std::int64_t>(0, clock_.SteadyMs() - askedAtMs_);
    record.Milliseconds =
        static_cast<std::int32_t>(std::min<std::int64_t>(took, std::numeric_limits<std::int32_t>::max()));
    record.Alteration = static_cast<std::int8_t>(quiz.State.Alteration);
    if (quiz.CurrentSettings().Accidentals == InKey)
        record.KeySignature = static_cast<std::int8_t>(quiz.State.Key);
    answers_.push_back(record);
    tallies_[record.Key()].Add(record);
    if (sink_)
        sink_->Store(record);
}

} // namespace quavix
