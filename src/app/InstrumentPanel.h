#pragma once

// The instrument as the window shows it: the piano or the guitar drawn on its paint box with the marker of
// the key holding it, which it learns from the press protocol, and the mouse on it as an answer source.

#include "InstrumentMouse.h"
#include "InstrumentView.h"
#include "KeyPresses.h"

#include <QObject>
#include <QPoint>

namespace quavix {

class QuizEngine;

namespace ui {
class TPaintBox;
}

class TInstrumentPanel final : public QObject, private KeyPressObserver {
    Q_OBJECT
public:
    // The box, the settings, the presses and the engine outlive the panel.
    TInstrumentPanel(ui::TPaintBox& box, const Settings& settings, KeyPresses& presses, QuizEngine& engine,
                     QObject* parent);
    ~TInstrumentPanel() override;

    // The fretboard's colours follow the screen.
    void SetRichColour(bool rich) { view_.SetRichColour(rich); }
    // Draws the whole instrument of the input mode again.
    void Repaint();
    // A press whose release can no longer reach the instrument ends without an answer.
    void CancelPress();

    // A new device pixel ratio: the surface is laid out again and the instrument painted anew.
    void ShowAtRatio(double ratio);
    // A key held on the old instrument means nothing on a new one; and the instrument is repainted on every
    // change, as choosing the range in force repaints it too.
    void FollowSettings(const Settings& now, const Settings& before);

private:
    void KeyDown(const KeyPress&) override {}
    void KeyUp(const KeyPress&) override {}
    void KeyMoved(const KeyPress&, const KeyPress&) override {}
    void HolderChanged(const KeyPress* holder) override;

    void MouseUp(QPoint point);

    ui::TPaintBox& box_;
    KeyPresses& presses_;
    QuizEngine& engine_;
    InstrumentView view_;
    InstrumentMouse mouse_;
};

} // namespace quavix
