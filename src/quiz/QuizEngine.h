#pragma once

#include "Answer.h"
#include "CommandStates.h"
#include "NoteMessage.h"
#include "NoteTable.h"
#include "QuizHooks.h"
#include "Random.h"
#include "Settings.h"

#include <array>
#include <cstdint>
#include <string>

namespace quavix {

constexpr int NotesPerQuiz = 20;
constexpr int CountdownStart = 12;
constexpr int CountdownPeriodMs = 1000;
constexpr int PointsCap = 10;
constexpr int MaxScore = NotesPerQuiz * PointsCap;

// AnswerCodes, as answers are recorded: 0..29 the staff step of a key whose octave counted, 100..106 a
// letter A..G. With sharps and flats asked, a letter with a sign is 110..116 (sharp) or 90..96 (flat), a
// key whose octave counts is 200 plus its written key, and a key whose octave does not is 400 plus its
// pitch class (0 is C).
constexpr int FirstLetterCode = 100;
constexpr int LastLetterCode = 106;
constexpr int LastStepCode = 29;
constexpr int LetterCodesPerSign = 10;
constexpr int FirstKeyCode = 200;
constexpr int FirstPitchClassCode = 400;
int LetterCode(char letter, int alteration);

struct QuizState {
    bool Running = false;
    std::int32_t CurrentNote = 0;
    std::int32_t PreviousNote = 0;
    std::int32_t PoolSize = 0;
    std::int32_t NotesLeft = 0;
    std::int32_t Score = 0;
    std::int32_t SecondsLeft = -1;
    std::int32_t Key = 0;        // the key of the quiz (0, C major, unless the notes are in a key)
    std::int32_t Alteration = 0; // how the current note is spelled
    NoteSign Sign = NoteSign::None;
};

// What the engine needs from whatever shows the quiz. The main window's quiz screen implements it; tests
// record calls.
class QuizFrontEnd {
public:
    QuizFrontEnd() = default;
    virtual ~QuizFrontEnd() = default;
    QuizFrontEnd(const QuizFrontEnd&) = delete;
    QuizFrontEnd& operator=(const QuizFrontEnd&) = delete;

    // Paint the note asked, its picture's left edge at x (only while a quiz runs) / clear the strip at x.
    virtual void DrawNote(const NoteEntry& note, int x) = 0;
    virtual void EraseNote(int x) = 0;
    // The countdown counter: shown or hidden, its caption and its top within the countdown panel.
    virtual void ShowCounter(bool visible, const std::string& caption, int top) = 0;
    virtual void SetScoreCaption(const std::string& caption) = 0;
    // The colour the score has earned; a screen without the colours for it may keep its own.
    virtual void SetScoreColour(std::uint32_t rgb) = 0;
    // Show a message beside the note drawn at x for 3 s; its expiry must call QuizEngine::NoteMessageExpired.
    virtual void ShowNoteMessage(const NoteMessage& message, const NoteEntry& note, int x) = 0;
    // Remove a message that is still on screen, without any expiry.
    virtual void RemoveNoteMessage() = 0;
    virtual bool PopUpShowing() const = 0;
    // Something else has the user's attention (a modal box or an open menu), so no answer may be taken.
    virtual bool AnswersHeld() const { return false; }
    virtual void ApplyCommandStates(const CommandStates& states) = 0;
    // The visible answer control (note buttons or instrument) takes answers.
    virtual void EnableAnswerControl() = 0;
    // The one-second countdown timer. Starting it while it runs must keep its period.
    virtual void StartCountTimer() = 0;
    virtual void StopCountTimer() = 0;
    // Let go of any key or fret held on the instrument (and take its marker away).
    virtual void ReleasePressedKey() = 0;
    // The quiz is written in a key: show its signature (sharps +, flats -).
    virtual void ShowKey(int /*fifths*/) {}
    // An answer was judged (right, wrong note or wrong octave), after the quiz has followed the verdict.
    virtual void AnswerJudged(const Answer& /*answer*/, const AnswerResult& /*result*/) {}
};

// Red grows with the score: 0x282828 at 0 and below, 0xFF2828 from 200.
std::uint32_t ScoreColour(int score);

// The countdown counter's top in its panel with s seconds left: it slides 56 pixels down as time runs out.
int CounterTop(int seconds);

class QuizEngine final {
public:
    // The engine reads the settings but never changes them; their owner keeps them alive.
    QuizEngine(QuizFrontEnd& frontEnd, RandomSource& random, const Settings& settings);
    QuizEngine(const QuizEngine&) = delete;
    QuizEngine& operator=(const QuizEngine&) = delete;

    QuizState State;
    NoteTable Table{};

    const Settings& CurrentSettings() const { return settings_; }
    // The note on the staff as it is written: its table row spelled as the quiz asks it.
    NoteEntry AskedNote() const;

    void BeginQuiz();
    void EndQuiz();
    void NextNote();
    void PickNote();
    // Every answer of every source comes in here: the engine alone decides whether it is taken now and
    // what became of it.
    AnswerResult TakeAnswer(const Answer& answer);
    void tmrCountTimer();
    void ShowCountdown(int seconds);
    void ShowScoreColour();
    int NoteX() const;
    void BuildNoteTable();
    // How many rows the table holds at the top level when it asks other clefs or a range of the user's
    // (all of them on the staves asked); 0 for the trainer's own note sets.
    int ClefSetRows() const;

    // Pool sizes for a level in each note set.
    static int PoolSizeFor(int level, InputModes inputMode);

    // The feedback message shown by ShowNoteMessage has run out. Moves the quiz on only when that message
    // belongs to the quiz that is still running.
    void NoteMessageExpired();

    RandomSource& Random() { return random_; }

    // Whether the one-second countdown is running; ticks that arrive while it is stopped are ignored.
    bool CountdownRunning() const { return countdownRunning_; }

    // Optional hooks, none by default: an observer told of every asked and answered note, and weights that
    // make PickNote favour some rows. Either may be null; the caller keeps them alive while set.
    void SetAnswerObserver(AnswerObserver* observer) { observer_ = observer; }
    void SetNoteWeights(const NoteWeightSource* weights) { weights_ = weights; }
    // A chooser that picks every note in place of the draw (and of the weights); null for none.
    void SetNoteChooser(NoteChooser* chooser) { chooser_ = chooser; }

    // The notes of the quiz running or last run (UntilStopped for an endless one), and how many were asked.
    int QuizLength() const { return length_; }
    int NotesAsked() const { return asked_; }

private:
    // The answer's AnswerCode and, when it is wrong, the message; Ignored with a reason when it is none.
    AnswerResult Judge(const Answer& answer, NoteMessage& message) const;
    // A key judged by what it sounds, when the notes asked carry sharps and flats.
    AnswerResult JudgePitch(int key, bool exact, NoteMessage& message) const;
    void ShowMessage(const NoteMessage& message);
    void StartCountdown();
    void StopCountdown();
    bool Allowed(int row) const;
    bool PickWeighted(int pool, bool repeatAllowed);
    bool WithinClefSet(int key) const;
    bool PickChosen(int pool);

    QuizFrontEnd& frontEnd_;
    RandomSource& random_;
    const Settings& settings_;
    std::uint64_t quizSerial_ = 0;    // counts BeginQuiz calls
    std::uint64_t messageSerial_ = 0; // quiz of the message on screen, 0 for none
    bool countdownRunning_ = false;
    AnswerObserver* observer_ = nullptr;
    const NoteWeightSource* weights_ = nullptr;
    std::array<int, MaxLevel + 1> clefPools_{}; // rows each level admits from the clef set
    NoteChooser* chooser_ = nullptr;
    std::int32_t length_ = NotesPerQuiz;
    std::int32_t asked_ = 0;
};

} // namespace quavix
