#include "InstrumentPanel.h"

#include "PaintBox.h"
#include "QuizEngine.h"

namespace quavix {

TInstrumentPanel::TInstrumentPanel(ui::TPaintBox& box, const Settings& settings, KeyPresses& presses,
                                   QuizEngine& engine, QObject* parent)
    : QObject(parent), box_(box), presses_(presses), engine_(engine), view_(box.Surface(), settings),
      mouse_(view_, presses, settings) {
    presses_.AddObserver(this);
    // What the mouse holds shows through HolderChanged, like any other key.
    connect(&box_, &ui::TPaintBox::mousePressed, this,
            [this](QPoint point) { mouse_.Down(point.x(), point.y()); });
    connect(&box_, &ui::TPaintBox::mouseMoved, this,
            [this](QPoint point) { mouse_.Move(point.x(), point.y()); });
    connect(&box_, &ui::TPaintBox::mouseReleased, this, &TInstrumentPanel::MouseUp);
}

TInstrumentPanel::~TInstrumentPanel() {
    presses_.RemoveObserver(this);
}

void TInstrumentPanel::Repaint() {
    view_.pbxInstrumentPaint();
    box_.Flush();
}

void TInstrumentPanel::CancelPress() {
    mouse_.Cancel();
}

void TInstrumentPanel::ShowAtRatio(double ratio) {
    if (box_.Surface().SetRatio(ratio))
        Repaint();
}

void TInstrumentPanel::FollowSettings(const Settings& now, const Settings& before) {
    if (now.InputMode != before.InputMode) {
        // The marker stood on the old instrument, which is gone: nothing of it is drawn on the new one.
        view_.Forget();
        mouse_.Cancel();
        presses_.LetGoOfInstrument();
    } else if (KeyboardLayoutFor(now) != KeyboardLayoutFor(before)) {
        // The mouse pressed a place of the old keyboard, which may be another key on the new one: it lets
        // go. A MIDI key stays held and shows where the new keyboard has it.
        mouse_.Cancel();
    }
    Repaint();
}

void TInstrumentPanel::HolderChanged(const KeyPress* holder) {
    view_.ShowHeld(holder ? holder->Spot : std::nullopt);
    box_.Flush();
}

void TInstrumentPanel::MouseUp(QPoint point) {
    const std::optional<Answer> answer = mouse_.Up(point.x(), point.y());
    if (answer)
        engine_.TakeAnswer(*answer);
}

} // namespace quavix
