#pragma once

#include "Canvas.h"
#include "Settings.h"

#include <optional>

namespace quavix {

// The staff with its clefs and the note being asked, if one is. It keeps no picture of its own: everything
// follows from the settings, the note it was last told to show and the background colour.
class StaffView final {
public:
    static constexpr int Width = 292;
    static constexpr int Height = 158;
    static constexpr int StaffLineEnd = 280;
    static constexpr int EraseWidth = 24;

    // Reads the input mode and the staff choice from settings, which outlive the view.
    StaffView(Canvas& canvas, const Settings& settings);

    void SetBackgroundColour(QRgb colour) { background_ = colour; }
    QRgb BackgroundColour() const { return background_; }

    void RedrawStaffStrip(int x, int width);
    void DrawStaves();
    // The staves, their clefs and the note shown.
    void pbxStaffPaint();
    // Shows a note with its picture's left edge at x, until EraseNote.
    void DrawNote(const NoteEntry& note, int x);
    // Clears the strip at x, and the note shown.
    void EraseNote(int x);
    // The key of the quiz that began, when it draws a different key each quiz.
    void ShowQuizKey(int fifths) { quizKey_ = fifths; }
    // The key signature drawn after the clefs: 0 (none) unless the notes are asked in a key.
    int KeyShown() const;
    // Where the note the quiz places at x is drawn: right of the key signature.
    int NoteLeft(int x) const;

private:
    struct ShownNote {
        NoteEntry Note;
        int X;
    };
    void Draw(const ShownNote& shown);
    void DrawKeySignature(int fifths, int staffTop, std::uint8_t clef);
    void DrawSign(NoteSign sign, int x, int headY);

    Canvas& canvas_;
    const Settings& settings_;
    QRgb background_ = 0xF0F0F0;
    std::optional<ShownNote> shown_;
    int quizKey_ = 0;
};

} // namespace quavix
