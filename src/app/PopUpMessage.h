#pragma once

// The feedback pop-up that explains a wrong answer or a time-out beside the note.

#include "Controls.h"

#include <QPoint>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;

// Where the pop-up's anchor x lies on the pop-up.
enum class HorzAnchor { Left = 0, Centre = 1, Right = 2 };

// Where a long message is broken into two lines: the 1-based position of the space that gives way to the
// line break, 0 for none. The choice is by character count alone: the space nearest the middle, a tie
// going to the later one.
int MessageBreakPosition(const QString& text);

// A panel that shows a text in its label, sized to the label plus its one-pixel bevel.
class TMsgPanel : public quavix::ui::TPanel {
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
// ends it. Both die with the pop-up, so a freed pop-up can never expire.
class TPopUpMessage {
public:
    TPopUpMessage(QWidget* parent, const QString& text, int timerId, int displayMs, QPoint anchor,
                  HorzAnchor horz, bool above, QRgb colour, std::function<void(int timerId)> onExpiry);
    ~TPopUpMessage();
    TPopUpMessage(const TPopUpMessage&) = delete;
    TPopUpMessage& operator=(const TPopUpMessage&) = delete;

    TMsgPanel* Panel() const { return panel_.get(); }
    int TimerID() const { return timerId_; }
    bool TimerActive() const { return timer_.isActive(); }

private:
    std::unique_ptr<TMsgPanel> panel_;
    int timerId_;
    QTimer timer_;
};
