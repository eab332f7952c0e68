#include "QuizEngine.h"

#include "MidiNotes.h"
#include "NoteSpelling.h"
#include "QuizLength.h"
#include "StaffPlan.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace quavix {

int LetterCode(char letter, int alteration) {
    return FirstLetterCode + (letter - 'A') + LetterCodesPerSign * alteration;
}

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
    length_ = settings_.QuizLength;
    asked_ = 0;
    State.NotesLeft = NotesInLap(length_);
    State.Score = 0;
    ShowScoreColour();
    frontEnd_.SetScoreCaption("0");
    State.PreviousNote = -1;
    State.Key = KeyForQuiz(settings_, random_);
    if (settings_.Accidentals == InKey)
        frontEnd_.ShowKey(State.Key);
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
    if (State.NotesLeft <= 0 && length_ == UntilStopped)
        State.NotesLeft = NotesInLap(length_); // an endless quiz goes on with the next lap
    if (State.NotesLeft <= 0) {
        EndQuiz();
        return;
    }
    --State.NotesLeft;
    ++asked_;
    ShowCountdown(CountdownStart);
    PickNote();
    const Spelling spelling = SpellNote(Table[State.CurrentNote], settings_, State.Key, random_);
    State.Alteration = spelling.Alteration;
    State.Sign = spelling.Sign;
    frontEnd_.DrawNote(AskedNote(), NoteX());
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
    if (chooser_ && PickChosen(pool))
        return;
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

bool QuizEngine::PickChosen(int pool) {
    std::array<int, NoteTableRows> rows{};
    std::size_t count = 0;
    for (int row = 0; row < pool; ++row)
        if (Allowed(row))
            rows[count++] = row;
    if (count == 0)
        return false;
    const std::span<const int> allowed(rows.data(), count);
    const int chosen = chooser_->ChooseRow(*this, allowed, State.PreviousNote, random_);
    if (std::find(allowed.begin(), allowed.end(), chosen) == allowed.end())
        return false;
    State.CurrentNote = chosen;
    State.PreviousNote = chosen;
    return true;
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
    NoteMessage message{NoteMessage::Kind::WrongNote, 0, note.Letter, 0,
                        static_cast<signed char>(State.Alteration)};
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
        if (answer.Letter < 'A' || answer.Letter > 'G' || answer.Alteration < -1 || answer.Alteration > 1)
            return result;
        message.Picked = answer.Letter;
        message.PickedAlteration = answer.Alteration;
    } else {
        const bool blackKeys = settings_.Accidentals != NaturalsOnly;
        KeyReading key = ReadKey(answer.Key, settings_.InputMode, settings_.FullRange, blackKeys);
        if (key.Problem == IgnoredBecause::OutsideNotes && WithinClefSet(answer.Key))
            key.Problem = IgnoredBecause::Nothing;
        if (key.Problem != IgnoredBecause::Nothing) {
            result.Why = key.Problem;
            return result;
        }
        if (blackKeys)
            return JudgePitch(answer.Key, key.Exact, message);
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
        result.Code = LetterCode(message.Picked, message.PickedAlteration);
        const bool right = message.Picked == note.Letter && message.PickedAlteration == State.Alteration;
        result.What = right ? Verdict::Right : Verdict::WrongNote;
    }
    if (result.What == Verdict::WrongOctave)
        message.What = NoteMessage::Kind::WrongOctave;
    return result;
}

int QuizEngine::ClefSetRows() const {
    return UsesClefSet(settings_) ? std::clamp(clefPools_[MaxLevel], 0, NoteTableRows) : 0;
}

bool QuizEngine::WithinClefSet(int key) const {
    // A range of the user's may reach past the keys the piano judges otherwise; keys up to an octave
    // beyond it still answer, so that a wrong octave is told as one. A black key goes with the white
    // key below it, or above it below the lowest step (E flat 2).
    int step = WhiteKeyStep(key).value_or(WhiteKeyStep(key - 1).value_or(-1));
    if (step < 0 && !WhiteKeyStep(key))
        step = WhiteKeyStep(key + 1).value_or(-1);
    if (!UsesClefSet(settings_) || step < 0 || step > LastStepCode) // answer codes name no other step
        return false;
    const int rows = std::clamp(clefPools_[MaxLevel], 0, NoteTableRows);
    for (int row = 0; row < rows; ++row)
        if (std::abs(Table[static_cast<std::size_t>(row)].Step - step) <= 7)
            return true;
    return false;
}

AnswerResult QuizEngine::JudgePitch(int key, bool exact, NoteMessage& message) const {
    // A key is right when it sounds the written note, however the note is spelled: F sharp and G flat are
    // one key.
    const NoteEntry& note = Table[State.CurrentNote];
    const int asked = SpelledKey(note.Step, State.Alteration);
    const int distance = key - asked;
    AnswerResult result{Verdict::WrongNote, IgnoredBecause::Nothing, note.Step, -1};
    if (distance % 12 == 0)
        result.What = !exact || distance == 0 ? Verdict::Right : Verdict::WrongOctave;
    const int pitchClass = ((key % 12) + 12) % 12;
    result.Code = exact ? FirstKeyCode + key : FirstPitchClassCode + pitchClass;
    if (result.What == Verdict::WrongOctave)
        message.What = NoteMessage::Kind::WrongOctave;
    if (distance % 12 == 0) {
        message.Picked = note.Letter;
        message.PickedAlteration = static_cast<signed char>(State.Alteration);
        return result;
    }
    // Another key: named as a white key, or for a black key with the sign the note asked or the key leans to.
    if (const std::optional<int> step = WhiteKeyStep(key)) {
        message.Picked = StepLetter(((*step % 7) + 7) % 7);
        message.PickedAlteration = 0;
        return result;
    }
    const bool flat = State.Alteration < 0 || (State.Alteration == 0 && State.Key < 0);
    const int white = key + (flat ? 1 : -1);
    message.Picked = StepLetter(((WhiteKeyStep(white).value_or(0) % 7) + 7) % 7);
    message.PickedAlteration = flat ? -1 : 1;
    return result;
}

NoteEntry QuizEngine::AskedNote() const {
    NoteEntry note = Table[State.CurrentNote];
    note.Alteration = static_cast<std::int8_t>(State.Alteration);
    note.Sign = State.Sign;
    return note;
}

void QuizEngine::tmrCountTimer() {
    if (!countdownRunning_)
        return;
    ShowCountdown(State.SecondsLeft - 1);
    if (State.SecondsLeft < 0) {
        StopCountdown();
        if (observer_)
            observer_->NoteTimedOut(*this);
        ShowMessage({NoteMessage::Kind::OutOfTime, 0, Table[State.CurrentNote].Letter, 0,
                     static_cast<signed char>(State.Alteration)});
    }
}

void QuizEngine::ShowCountdown(int seconds) {
    State.SecondsLeft = seconds;
    frontEnd_.ShowCounter(seconds >= 0, std::to_string(seconds), CounterTop(seconds));
}

void QuizEngine::ShowScoreColour() {
    frontEnd_.SetScoreColour(ScoreColour(ComparableScore(State.Score, length_, asked_)));
}

int QuizEngine::NoteX() const {
    return NoteXFor(length_, State.NotesLeft);
}

void QuizEngine::NoteMessageExpired() {
    const bool ownMessage = messageSerial_ != 0 && messageSerial_ == quizSerial_ && State.Running;
    messageSerial_ = 0;
    if (ownMessage)
        NextNote();
}

void QuizEngine::ShowMessage(const NoteMessage& message) {
    messageSerial_ = quizSerial_;
    frontEnd_.ShowNoteMessage(message, AskedNote(), NoteX());
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
