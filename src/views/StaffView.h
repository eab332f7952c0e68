#pragma once

#include "Canvas.h"
#include "QuizEngine.h"

namespace quavix {

// The staff with its clefs and, while a quiz runs, the note being asked. It keeps no picture of its own:
// everything follows from the engine's state and the background colour.
class StaffView final {
public:
    static constexpr int Width = 292;
    static constexpr int Height = 158;
    static constexpr int StaffLineEnd = 280;
    static constexpr int EraseWidth = 24;

    StaffView(Canvas& canvas, const QuizEngine& engine);

    void SetBackgroundColour(QRgb colour) { background_ = colour; }
    QRgb BackgroundColour() const { return background_; }

    void RedrawStaffStrip(int x, int width);
    void DrawStaves();
    void pbxStaffPaint();
    void DrawNote();
    void EraseNote();
    int NoteX() const;

private:
    Canvas& canvas_;
    const QuizEngine& engine_;
    QRgb background_ = 0xF0F0F0;
};

} // namespace quavix
