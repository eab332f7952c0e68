#pragma once

// An instrument as the window has it, without a window: the view on its canvas, the press protocol and the
// mouse on it. The view's marker follows the key holding the instrument, as the window's panel makes it.

#include "InstrumentMouse.h"
#include "InstrumentView.h"
#include "MidiNotes.h"

#include <memory>

struct InstrumentBox final : quavix::KeyPressObserver {
    quavix::Canvas canvas;
    quavix::Settings settings;
    quavix::InstrumentView view{canvas, settings};
    quavix::KeyPresses presses;
    quavix::InstrumentMouse mouse{view, presses, settings};

    explicit InstrumentBox(double ratio = 1.0)
        : canvas(QSize(quavix::InstrumentView::Width, quavix::InstrumentView::Height), ratio) {
        presses.AddObserver(this);
    }
    InstrumentBox(const InstrumentBox&) = delete;
    InstrumentBox& operator=(const InstrumentBox&) = delete;

    // The piano of a layout (0 the single octave, 1 to 3 treble, bass and all notes in full range), and
    // the guitar in either colour set, painted as the window shows them.
    static std::unique_ptr<InstrumentBox> Piano(int layout, double ratio = 1.0) {
        auto box = std::make_unique<InstrumentBox>(ratio);
        box->settings.InputMode = quavix::PianoKeys;
        box->settings.StaffChoice = quavix::StaffChoices(layout == 0 ? 0 : layout - 1);
        box->settings.FullRange = layout != 0;
        box->Paint();
        return box;
    }
    static std::unique_ptr<InstrumentBox> Guitar(bool rich = true, double ratio = 1.0) {
        auto box = std::make_unique<InstrumentBox>(ratio);
        box->settings.InputMode = quavix::GuitarFrets;
        box->settings.FullRange = true;
        box->view.SetRichColour(rich);
        box->Paint();
        return box;
    }
    void Paint() {
        view.pbxInstrumentPaint();
        canvas.TakeDirty();
    }

    void Down(int x, int y) { mouse.Down(x, y); }
    void Move(int x, int y) { mouse.Move(x, y); }
    // The written step of the key the release answers, -1 for none.
    int Up(int x, int y) {
        const std::optional<quavix::Answer> answer = mouse.Up(x, y);
        return answer ? quavix::WhiteKeyStep(answer->Key).value_or(-1) : -1;
    }
    // The step of the key the marker stands on, -1 for none.
    int Marked() const { return view.Marked().Step; }

    void KeyDown(const quavix::KeyPress&) override {}
    void KeyUp(const quavix::KeyPress&) override {}
    void KeyMoved(const quavix::KeyPress&, const quavix::KeyPress&) override {}
    void HolderChanged(const quavix::KeyPress* holder) override {
        view.ShowHeld(holder ? holder->Spot : std::nullopt);
    }
};
