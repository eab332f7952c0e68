#pragma once

// The main window: the hub where the trainer's rooms meet. It owns the quiz engine and its settings, the
// staff and instrument views with their canvases, and it is the engine's front end; the controls, the
// commands, the hints and keys and the feedback pop-ups each live in their own class, and the window
// connects them.

#include "Canvas.h"
#include "InstrumentView.h"
#include "QuizEngine.h"
#include "Settings.h"
#include "SoundCues.h"
#include "SoundPlayer.h"
#include "StaffView.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

namespace quavix {

class MidiInput;
class TClientArea;
class TCommands;
class THintsAndKeys;
class TInstrumentPanel;
class TMidiRoom;
class TPopUpList;
class TPopUpMessage;
class TScreenRatio;
class TProgressRoom;

// How the window is built: the screen's colour depth, the source of chance and the maker of synthesizers
// can be chosen, so each colour scheme, a fixed sequence of notes and a recorded sound can be had on any
// machine.
struct TFormQX25Options {
    int colourDepth = 0;            // 0: the screen's depth
    RandomSource* random = nullptr; // null: the window's own clock-seeded generator
    SoundEngineFactory sound;       // empty: the sound module beside the executable
    MidiInput* midiInput = nullptr; // null: the system's MIDI layer, opened once the window is on screen
    QString progressFolder;         // where progress is kept on request; empty: it cannot be kept
};

class TFormQX25 final : public QMainWindow, public QuizFrontEnd {
    Q_OBJECT
public:
    using Options = TFormQX25Options;

    static constexpr int NoteMessageMs = 3000;
    // How long a message about sound stays in the status bar, unless a hint takes its place.
    static constexpr int SoundMessageMs = 10000;

    explicit TFormQX25(Options options = {}, QWidget* parent = nullptr);
    ~TFormQX25() override;

    // Whether a start-up step failed (the one message has been shown); the window is then never shown.
    bool StartupFailed() const { return startupFailed_; }
    QuizEngine& Engine() { return engine_; }
    TProgressRoom& Progress() { return *progress_; }
    const Settings& CurrentSettings() const { return settings_; }

    // Help by context number; 0 is the contents (with topic 110 beside them).
    bool ShowHelpTopic(int context);
    // A feedback pop-up's time is up.
    void OnPopUpTimer(int id);
    // The pop-up on screen, or null.
    TPopUpMessage* PopUp() const;

    // The settings the option commands change.
    void SetInputMode(std::uint8_t newMode);
    void SetStaffChoice(std::uint8_t choice);
    void SetFullRange(bool value);
    void ChooseKeyboardLayout();
    std::uint8_t InputMode() const { return settings_.InputMode; }
    std::uint8_t StaffChoice() const { return settings_.StaffChoice; }
    bool FullRange() const { return settings_.FullRange; }
    std::uint8_t KeyboardLayout() const { return instrumentView_.KeyboardLayout(); }
    bool RichColour() const { return settings_.RichColour; }
    QRgb BackgroundColour() const { return backgroundColour_; }
    QRgb ClosePanelColour() const { return closePanelColour_; }
    int HelpContextUnderMouse() const;
    // The device pixel ratio everything is drawn for, and the canvases drawn at it.
    double ScreenRatio() const { return staffCanvas_.Ratio(); }
    const Canvas& StaffCanvas() const { return staffCanvas_; }
    const Canvas& InstrumentCanvas() const { return instrumentCanvas_; }
    // Draws everything again for a screen with another device pixel ratio: the canvases, the pictures of
    // the controls and the window icon. A quiz in progress, its countdown and a held key go on untouched.
    void ApplyScreenRatio(double ratio);

    // What is heard. A MIDI keyboard's keys go to SoundCues::MidiKeyDown and MidiKeyUp; like every cue
    // they do nothing while sound is off.
    SoundCues& Sounds() { return soundCues_; }
    const SoundPlayer& Sound() const { return sound_; }

    // QuizFrontEnd
    void DrawNote() override;
    void EraseNote() override;
    void ShowCounter(bool visible, const std::string& caption, int top) override;
    void SetScoreCaption(const std::string& caption) override;
    void SetScoreColour(std::uint32_t rgb) override;
    void ShowNoteMessage(const NoteMessage& message) override;
    void RemoveNoteMessage() override;
    bool PopUpShowing() const override;
    void ApplyCommandStates(const CommandStates& states) override;
    void EnableAnswerControl() override;
    void SetLevelSlider(int level) override;
    void StartCountTimer() override;
    void StopCountTimer() override;
    void ReleasePressedKey() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectRooms();
    void FormCreate();
    void ApplyColourScheme();

    // The one way the settings change: stores them and has whatever shows them follow.
    void ChangeSettings(const Settings& next);
    void RepaintStaff();

    // Command and control handlers; each takes the tag of the command or control that fired.
    void actInputTypeClick(int tag);
    void actStaffClick(int tag);
    void actKeyboardRangeClick(int tag);
    void actBeginClick();
    void actEndClick();
    void actSoundClick();
    void SoundFailed(const QString& message);
    void tbNoteClick(int tag);
    // A letter answer (a note button or a typed letter): judged by the engine, and heard when right.
    void AnswerByLetter(const std::function<void()>& judge);
    void trkLevelChange(int value);
    void miHelpClick(int tag);
    void miURLClick(int tag);
    void miAboutClick();
    void cmdCloseClick();

    void FlushStaff();

    Options options_;
    Settings settings_;
    std::unique_ptr<RandomSource> ownRandom_;
    QuizEngine engine_;
    Canvas staffCanvas_;
    StaffView staffView_;
    Canvas instrumentCanvas_;
    InstrumentView instrumentView_;
    QTimer tmrCount_{this};
    SoundPlayer sound_;
    SoundCues soundCues_;

    bool startupFailed_ = false;
    QRgb backgroundColour_ = 0xF0F0F0;
    QRgb closePanelColour_ = 0xF0F0F0;

    // The rooms, owned by the widget tree.
    TClientArea* client_ = nullptr;
    TCommands* commands_ = nullptr;
    THintsAndKeys* hintsAndKeys_ = nullptr;
    TPopUpList* popUpList_ = nullptr;
    TScreenRatio* screenRatio_ = nullptr;
    TMidiRoom* midi_ = nullptr;
    TInstrumentPanel* instrument_ = nullptr;
    TProgressRoom* progress_ = nullptr;
};

} // namespace quavix
