#include "InstrumentPanel.h"

#include "Controls.h"
#include "InstrumentView.h"
#include "QuizEngine.h"
#include "SoundCues.h"

namespace quavix {

TInstrumentPanel::TInstrumentPanel(InstrumentView& view, ui::TPaintBox& box, SoundCues& cues,
                                   QuizEngine& engine, QObject* parent)
    : QObject(parent), view_(view), box_(box), cues_(cues), engine_(engine) {
    connect(&box_, &ui::TPaintBox::mousePressed, this, &TInstrumentPanel::pbxInstrumentMouseDown);
    connect(&box_, &ui::TPaintBox::mouseMoved, this, &TInstrumentPanel::pbxInstrumentMouseMove);
    connect(&box_, &ui::TPaintBox::mouseReleased, this, &TInstrumentPanel::pbxInstrumentMouseUp);
}

void TInstrumentPanel::Repaint() {
    view_.pbxInstrumentPaint();
    Flush();
}

void TInstrumentPanel::Flush() {
    box_.Flush();
}

void TInstrumentPanel::CancelPress() {
    if (!view_.MouseHeld())
        return;
    view_.CancelPress();
    Flush();
    cues_.KeyUp();
}

void TInstrumentPanel::ReleasePressedKey() {
    view_.ReleasePressedKey();
    Flush();
    cues_.KeyUp();
}

void TInstrumentPanel::HoldKey(int step) {
    view_.HoldKey(step);
    Flush();
}

void TInstrumentPanel::LetGoKey(int step) {
    view_.LetGoKey(step);
    Flush();
}

void TInstrumentPanel::pbxInstrumentMouseDown(QPoint point) {
    view_.MouseDown(point.x(), point.y());
    Flush();
    // The key or fret sounds as it goes down, and follows a drag to the next one.
    if (view_.MouseHeld())
        cues_.KeyDown(view_.PressedKey());
}

void TInstrumentPanel::pbxInstrumentMouseMove(QPoint point) {
    view_.MouseMove(point.x(), point.y());
    Flush();
    if (view_.MouseHeld())
        cues_.KeyDown(view_.PressedKey());
}

void TInstrumentPanel::pbxInstrumentMouseUp(QPoint point) {
    const int answer = view_.MouseUp(point.x(), point.y());
    Flush();
    cues_.KeyUp();
    if (answer >= 0 && engine_.State.Running)
        engine_.JudgeAnswer(answer);
}

} // namespace quavix
