#pragma once

// The main window: it builds the trainer's rooms and connects them, and nothing more. The quiz engine
// shows itself through the quiz screen, the staff and the instrument through their panels, the settings
// change in the settings room, and each room follows what concerns it.

#include "KeyPresses.h"
#include "Listener.h"
#include "QuizEngine.h"
#include "SoundPlayer.h"

#include <QMainWindow>

#include <memory>

namespace quavix {

class MidiInput;
class TClientArea;
class TCommands;
class THintsAndKeys;
class TInstrumentPanel;
class TLetterAnswers;
class TListenRoom;
class TMidiRoom;
class TPopUpList;
class TProgressRoom;
class TQuizScreen;
class TScreenRatio;
class TSettingsRoom;
class TSoundRoom;
class TStaffPanel;

// How the window is built: the screen's colour depth, the source of chance, the maker of synthesizers, the
// MIDI layer, the audio inputs and the progress folder can be chosen, so each colour scheme, a fixed sequence
// of notes and a recorded sound can be had on any machine.
struct TFormQX25Options {
    int colourDepth = 0;            // 0: the screen's depth
    RandomSource* random = nullptr; // null: the window's own clock-seeded generator
    SoundEngineFactory sound;       // empty: the sound module beside the executable
    MidiInput* midiInput = nullptr; // null: the system's MIDI layer, opened once the window is on screen
    QString progressFolder;         // where progress is kept on request; empty: it cannot be kept
    int noteMessageMs = 3000;       // how long the message beside a missed note stays
    AudioInputFactoryFunction listenInputs; // empty: the listening module beside the executable
};

class TFormQX25 final : public QMainWindow {
    Q_OBJECT
public:
    using Options = TFormQX25Options;

    explicit TFormQX25(Options options = {}, QWidget* parent = nullptr);
    ~TFormQX25() override;

    // Whether a start-up step failed (the one message has been shown); the window is then never shown.
    bool StartupFailed() const { return startupFailed_; }
    // The quiz, for tests: which note is asked shows only as pixels, and tests tick its clock themselves
    // rather than wait for seconds to pass.
    QuizEngine& Engine() { return *engine_; }
    // The sound switch, for tests: whether it is still starting shows nowhere on screen.
    const SoundPlayer& Sound() const;
    // The listening room, for tests: what it hears and opens shows only as a meter.
    TListenRoom& Listening() { return *listen_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildRooms();
    void ConnectCommands();
    void ConnectRooms();
    void FollowSettings();
    void FormCreate();
    // The one message of a failed start; the window is then never shown.
    void StartupFailed(const QString& why);
    void ApplyColourScheme();

    Options options_;
    std::unique_ptr<RandomSource> ownRandom_;
    KeyPresses presses_;
    std::unique_ptr<QuizEngine> engine_;
    bool startupFailed_ = false;
    bool richColour_ = false;

    // The rooms, owned by the widget tree.
    TSettingsRoom* settings_ = nullptr;
    TClientArea* client_ = nullptr;
    TCommands* commands_ = nullptr;
    THintsAndKeys* hintsAndKeys_ = nullptr;
    TPopUpList* popUpList_ = nullptr;
    TScreenRatio* screenRatio_ = nullptr;
    TStaffPanel* staff_ = nullptr;
    TSoundRoom* sound_ = nullptr;
    TQuizScreen* screen_ = nullptr;
    TInstrumentPanel* instrument_ = nullptr;
    TLetterAnswers* letters_ = nullptr;
    TMidiRoom* midi_ = nullptr;
    TProgressRoom* progress_ = nullptr;
    TListenRoom* listen_ = nullptr;
};

} // namespace quavix
