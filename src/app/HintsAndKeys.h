#pragma once

// What the main window sees of the pointer and the keyboard before any of its controls: the status-bar
// hint of the control under the pointer with its help context for F1, the F1 key itself, the keys of
// disabled commands (swallowed), and every typed character (the answers and the level keys). It also
// notices when a press on the instrument can no longer end there.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <vector>

class QAction;
class QKeyEvent;
class QStatusBar;
class QWidget;

namespace quavix {

class THintsAndKeys final : public QObject {
    Q_OBJECT
public:
    // window is the main window, client its client area with the status bar hints; instrument the paint
    // box that takes presses; shortcutOwners every action with a shortcut key.
    THintsAndKeys(QWidget* window, QWidget* client, QStatusBar* hints, QWidget* instrument,
                  std::vector<QAction*> shortcutOwners);
    ~THintsAndKeys() override;

    // Starts watching every event of the application.
    void Install();

    int HelpContextUnderMouse() const { return helpContextUnderMouse_; }
    // Shows a passing notice in the status bar for ms milliseconds; then the hint under the pointer comes
    // back. A hint for another control takes the bar over sooner.
    void ShowNotice(const QString& text, int ms);
    // Takes a notice down before its time when it is still the one shown: what it said no longer holds.
    void WithdrawNotice(const QString& text);

signals:
    // F1 with no modifier, with the help context under the pointer (0 for none).
    void helpKeyPressed(int context);
    // A character typed anywhere in the window; characters beyond 8 bits are only swallowed.
    void characterTyped(char typed);
    // The button held on the instrument was released elsewhere, or a modal box took over.
    void instrumentPressLost();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InWindow(QObject* watched) const;
    QWidget* ControlAt(QPoint globalPos) const;
    void TrackPointer(QPoint globalPos);
    void sbHintsHint();
    bool FormKeyDown(QKeyEvent* event);
    bool KeyPreview(QKeyEvent* event, bool atMenuBar);

    QWidget* window_;
    QWidget* client_;
    QStatusBar* hints_;
    QWidget* instrument_;
    std::vector<QAction*> shortcutOwners_;
    bool installed_ = false;

    int helpContextUnderMouse_ = 0;
    QString lastApplicationHint_;
    QPoint lastPointer_{-1, -1};
    bool pointerInside_ = false;
    QTimer noticeTimer_;
};

} // namespace quavix
