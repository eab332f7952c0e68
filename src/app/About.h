#pragma once

#include "Random.h"

#include <QCursor>
#include <QDialog>
#include <QRgb>
#include <QTimer>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace quavix {

namespace about {
class TShape;
}

// The About dialog: the program's name and version, the maker's web address, and a promotional line
// that changes every four seconds in a colour drawn at random.
class TDlgAbout final : public QDialog {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 427;
    static constexpr int ClientHeight = 278;
    static constexpr int FlashIntervalMs = 4000;
    static constexpr int MaxUrlLength = 79;

    // "Home of " and one or two of the maker's other titles.
    static const std::array<const char*, 5> HomeOfLines;
    static const std::array<QRgb, 6> FlashColours;
    static constexpr QRgb LinkHotColour = 0x0000FF;
    static constexpr QRgb LinkColour = 0x000000;

    // random is reseeded here and colours the promotional line; showHelpTopic serves F1 (with 0).
    TDlgAbout(QWidget* parent, quavix::RandomSource& random, bool richColour,
              std::function<bool(int)> showHelpTopic);
    ~TDlgAbout() override;

    void SetLinkHot(bool hot);
    bool LinkHot() const { return linkHot_; }
    void ShowNextHomeOfLine();

    // The pointing hand over the address, from the program's own picture drawn for the device pixel ratio,
    // hot spot at the fingertip.
    static QCursor LinkCursor(double ratio = 1.0);
    // The logo and the pointing hand drawn for the device pixel ratio.
    void ShowPicturesAt(double ratio);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void FormCreate();
    void FormShow();
    void PointerMovedTo(QPoint globalPos);
    void tmrFlashTimer();
    void lblURLClick();
    void cmdOKClick();

    quavix::RandomSource& random_;
    bool richColour_;
    std::function<bool(int)> showHelpTopic_;
    bool linkHot_ = false;
    int flashCounter_ = 0;
    bool urlPressed_ = false;
    QTimer* tmrFlash_ = nullptr;

    QFrame* Bevel1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblSubtitle = nullptr;
    about::TShape* Shape1 = nullptr;
    QLabel* Label3 = nullptr;
    about::TShape* Shape3 = nullptr;
    QLabel* lblURL = nullptr;
    about::TShape* Shape2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblHomeOf = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblCredits = nullptr;
    QPushButton* cmdOK = nullptr;
};

// Opens the About dialog modally over the main window and frees it when it closes. F1 in the dialog calls
// showHelpTopic with 0; opening it reseeds the program's random generator.
void ShowAbout(QWidget* mainWindow, quavix::RandomSource& random, bool richColour,
               const std::function<bool(int)>& showHelpTopic);

// The dialog while ShowAbout runs it, otherwise null.
TDlgAbout* OpenAboutDialog();

} // namespace quavix
