#pragma once

// The instrument as the user plays it: presses, drags and releases of the mouse on its paint box, and keys
// held on a MIDI keyboard, through the instrument view's press protocol. Keeps the paint box showing what
// the view drew, makes the keys heard, and hands a completed press to the quiz as an answer.

#include <QObject>
#include <QPoint>

namespace quavix {

class InstrumentView;
class QuizEngine;
class SoundCues;

namespace ui {
class TPaintBox;
}

class TInstrumentPanel final : public QObject {
    Q_OBJECT
public:
    // The view, its paint box, the cues and the engine outlive the panel.
    TInstrumentPanel(InstrumentView& view, ui::TPaintBox& box, SoundCues& cues, QuizEngine& engine,
                     QObject* parent);

    // Draws the whole instrument of the input mode again.
    void Repaint();
    // Shows what the view drew since the last time.
    void Flush();

    // A press whose release can no longer reach the instrument ends without an answer.
    void CancelPress();
    // The quiz ended under a held key or button: it lets go, marker and sound.
    void ReleasePressedKey();

    // A MIDI key holds the instrument's key of its step, or lets it go.
    void HoldKey(int step);
    void LetGoKey(int step);

    void pbxInstrumentMouseDown(QPoint point);
    void pbxInstrumentMouseMove(QPoint point);
    void pbxInstrumentMouseUp(QPoint point);

private:
    InstrumentView& view_;
    ui::TPaintBox& box_;
    SoundCues& cues_;
    QuizEngine& engine_;
};

} // namespace quavix
