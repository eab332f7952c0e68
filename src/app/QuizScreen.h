#pragma once

// The quiz engine's front end: what the engine asks to be shown or timed, done on the window's client
// area, its staff, its pop-ups, its commands and in sound. It holds no quiz state of its own.

#include "KeyPresses.h"
#include "QuizEngine.h"

#include <QObject>
#include <QTimer>

namespace quavix {

class SoundCues;
class TClientArea;
class TCommands;
class TPopUpList;
class TStaffPanel;

class TQuizScreen final : public QObject, public QuizFrontEnd {
    Q_OBJECT
public:
    // How long the message beside a missed note stays.
    static constexpr int NoteMessageMs = 3000;

    // What the screen shows on; all of it outlives the screen.
    struct Parts {
        TClientArea& Client;
        TStaffPanel& Staff;
        TPopUpList& PopUps;
        TCommands& Commands;
        SoundCues& Cues;
        KeyPresses& Presses;
        const Settings& Choices;
    };
    TQuizScreen(const Parts& parts, QObject* parent);

    // The score takes the colour it earned only on a screen rich enough to show it; the pop-ups' colour
    // follows the screen as well.
    void SetRichColour(bool rich) { rich_ = rich; }
    // Tests shorten the message's time, so that none waits three real seconds.
    void SetNoteMessageMs(int ms) { noteMessageMs_ = ms; }
    // The one-second countdown; its ticks go to the engine.
    QTimer& CountTimer() { return countTimer_; }

    void DrawNote(const NoteEntry& note, int x) override;
    void EraseNote(int x) override;
    void ShowKey(int fifths) override;
    void ShowCounter(bool visible, const std::string& caption, int top) override;
    void SetScoreCaption(const std::string& caption) override;
    void SetScoreColour(std::uint32_t rgb) override;
    void ShowNoteMessage(const NoteMessage& message, const NoteEntry& note, int x) override;
    void RemoveNoteMessage() override;
    bool PopUpShowing() const override;
    bool AnswersHeld() const override;
    void ApplyCommandStates(const CommandStates& states) override;
    void EnableAnswerControl() override;
    void StartCountTimer() override;
    void StopCountTimer() override;
    void ReleasePressedKey() override;
    void AnswerJudged(const Answer& answer, const AnswerResult& result) override;

private:
    Parts parts_;
    QTimer countTimer_{this};
    bool rich_ = false;
    int noteMessageMs_ = NoteMessageMs;
};

} // namespace quavix
