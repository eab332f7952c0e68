#pragma once

// The main window: the staff, the countdown, the answer controls, the score board, the level slider and
// the Close panel, the commands with their tool bars, menus and shortcut keys, and the feedback pop-ups.
// It owns the quiz engine and serves as its front end.

#include "Canvas.h"
#include "InstrumentView.h"
#include "PopUpMessage.h"
#include "QuizEngine.h"
#include "StaffView.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QStatusBar;

namespace quavix::ui {
class TClosePanel;
class TCountButton;
class TLabel;
class TLevelSlider;
class TPaintBox;
class TPanel;
class TToolBar;
class TToolButton;
} // namespace quavix::ui

// How the window is built; tests choose the colour depth, the random source and a failing start-up step.
struct TFormQX25Options {
    int colourDepth = 0;                      // 0: the screen's depth
    quavix::RandomSource* random = nullptr;   // null: the window's own clock-seeded generator
    std::function<void(int step)> beforeStep; // runs before each start-up step 1..14; may throw
};

class TFormQX25 : public QMainWindow, public quavix::QuizFrontEnd {
    Q_OBJECT
public:
    using Options = TFormQX25Options;

    static constexpr int ClientWidth = 395;
    static constexpr int ClientHeight = 380; // with the note buttons
    static constexpr int PopUpTimerID = 0;
    static constexpr int NoteMessageMs = 3000;

    explicit TFormQX25(Options options = {}, QWidget* parent = nullptr);
    ~TFormQX25() override;

    bool StartupFailed() const { return startupFailed_; }
    quavix::QuizEngine& Engine() { return engine_; }

    // Help by context number; 0 is the contents (with topic 110 beside them).
    bool ShowHelpTopic(int context);
    // A feedback pop-up's time is up.
    void OnPopUpTimer(int id);

    // The settings the option commands change.
    void SetInputMode(std::uint8_t newMode);
    void SetStaffChoice(std::uint8_t choice);
    void SetFullRange(bool value);
    void ChooseKeyboardLayout();
    std::uint8_t InputMode() const { return engine_.InputMode; }
    std::uint8_t StaffChoice() const { return engine_.StaffChoice; }
    bool FullRange() const { return instrumentView_.FullRange; }
    std::uint8_t KeyboardLayout() const { return instrumentView_.KeyboardLayout; }
    bool RichColour() const { return richColour_; }
    QRgb BackgroundColour() const { return backgroundColour_; }
    QRgb ClosePanelColour() const { return closePanelColour_; }
    int HelpContextUnderMouse() const { return helpContextUnderMouse_; }

    // Removes the pop-up on screen and shows a new one; horz is 0 left, 1 centre, 2 right.
    void ShowPopUp(const QString& text, QPoint anchor, int displayMs, int horz, bool above);
    // The pop-up on screen, or null.
    TPopUpMessage* PopUp() const;

    // QuizFrontEnd
    void DrawNote() override;
    void EraseNote() override;
    void ShowCounter(bool visible, const std::string& caption, int top) override;
    void SetScoreCaption(const std::string& caption) override;
    void SetScoreColour(std::uint32_t rgb) override;
    void ShowNoteMessage(const std::string& text) override;
    void RemoveNoteMessage() override;
    bool PopUpShowing() const override;
    void ApplyCommandStates(const quavix::CommandStates& states) override;
    void EnableAnswerControl() override;
    void SetLevelSlider(int level) override;
    void StartCountTimer() override;
    void StopCountTimer() override;
    void ReleasePressedKey() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window (the controls as designed, before the start-up steps).
    void CreateControls();
    void CreateCommands();
    void CreateToolBars();
    void CreateMenus();
    void FormCreate();
    void ApplyColourScheme();
    void SetClientHeight(int height);

    // Command handlers; each reads the tag of the command that fired.
    void actInputTypeClick(QAction* action);
    void actStaffClick(QAction* action);
    void actKeyboardRangeClick(QAction* action);
    void actBeginClick(QAction* action);
    void actEndClick(QAction* action);
    void tbNoteClick(int tag);
    void trkLevelChange(int value);
    void miHelpClick(QAction* item);
    void miURLClick(QAction* item);
    void miAboutClick();
    void cmdCloseClick();
    void ApplyCheckMarks();

    // Status-bar hints and F1.
    void TrackPointer(QPoint globalPos);
    void sbHintsHint();
    QWidget* ControlAt(QPoint globalPos) const;
    bool FormKeyDown(QKeyEvent* event);
    bool KeyPreview(QKeyEvent* event);

    // The Close panel.
    void pnlCloseMouseEnter();
    void pnlCloseMouseLeave();
    void pnlCloseMouseMove(QPoint point);
    void pnlCloseMouseDown();
    void pnlCloseMouseUp();

    // The instrument.
    void pbxInstrumentMouseDown(QPoint point);
    void pbxInstrumentMouseMove(QPoint point);
    void pbxInstrumentMouseUp(QPoint point);
    // Ends a press whose release can no longer reach the instrument, without an answer.
    void CancelInstrumentPress();

    void EraseStaffBox();
    void FlushStaff();
    void FlushInstrument();

    Options options_;
    std::unique_ptr<quavix::RandomSource> ownRandom_;
    quavix::QuizEngine engine_;
    quavix::Canvas staffCanvas_;
    quavix::StaffView staffView_;
    quavix::Canvas instrumentCanvas_;
    quavix::InstrumentView instrumentView_;

    bool startupFailed_ = false;
    bool richColour_ = false;
    QRgb backgroundColour_ = 0xF0F0F0;
    QRgb closePanelColour_ = 0xF0F0F0;
    int helpContextUnderMouse_ = 0;
    QString lastApplicationHint_;
    QPoint lastPointer_{-1, -1};
    bool pointerInside_ = false;

    QTimer tmrCount_;
    std::vector<std::unique_ptr<TPopUpMessage>> popUpList_;

    // Controls, owned by the widget tree.
    QWidget* client_ = nullptr;
    quavix::ui::TToolBar* tbarOptions_ = nullptr;
    quavix::ui::TPaintBox* pbxStaff_ = nullptr;
    quavix::ui::TPanel* pnlCount_ = nullptr;
    QLabel* imgTimer_ = nullptr;
    quavix::ui::TCountButton* cmdCount_ = nullptr;
    quavix::ui::TToolBar* tbarNotes_ = nullptr;
    std::vector<quavix::ui::TToolButton*> tbNotes_;
    quavix::ui::TPanel* pnlInstrument_ = nullptr;
    quavix::ui::TPaintBox* pbxInstrument_ = nullptr;
    quavix::ui::TPanel* pnlScoreboard_ = nullptr;
    quavix::ui::TLabel* lblScore_ = nullptr;
    quavix::ui::TPanel* pnlScore_ = nullptr;
    quavix::ui::TLabel* lblOutOf_ = nullptr;
    quavix::ui::TPanel* pnlMaxScore_ = nullptr;
    quavix::ui::TPanel* pnlLevel_ = nullptr;
    quavix::ui::TLabel* lblLevel_ = nullptr;
    quavix::ui::TLevelSlider* trkLevel_ = nullptr;
    quavix::ui::TClosePanel* pnlClose_ = nullptr;
    QStatusBar* sbHints_ = nullptr;
    // Controls that keep their distance from the bottom edge when the window's height changes.
    std::vector<QWidget*> bottomAnchored_;

    // Commands.
    QAction* actNoteButtons_ = nullptr;
    QAction* actPianoKeys_ = nullptr;
    QAction* actTrebleNotes_ = nullptr;
    QAction* actBassNotes_ = nullptr;
    QAction* actAllNotes_ = nullptr;
    QAction* actSingleOctave_ = nullptr;
    QAction* actFullRange_ = nullptr;
    QAction* actBeginQuiz_ = nullptr;
    QAction* actEndQuiz_ = nullptr;
    QAction* actGuitar_ = nullptr;
    std::vector<QAction*> actions_;     // the command list in its stored order
    std::vector<QAction*> shortcutted_; // every command and menu item with a shortcut key
};
