#include "QuizEngine.h"

#include "StaffPlan.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace quavix {

namespace {
constexpr int NoteXRight = 244; // x of the twentieth note
constexpr int NoteSpacing = 10;
} // namespace

std::uint32_t ScoreColour(int score) {
    if (score <= 0)
        return 0x282828;
    if (score >= MaxScore)
        return 0xFF2828;
    return 0x002828 + static_cast<std::uint32_t>(score + 40) * 0x10000;
}

int CounterTop(int seconds) {
    return 91 - (seconds * 56) / 12;
}

QuizEngine::QuizEngine(QuizFrontEnd& frontEnd, RandomSource& random, const Settings& settings)
    : frontEnd_(frontEnd), random_(random), settings_(settings) {}

int QuizEngine::PoolSizeFor(int level, InputModes inputMode) {
    if (inputMode == GuitarFrets)
        return level <= 6 ? 3 * level : 2 * level + 6;
    return 2 * level + 2;
}

void QuizEngine::BuildNoteTable() {
    if (UsesClefSet(settings_)) {
        clefPools_ = BuildClefTable(Table, settings_);
        return;
    }
    quavix::BuildNoteTable(Table, settings_.InputMode);
    if (settings_.InputMode == GuitarFrets && settings_.OctaveTreble)
        for (NoteEntry& entry : Table)
            entry.Clef = OctaveTrebleClef;
}

void QuizEngine::BeginQuiz() {
    // A message left over from an ended quiz must not hold up or move on the new one.
    if (messageSerial_ != 0 || frontEnd_.PopUpShowing()) {
        messageSerial_ = 0;
        frontEnd_.RemoveNoteMessage();
    }
    ++quizSerial_;

    if (UsesClefSet(settings_))
        BuildNoteTable(); // the clef set follows its settings, whoever built the table last
    State.PoolSize = UsesClefSet(settings_) ? clefPools_[static_cast<std::size_t>(settings_.Level)]
                                            : PoolSizeFor(settings_.Level, settings_.InputMode);
    State.SecondsLeft = CountdownStart;
    frontEnd_.EnableAnswerControl();
    frontEnd_.ApplyCommandStates(CommandStatesFor(true, settings_.InputMode));
    State.Running = true;
    State.NotesLeft = NotesPerQuiz;
    State.Score = 0;
    ShowScoreColour();
    frontEnd_.SetScoreCaption("0");
    State.PreviousNote = -1;
    if (observer_)
        observer_->QuizBegun(*this);
    NextNote();
}

void QuizEngine::EndQuiz() {
    frontEnd_.EraseNote(NoteX());
    frontEnd_.ReleasePressedKey();
    frontEnd_.ApplyCommandStates(CommandStatesFor(false, settings_.InputMode));
    State.Running = false;
    StopCountdown();
    ShowCountdown(-1);
    if (observer_)
        observer_->QuizEnded(*this);
}

void QuizEngine::NextNote() {
    frontEnd_.EraseNote(NoteX());
    if (State.NotesLeft <= 0) {
        EndQuiz();
        return;
    }
    --State.NotesLeft;
    ShowCountdown(CountdownStart);
    PickNote();
    frontEnd_.DrawNote(Table[State.CurrentNote], NoteX());
    StartCountdown();
    if (observer_)
        observer_->NoteAsked(*this);
}

bool QuizEngine::Allowed(int row) const {
    // The clef set holds only the staves asked.
    if (settings_.InputMode == GuitarFrets || settings_.StaffChoice == AllStaves || UsesClefSet(settings_))
        return true;
    // Even rows are written on the treble staff, odd rows on the bass staff.
    return (row % 2 == 0) == (settings_.StaffChoice == TrebleStaff);
}

void QuizEngine::PickNote() {
    // Uniform over the rows the staff choice allows, leaving out the row just asked except in the smallest
    // pool. Counting the candidates first means a pool without a choice can never loop.
    const int pool = std::clamp(State.PoolSize, 0, NoteTableRows);
    const bool repeatAllowed = UsesClefSet(settings_)
                                   ? State.PoolSize <= 2
                                   : settings_.InputMode != GuitarFrets && State.PoolSize == 4;
    if (weights_ && PickWeighted(pool, repeatAllowed))
        return;
    auto candidate = [&](int row) { return Allowed(row) && (repeatAllowed || row != State.PreviousNote); };

    int candidates = 0;
    for (int row = 0; row < pool; ++row)
        candidates += candidate(row) ? 1 : 0;
    if (candidates == 0)
        return;

    int wanted = random_.RandomBelow(candidates);
    for (int row = 0; row < pool; ++row) {
        if (candidate(row) && wanted-- == 0) {
            State.CurrentNote = row;
            State.PreviousNote = row;
            return;
        }
    }
}

bool QuizEngine::PickWeighted(int pool, bool repeatAllowed) {
    // Each candidate row gets tickets in proportion to its weight, at least one. When every candidate holds
    // as many as the others the caller's uniform draw runs instead, so equal weights ask just what no
    // weights ask.
    constexpr double TicketsPerWeight = 1000;
    constexpr double MaxWeight = 1000;
    std::array<int, NoteTableRows> tickets{};
    int total = 0;
    int first = 0;
    bool uniform = true;
    for (int row = 0; row < pool; ++row) {
        if (!Allowed(row) || (!repeatAllowed && row == State.PreviousNote))
            continue;
        const double weight = weights_->Weight(row);
        const double bounded = weight > 0 ? std::min(weight, MaxWeight) : 0; // NaN or not positive: smallest
        tickets[row] = std::max(1, static_cast<int>(bounded * TicketsPerWeight + 0.5));
        if (total == 0)
            first = tickets[row];
        uniform = uniform && tickets[row] == first;
        total += tickets[row];
    }
    if (total == 0 || uniform)
        return false;

    int wanted = random_.RandomBelow(total);
    for (int row = 0; row < pool; ++row) {
        if (wanted < tickets[row]) {
            State.CurrentNote = row;
            State.PreviousNote = row;
            return true;
        }
        wanted -= tickets[row];
    }
    return false;
}

AnswerResult QuizEngine::TakeAnswer(const Answer& answer) {
    AnswerResult result;
    if (!State.Running)
        return result;
    if (frontEnd_.AnswersHeld()) {
        result.Why = IgnoredBecause::AnswersHeld;
        return result;
    }
    const NoteEntry& note = Table[State.CurrentNote];
    result.AskedStep = note.Step;
    if (frontEnd_.PopUpShowing()) {
        // The countdown stands at -1 only once the note's time has run out.
        if (State.SecondsLeft < 0) {
            result.What = Verdict::TooLate;
            result.Why = IgnoredBecause::Nothing;
        } else {
            result.Why = IgnoredBecause::MessageShowing;
        }
        return result;
    }
    NoteMessage message{NoteMessage::Kind::WrongNote, 0, note.Letter};
    result = Judge(answer, message);
    if (!result.Judged())
        return result;
    if (observer_)
        observer_->NoteAnswered(*this, result.Code, result.What == Verdict::Right);

    if (result.What == Verdict::Right) {
        State.Score += std::clamp(State.SecondsLeft, 0, PointsCap);
        frontEnd_.SetScoreCaption(std::to_string(State.Score));
        ShowScoreColour();
        NextNote();
    } else {
        StopCountdown();
        ShowMessage(message);
    }
    frontEnd_.AnswerJudged(answer, result);
    return result;
}

AnswerResult QuizEngine::Judge(const Answer& answer, NoteMessage& message) const {
    const NoteEntry& note = Table[State.CurrentNote];
    AnswerResult result{Verdict::Ignored, IgnoredBecause::NotANote, note.Step, -1};
    std::optional<int> exactStep; // the key's step, where its octave counts
    if (answer.What == Answer::Kind::NamedNote) {
        if (answer.Letter < 'A' || answer.Letter > 'G')
            return result;
        message.Picked = answer.Letter;
    } else {
        KeyReading key = ReadKey(answer.Key, settings_.InputMode, settings_.FullRange);
        if (key.Problem == IgnoredBecause::OutsideNotes && WithinClefSet(key.Step))
            key.Problem = IgnoredBecause::Nothing;
        if (key.Problem != IgnoredBecause::Nothing) {
            result.Why = key.Problem;
            return result;
        }
        // A letter is the same in every octave, also below the lowest note asked.
        message.Picked = StepLetter(((key.Step % 7) + 7) % 7);
        if (key.Exact)
            exactStep = key.Step;
    }
    result.Why = IgnoredBecause::Nothing;
    if (exactStep) {
        result.Code = *exactStep;
        const int distance = std::abs(note.Step - *exactStep);
        result.What = distance == 0       ? Verdict::Right
                      : distance % 7 == 0 ? Verdict::WrongOctave
                                          : Verdict::WrongNote;
    } else {
        result.Code = FirstLetterCode + (message.Picked - 'A');
        result.What = message.Picked == note.Letter ? Verdict::Right : Verdict::WrongNote;
    }
    if (result.What == Verdict::WrongOctave)
        message.What = NoteMessage::Kind::WrongOctave;
    return result;
}

bool QuizEngine::WithinClefSet(int step) const {
    // A range of the user's may reach past the keys the piano judges otherwise; keys up to an octave
    // beyond it still answer, so that a wrong octave is told as one.
    if (!UsesClefSet(settings_) || step < 0 || step > LastStepCode) // answer codes name no other step
        return false;
    const int rows = std::clamp(clefPools_[MaxLevel], 0, NoteTableRows);
    for (int row = 0; row < rows; ++row)
        if (std::abs(Table[static_cast<std::size_t>(row)].Step - step) <= 7)
            return true;
    return false;
}

void QuizEngine::tmrCountTimer() {
    if (!countdownRunning_)
        return;
    ShowCountdown(State.SecondsLeft - 1);
    if (State.SecondsLeft < 0) {
        StopCountdown();
        if (observer_)
            observer_->NoteTimedOut(*this);
        ShowMessage({NoteMessage::Kind::OutOfTime, 0, Table[State.CurrentNote].Letter});
    }
}

void QuizEngine::ShowCountdown(int seconds) {
    State.SecondsLeft = seconds;
    frontEnd_.ShowCounter(seconds >= 0, std::to_string(seconds), CounterTop(seconds));
}

void QuizEngine::ShowScoreColour() {
    frontEnd_.SetScoreColour(ScoreColour(State.Score));
}

int QuizEngine::NoteX() const {
    return NoteXRight - NoteSpacing * State.NotesLeft;
}

void QuizEngine::NoteMessageExpired() {
    const bool ownMessage = messageSerial_ != 0 && messageSerial_ == quizSerial_ && State.Running;
    messageSerial_ = 0;
    if (ownMessage)
        NextNote();
}

void QuizEngine::ShowMessage(const NoteMessage& message) {
    messageSerial_ = quizSerial_;
    frontEnd_.ShowNoteMessage(message, Table[State.CurrentNote], NoteX());
}

void QuizEngine::StartCountdown() {
    countdownRunning_ = true;
    frontEnd_.StartCountTimer();
}

void QuizEngine::StopCountdown() {
    countdownRunning_ = false;
    frontEnd_.StopCountTimer();
}

} // namespace quavix
