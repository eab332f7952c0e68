#include "StaffView.h"

#include "Artwork.h"
#include "SignPlacement.h"

#include <algorithm>

namespace quavix {

namespace {
constexpr QRgb Black = 0x000000;
constexpr QPoint UpperClefAt{6, 8};
constexpr QPoint LowerClefAt{6, 84};

// Clef pictures: 0 black bass, 1 black treble, 2 grey bass, 3 grey treble. A grey clef marks a staff the
// quiz leaves out.
int UpperClef(StaffChoices staffChoice) {
    return staffChoice == BassStaff ? 3 : 1;
}
int LowerClef(StaffChoices staffChoice) {
    return staffChoice == TrebleStaff ? 2 : 0;
}
} // namespace

StaffView::StaffView(Canvas& canvas, const Settings& settings) : canvas_(canvas), settings_(settings) {}

void StaffView::RedrawStaffStrip(int x, int width) {
    canvas_.Fill(x, 0, x + width, Height, background_);
    const bool grandStaff = settings_.InputMode != GuitarFrets;
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
    const int bottom = settings_.InputMode == GuitarFrets ? TrebleStaffTop + 4 * StaffLineSpacing
                                                          : BassStaffTop + 4 * StaffLineSpacing;
    canvas_.Line(0, TrebleStaffTop, 0, bottom + 1, Black);
    canvas_.Line(StaffLineEnd, TrebleStaffTop, StaffLineEnd, bottom + 1, Black);
}

void StaffView::pbxStaffPaint() {
    DrawStaves();
    // The pictures are drawn for the canvas's ratio and for their rows, so their staff lines continue the
    // canvas's on the same device rows.
    const double ratio = canvas_.Ratio();
    const StaffChoices staffChoice = settings_.StaffChoice;
    canvas_.DrawOpaque(UpperClefAt.x(), UpperClefAt.y(),
                       Artwork::Clef(UpperClef(staffChoice), ratio, UpperClefAt.y()), background_);
    if (settings_.InputMode != GuitarFrets)
        canvas_.DrawOpaque(LowerClefAt.x(), LowerClefAt.y(),
                           Artwork::Clef(LowerClef(staffChoice), ratio, LowerClefAt.y()), background_);
    if (const int key = KeyShown(); key != 0) {
        DrawKeySignature(key, TrebleStaffTop, true);
        if (settings_.InputMode != GuitarFrets)
            DrawKeySignature(key, BassStaffTop, false);
    }
    if (shown_)
        Draw(*shown_);
}

int StaffView::KeyShown() const {
    if (settings_.Accidentals != InKey)
        return 0;
    return settings_.KeyEachQuiz ? quizKey_ : settings_.Key;
}

int StaffView::NoteLeft(int x) const {
    return NoteLeftFor(x, KeyShown());
}

void StaffView::DrawKeySignature(int fifths, int staffTop, bool treble) {
    // The top line is step 22 on the treble staff and step 10 on the bass staff.
    const int topStep = treble ? 22 : 10;
    for (const PlacedSign& placed : KeySignatureSigns(fifths, treble))
        DrawSign(placed.Sign, placed.X, staffTop + PixelsPerStep * (topStep - placed.Step));
}

void StaffView::DrawSign(NoteSign sign, int x, int headY) {
    if (sign == NoteSign::None)
        return;
    const int top = headY - Artwork::SignCentreRow;
    canvas_.Draw(x, top, Artwork::Sign(int(sign) - 1, canvas_.Ratio(), top));
}

void StaffView::DrawNote(const NoteEntry& note, int x) {
    shown_ = ShownNote{note, NoteLeft(x)};
    Draw(*shown_);
}

void StaffView::Draw(const ShownNote& shown) {
    // Only the note's own pixels reach the staff; the lines around and between them stay.
    canvas_.Draw(shown.X, shown.Note.Top, Artwork::Note(shown.Note.Glyph, canvas_.Ratio(), shown.Note.Top));
    // The sign goes with its note, left of the head, on the note's line or space.
    DrawSign(shown.Note.Sign, shown.X - SignRoom, shown.Note.Top + HeadOffset(shown.Note.Glyph));
}

void StaffView::EraseNote(int x) {
    shown_.reset();
    // With sharps and flats asked, the strip reaches left over the note's sign, but never into the key
    // signature (the quiz clears the place before its first note, too).
    const int room = settings_.Accidentals != NaturalsOnly ? SignRoom : 0;
    const int right = NoteLeft(x) + EraseWidth;
    int left = NoteLeft(x) - room;
    if (const int key = KeyShown(); key != 0)
        left = std::max(left, KeySignatureEnd(key) + 1);
    if (right > left)
        RedrawStaffStrip(left, right - left);
}

} // namespace quavix
