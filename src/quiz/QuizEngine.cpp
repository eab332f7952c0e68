#include "QuizEngine.h"

#include <algorithm>
#include <array>

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

int KeyAnswerCode(int step, bool fullRange) {
    return fullRange ? step : FirstLetterCode + (step + 4) % 7;
}

int CounterTop(int seconds) {
    return 91 - (seconds * 56) / 12;
}

QuizEngine::QuizEngine(QuizFrontEnd& frontEnd, RandomSource& random, const Settings& settings)
    : frontEnd_(frontEnd), random_(random), settings_(settings) {}

int QuizEngine::PoolSizeFor(int level, std::uint8_t inputMode) {
    if (inputMode == GuitarFrets)
        return level <= 6 ? 3 * level : 2 * level + 6;
    return 2 * level + 2;
}

void QuizEngine::BuildNoteTable() {
    quavix::BuildNoteTable(Table, settings_.InputMode);
}

bool QuizEngine::SetLevel(int level) {
    if (level < MinLevel || level > MaxLevel)
        return false;
    State.Level = level;
    frontEnd_.SetLevelSlider(level);
    return true;
}

void QuizEngine::BeginQuiz() {
    // A message left over from an ended quiz must not hold up or move on the new one.
    if (messageSerial_ != 0 || frontEnd_.PopUpShowing()) {
        messageSerial_ = 0;
        frontEnd_.RemoveNoteMessage();
    }
    ++quizSerial_;

    State.PoolSize = PoolSizeFor(State.Level, settings_.InputMode);
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
    frontEnd_.EraseNote();
    frontEnd_.ReleasePressedKey();
    frontEnd_.ApplyCommandStates(CommandStatesFor(false, settings_.InputMode));
    State.Running = false;
    StopCountdown();
    ShowCountdown(-1);
    if (observer_)
        observer_->QuizEnded(*this);
}

void QuizEngine::NextNote() {
    frontEnd_.EraseNote();
    if (State.NotesLeft <= 0) {
        EndQuiz();
        return;
    }
    --State.NotesLeft;
    ShowCountdown(CountdownStart);
    PickNote();
    frontEnd_.DrawNote();
    StartCountdown();
    if (observer_)
        observer_->NoteAsked(*this);
}

bool QuizEngine::Allowed(int row) const {
    if (settings_.InputMode == GuitarFrets || settings_.StaffChoice == AllStaves)
        return true;
    // Even rows are written on the treble staff, odd rows on the bass staff.
    return (row % 2 == 0) == (settings_.StaffChoice == TrebleStaff);
}

void QuizEngine::PickNote() {
    // Uniform over the rows the staff choice allows, leaving out the row just asked except in the smallest
    // pool. Counting the candidates first means a pool without a choice can never loop.
    const int pool = std::clamp(State.PoolSize, 0, NoteTableRows);
    const bool repeatAllowed = settings_.InputMode != GuitarFrets && State.PoolSize == 4;
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

void QuizEngine::JudgeAnswer(int answerCode) {
    if (!State.Running || frontEnd_.PopUpShowing())
        return;
    const NoteEntry& note = Table[State.CurrentNote];
    bool right = false;
    NoteMessage message{NoteMessage::Kind::WrongNote, 0, note.Letter};
    if (answerCode >= 0 && answerCode <= LastStepCode) {
        right = answerCode == note.Step;
        if (!right) {
            const int distance = note.Step > answerCode ? note.Step - answerCode : answerCode - note.Step;
            if (distance % 7 == 0)
                message.What = NoteMessage::Kind::WrongOctave;
            else
                message.Picked = StepLetter(answerCode);
        }
    } else if (answerCode >= FirstLetterCode && answerCode <= LastLetterCode) {
        message.Picked = NoteLetter(answerCode - FirstLetterCode);
        right = message.Picked == note.Letter;
    } else {
        return;
    }
    if (observer_)
        observer_->NoteAnswered(*this, answerCode, right);

    if (right) {
        State.Score += std::clamp(State.SecondsLeft, 0, PointsCap);
        frontEnd_.SetScoreCaption(std::to_string(State.Score));
        ShowScoreColour();
        NextNote();
    } else {
        StopCountdown();
        ShowMessage(message);
    }
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
    if (settings_.RichColour)
        frontEnd_.SetScoreColour(ScoreColour(State.Score));
}

void QuizEngine::FormKeyPress(char typed) {
    if (typed == '+' || typed == '-') {
        if (!State.Running)
            SetLevel(State.Level + (typed == '+' ? 1 : -1));
        return;
    }
    if (!State.Running)
        return;
    // Each naming has its own keys; a key that names no note in it is no answer at all.
    if (const char letter = LetterForKey(typed, settings_.NoteNaming))
        JudgeAnswer(letter - 'A' + FirstLetterCode);
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
    frontEnd_.ShowNoteMessage(message);
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
