#pragma once

// The feedback pop-up that explains a wrong answer or a time-out beside the note, and the list that keeps
// the one on screen.

#include "Controls.h"

#include <QPoint>
#include <QPointer>

#include <vector>

class QLabel;

namespace quavix {

// Where the pop-up's anchor x lies on the pop-up.
enum class HorzAnchor { Left = 0, Centre = 1, Right = 2 };

// Where a long message is broken into two lines: the 1-based position of the space that gives way to the
// line break, 0 for none. Between two sentences where one ends near the middle (within a quarter of the
// length); otherwise the space nearest the middle by character count, a tie going to the later one.
int MessageBreakPosition(const QString& text);

// A panel that shows a text in its label, sized to the label plus its one-pixel bevel.
class TMsgPanel final : public ui::TPanel {
    Q_OBJECT
public:
    // Messages whose one-line label is wider than this are broken into two lines.
    static constexpr int MaxOneLineWidth = 50;

    explicit TMsgPanel(QWidget* parent = nullptr);

    QLabel* MessageLabel() const { return messageLabel_; }
    void SetMessage(const QString& text);
    void SetColour(QRgb colour);

private:
    void FitToLabel();

    QLabel* messageLabel_;
};

// One pop-up on screen: its panel, placed by an anchor point inside parent, and the single-shot timer that
// ends it. The panel belongs to parent like any control; the pop-up takes it away when it goes, and its
// timer goes with it, so a removed pop-up can never expire.
class TPopUpMessage final : public QObject {
    Q_OBJECT
public:
    TPopUpMessage(QWidget* parent, const QString& text, int timerId, int displayMs, QPoint anchor,
                  HorzAnchor horz, bool above, QRgb colour);
    ~TPopUpMessage() override;

    TMsgPanel* Panel() const { return panel_; }
    int TimerID() const { return timerId_; }
    bool TimerActive() const { return timerActive_; }

signals:
    void expired(int timerId);

private:
    QPointer<TMsgPanel> panel_;
    int timerId_;
    bool timerActive_ = true;
};

// The pop-ups of the main window: at most one at a time. Showing one removes the one on screen first.
class TPopUpList final : public QObject {
    Q_OBJECT
public:
    // The identifier every pop-up's timer carries; only one pop-up exists at a time.
    static constexpr int PopUpTimerID = 0;

    // Pop-ups are placed inside parent.
    explicit TPopUpList(QWidget* parent);
    ~TPopUpList() override;

    // Removes any pop-up on screen and shows a new one.
    void ShowPopUp(const QString& text, QPoint anchor, int displayMs, HorzAnchor horz, bool above,
                   QRgb colour);
    // Removes the pop-up on screen without any expiry.
    void Clear();
    bool Showing() const { return !popUps_.empty(); }
    // The pop-up on screen, or null.
    TPopUpMessage* Current() const { return popUps_.empty() ? nullptr : popUps_.front(); }

    // A pop-up's time is up: the one with this timer goes, and expired() follows.
    void OnPopUpTimer(int id);

signals:
    void expired();

private:
    QWidget* parent_;
    std::vector<TPopUpMessage*> popUps_; // children of this list
};

} // namespace quavix
