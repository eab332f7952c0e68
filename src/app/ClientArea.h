#pragma once

// The main window's client area: the staff, the countdown, the note buttons or the instrument, the score
// board, the level slider, the Close panel and the status bar, each at its designed place. It shows what it
// is told and reports what the user does to them; what that means is the window's business.

#include "ColourScheme.h"
#include "Settings.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QLabel;
class QStatusBar;

namespace quavix {

namespace ui {
class TClosePanel;
class TCountButton;
class TLabel;
class TLevelSlider;
class TPaintBox;
class TPanel;
class TToolBar;
class TToolButton;
} // namespace ui

class TClientArea final : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 395;
    static constexpr int ClientHeight = 380; // with the note buttons

    // Everything is drawn for the device pixel ratio, the note buttons naming their notes in the naming.
    TClientArea(double ratio, NoteNamings naming, QWidget* parent);

    ui::TToolBar* OptionsBar() const { return tbarOptions_; }
    ui::TPaintBox* StaffBox() const { return pbxStaff_; }
    ui::TPaintBox* InstrumentBox() const { return pbxInstrument_; }
    QStatusBar* HintBar() const { return sbHints_; }

    // Gives the hourglass and the note buttons their pictures drawn for the device pixel ratio, the buttons
    // naming their notes in the naming, pictures and accessible names alike.
    void ShowPicturesAt(double ratio, NoteNamings naming);
    // The same pictures for another device pixel ratio.
    void ShowAtRatio(double ratio) { ShowPicturesAt(ratio, naming_); }
    // Shows the answer control, the note names and the level of the settings.
    void FollowSettings(const Settings& now, const Settings& before);
    // Recolours the controls for the screen's scheme; the low scheme leaves the design colours.
    void ApplyColourScheme(const ColourScheme& scheme);
    QRgb WindowColour() const;

    // Moves the instrument panel onto the note buttons, where it is shown instead of them.
    void StackInstrumentOnNoteButtons();
    // Shows the note buttons (mode 0) or the instrument panel (1 piano, 2 guitar); the client area grows
    // or shrinks by the difference in height, and what sits at the bottom moves with it.
    void ShowAnswerControl(InputModes oldMode, InputModes newMode);
    // The visible answer control takes answers.
    void EnableAnswerControl();
    bool NoteButtonsShown() const;
    // The sharp or flat button stays down while its sign waits for a letter (0: neither).
    void ShowPendingSign(int alteration);

    void ShowCounter(bool visible, const QString& caption, int top);
    void SetScoreCaption(const QString& caption);
    void SetScoreColour(QRgb colour);
    void SetMaxScoreColour(QRgb colour);
    // Sets the slider without counting as the user's move.
    void SetLevel(int level);
    void SetLevelEnabled(bool enabled);

signals:
    void noteButtonClicked(int tag);
    // The sharp (+1) or flat (-1) button beside the note buttons.
    void signButtonClicked(int alteration);
    void levelChanged(int level);
    void closeClicked();

private:
    static QString NoteButtonName(int index, NoteNamings naming);
    void CreateTopControls(double ratio);
    void CreateAnswerControls(double ratio);
    void CreateBottomControls();
    void SetClientHeight(int height);
    void CreateSignButtons();
    // The sign buttons show beside the note buttons while sharps and flats are asked.
    void ShowSignButtons(const Settings& settings);
    void ShowSignPictures();

    ui::TToolBar* tbarOptions_ = nullptr;
    ui::TPaintBox* pbxStaff_ = nullptr;
    ui::TPanel* pnlCount_ = nullptr;
    QLabel* imgTimer_ = nullptr;
    ui::TCountButton* cmdCount_ = nullptr;
    ui::TToolBar* tbarNotes_ = nullptr;
    std::vector<ui::TToolButton*> tbNotes_;
    ui::TToolBar* tbarFlat_ = nullptr;
    ui::TToolBar* tbarSharp_ = nullptr;
    ui::TToolButton* tbFlat_ = nullptr;
    ui::TToolButton* tbSharp_ = nullptr;
    ui::TPanel* pnlInstrument_ = nullptr;
    ui::TPaintBox* pbxInstrument_ = nullptr;
    ui::TPanel* pnlScoreboard_ = nullptr;
    ui::TLabel* lblScore_ = nullptr;
    ui::TPanel* pnlScore_ = nullptr;
    ui::TLabel* lblOutOf_ = nullptr;
    ui::TPanel* pnlMaxScore_ = nullptr;
    ui::TPanel* pnlLevel_ = nullptr;
    ui::TLabel* lblLevel_ = nullptr;
    ui::TLevelSlider* trkLevel_ = nullptr;
    ui::TClosePanel* pnlClose_ = nullptr;
    QStatusBar* sbHints_ = nullptr;
    // Controls that keep their distance from the bottom edge when the height changes.
    std::vector<QWidget*> bottomAnchored_;
    double ratio_ = 1.0;
    NoteNamings naming_ = LetterNames;
};

} // namespace quavix
