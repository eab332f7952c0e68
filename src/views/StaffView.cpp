#include "StaffView.h"

#include "Artwork.h"
#include "Clefs.h"
#include "SignPlacement.h"
#include "StaffDrawing.h"
#include "StaffPlan.h"

#include <algorithm>

namespace quavix {

namespace {
constexpr QRgb Black = 0x000000;
constexpr int ClefX = 6;
constexpr int ClefRowsAboveStaff = 14; // a clef picture's top line is its row 14
constexpr int StaffHeight = 4 * StaffLineSpacing;

// The guitar's music stands on one staff, the upper one of the grand staff.
int DrawnStaves(const Settings& settings, const StaffPlan& plan) {
    return settings.InputMode == GuitarFrets ? 1 : plan.StaffCount();
}
} // namespace

StaffView::StaffView(Canvas& canvas, const Settings& settings) : canvas_(canvas), settings_(settings) {}

void StaffView::RedrawStaffStrip(int x, int width) {
    canvas_.Fill(x, 0, x + width, Height, background_);
    const StaffPlan plan = PlanFor(settings_);
    for (int staff = 0; staff < DrawnStaves(settings_, plan); ++staff)
        for (int i = 0; i < 5; ++i) {
            const int y = plan.StaffTop(staff) + StaffLineSpacing * i;
            canvas_.Line(x, y, x + width, y, Black);
        }
}

void StaffView::DrawStaves() {
    RedrawStaffStrip(0, StaffLineEnd);
    // One bar line at each end joins the staves.
    const StaffPlan plan = PlanFor(settings_);
    const int top = plan.StaffTop(0);
    const int bottom = plan.StaffTop(DrawnStaves(settings_, plan) - 1) + StaffHeight;
    canvas_.Line(0, top, 0, bottom + 1, Black);
    canvas_.Line(StaffLineEnd, top, StaffLineEnd, bottom + 1, Black);
}

void StaffView::pbxStaffPaint() {
    DrawStaves();
    // The pictures are drawn for the canvas's ratio and for their rows, so their staff lines continue the
    // canvas's on the same device rows.
    const double ratio = canvas_.Ratio();
    const StaffPlan plan = PlanFor(settings_);
    const int key = KeyShown();
    for (int staff = 0; staff < DrawnStaves(settings_, plan); ++staff) {
        const std::uint8_t clef = plan.Clefs[std::size_t(staff)];
        const int top = plan.StaffTop(staff) - ClefRowsAboveStaff;
        const int picture = ClefPicture(clef, plan.Asked[std::size_t(staff)]);
        canvas_.DrawOpaque(ClefX, top, Artwork::Clef(picture, ratio, top), background_);
        if (key != 0)
            DrawKeySignature(key, plan.StaffTop(staff), clef);
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

void StaffView::DrawKeySignature(int fifths, int staffTop, std::uint8_t clef) {
    constexpr int TopLinePosition = 8;
    for (const PlacedSign& placed : KeySignatureSigns(fifths, clef))
        DrawSign(placed.Sign, placed.X,
                 staffTop + PixelsPerStep * (TopLinePosition - StaffPosition(clef, placed.Step)));
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
    DrawLedgerLines(canvas_, shown.Note, shown.X);
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
