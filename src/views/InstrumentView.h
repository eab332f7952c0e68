#pragma once

#include "Canvas.h"

#include <cstdint>

namespace quavix {

// The instrument paint box: the piano (input mode 1) or the guitar (input mode 2), and the press, drag and
// release protocol they share. Pointer events come in as paint-box pixels and a completed press comes out
// as an AnswerCode.
class InstrumentView {
public:
    static constexpr int Width = 377;
    static constexpr int Height = 101;

    explicit InstrumentView(Canvas& canvas);

    std::uint8_t InputMode = 0;
    bool FullRange = false;
    std::uint8_t KeyboardLayout = 0;
    bool RichColour = true;

    std::int32_t PressedKey = -1;
    bool MouseHeld = false;
    std::int32_t GuitarString = 0;
    std::int32_t GuitarFret = 0;

    // Picks the layout for FullRange and the staff choice, then repaints at once.
    void ChooseKeyboardLayout(std::uint8_t staffChoice);
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

private:
    Canvas& canvas_;
};

} // namespace quavix
