#pragma once

#include "Canvas.h"
#include "Settings.h"

#include <cstdint>

namespace quavix {

// The instrument paint box: the piano (input mode 1) or the guitar (input mode 2), and the press, drag and
// release protocol they share. Pointer events come in as paint-box pixels and a completed press comes out
// as an AnswerCode.
class InstrumentView final {
public:
    static constexpr int Width = 377;
    static constexpr int Height = 101;

    // Reads the input mode, range, staff choice and colour scheme from settings, which outlive the view.
    InstrumentView(Canvas& canvas, const Settings& settings);

    std::uint8_t KeyboardLayout() const { return KeyboardLayoutFor(settings_); }
    // The key or fret position under a held button (for the guitar its note), -1 for none.
    std::int32_t PressedKey() const { return pressedKey_; }
    bool MouseHeld() const { return mouseHeld_; }
    std::int32_t GuitarString() const { return guitarString_; }
    std::int32_t GuitarFret() const { return guitarFret_; }

    // Repaints the whole instrument of the input mode (nothing for note buttons), marker included.
    void pbxInstrumentPaint();
    void ShowPressedMarker(bool show);

    // The answer position under the point, -1 for none; for the guitar also its string and fret.
    int HitTest(int x, int y, int& guitarString, int& fret) const;

    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    // Ends a press: the AnswerCode of the position under the pointer, or -1 when there is none (or no
    // press was in progress).
    int MouseUp(int x, int y);
    // Takes the marker away and forgets the held position (the quiz ended under a held button).
    void ReleasePressedKey();
    // Ends a press whose release will never come here (a menu or a modal box took it), with no answer.
    void CancelPress();

    // A key of a MIDI keyboard holds the instrument's key at a written staff step (on the guitar, the
    // note's lowest position): its marker shows while it is held, where the instrument shows that key. A
    // mouse press takes the instrument over from it, and a held mouse button keeps it.
    void HoldKey(int step);
    // The MIDI key of that step went up; nothing when something else holds the instrument by now.
    void LetGoKey(int step);
    bool KeyHeld() const { return keyHeld_; }

private:
    void Hold(int key, int guitarString, int fret);

    Canvas& canvas_;
    const Settings& settings_;
    std::int32_t pressedKey_ = -1;
    bool mouseHeld_ = false;
    bool keyHeld_ = false;
    std::int32_t guitarString_ = 0;
    std::int32_t guitarFret_ = 0;
};

} // namespace quavix
