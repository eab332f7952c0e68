#include "StaffView.h"

#include "Artwork.h"

namespace quavix {

namespace {
constexpr QRgb Black = 0x000000;
constexpr QPoint UpperClefAt{6, 8};
constexpr QPoint LowerClefAt{6, 84};

// Clef pictures: 0 black bass, 1 black treble, 2 grey bass, 3 grey treble. A grey clef marks a staff the
// quiz leaves out.
int UpperClef(std::uint8_t staffChoice) {
    return staffChoice == BassStaff ? 3 : 1;
}
int LowerClef(std::uint8_t staffChoice) {
    return staffChoice == TrebleStaff ? 2 : 0;
}
} // namespace

StaffView::StaffView(Canvas& canvas, const QuizEngine& engine) : canvas_(canvas), engine_(engine) {}

void StaffView::RedrawStaffStrip(int x, int width) {
    canvas_.Fill(x, 0, x + width, Height, background_);
    const bool grandStaff = engine_.CurrentSettings().InputMode != GuitarFrets;
    for (int i = 0; i < 5; ++i) {
        canvas_.Line(x, TrebleStaffTop + StaffLineSpacing * i, x + width,
                     TrebleStaffTop + StaffLineSpacing * i, Black);
        if (grandStaff)
            canvas_.Line(x, BassStaffTop + StaffLineSpacing * i, x + width,
                         BassStaffTop + StaffLineSpacing * i, Black);
    }
}

void StaffView::DrawStaves() {
    RedrawStaffStrip(0, StaffLineEnd);
    // One bar line at each end joins both staves of the grand staff.
    const int bottom = engine_.CurrentSettings().InputMode == GuitarFrets
                           ? TrebleStaffTop + 4 * StaffLineSpacing
                           : BassStaffTop + 4 * StaffLineSpacing;
    canvas_.Line(0, TrebleStaffTop, 0, bottom + 1, Black);
    canvas_.Line(StaffLineEnd, TrebleStaffTop, StaffLineEnd, bottom + 1, Black);
}

void StaffView::pbxStaffPaint() {
    DrawStaves();
    // The pictures are drawn for the canvas's ratio and for their rows, so their staff lines continue the
    // canvas's on the same device rows.
    const double ratio = canvas_.Ratio();
    const std::uint8_t staffChoice = engine_.CurrentSettings().StaffChoice;
    canvas_.DrawOpaque(UpperClefAt.x(), UpperClefAt.y(),
                       Artwork::Clef(UpperClef(staffChoice), ratio, UpperClefAt.y()), background_);
    if (engine_.CurrentSettings().InputMode != GuitarFrets)
        canvas_.DrawOpaque(LowerClefAt.x(), LowerClefAt.y(),
                           Artwork::Clef(LowerClef(staffChoice), ratio, LowerClefAt.y()), background_);
    DrawNote();
}

void StaffView::DrawNote() {
    const QuizState& state = engine_.State;
    if (!state.Running || state.CurrentNote < 0 || state.CurrentNote >= NoteTableRows)
        return;
    const NoteEntry& note = engine_.Table[state.CurrentNote];
    // Only the note's own pixels reach the staff; the lines around and between them stay.
    canvas_.Draw(NoteX(), note.Top, Artwork::Note(note.Glyph, canvas_.Ratio(), note.Top));
}

void StaffView::EraseNote() {
    if (engine_.State.CurrentNote < 0)
        return;
    RedrawStaffStrip(NoteX(), EraseWidth);
}

int StaffView::NoteX() const {
    return engine_.NoteX();
}

} // namespace quavix
