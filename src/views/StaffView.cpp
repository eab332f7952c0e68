#include "StaffView.h"

#include "Artwork.h"
#include "StaffPlan.h"

namespace quavix {

namespace {
constexpr QRgb Black = 0x000000;
constexpr int ClefX = 6;
constexpr int ClefRowsAboveStaff = 14; // a clef picture's top line is its row 14
constexpr int StaffHeight = 4 * StaffLineSpacing;
constexpr int NoteWidth = 20;

// Clef pictures (Artwork::ClefCount): a grey clef marks a staff the quiz leaves out.
int ClefPicture(std::uint8_t clef, bool asked) {
    switch (clef) {
    case BassClef:
        return asked ? 0 : 2;
    case AltoClef:
        return Artwork::AltoClefPicture;
    case TenorClef:
        return Artwork::TenorClefPicture;
    case OctaveTrebleClef:
        return Artwork::OctaveTreblePicture;
    default:
        return asked ? 1 : 3;
    }
}

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
    for (int staff = 0; staff < DrawnStaves(settings_, plan); ++staff) {
        const int top = plan.StaffTop(staff) - ClefRowsAboveStaff;
        const int picture = ClefPicture(plan.Clefs[std::size_t(staff)], plan.Asked[std::size_t(staff)]);
        canvas_.DrawOpaque(ClefX, top, Artwork::Clef(picture, ratio, top), background_);
    }
    if (shown_)
        Draw(*shown_);
}

void StaffView::DrawNote(const NoteEntry& note, int x) {
    shown_ = ShownNote{note, x};
    Draw(*shown_);
}

void StaffView::Draw(const ShownNote& shown) {
    // Only the note's own pixels reach the staff; the lines around and between them stay.
    DrawLedgerLines(shown);
    canvas_.Draw(shown.X, shown.Note.Top, Artwork::Note(shown.Note.Glyph, canvas_.Ratio(), shown.Note.Top));
}

void StaffView::DrawLedgerLines(const ShownNote& shown) {
    // A note whose staff is given takes its ledger lines from the staff, as many as its place needs; the
    // other notes' pictures carry theirs.
    const int staffTop = shown.Note.StaffTop;
    if (staffTop == 0)
        return;
    const int bottomLine = staffTop + StaffHeight;
    const int headY = shown.Note.Top + HeadOffset(shown.Note.Glyph);
    for (int y = staffTop - StaffLineSpacing; y >= headY; y -= StaffLineSpacing)
        canvas_.Line(shown.X, y, shown.X + NoteWidth, y, Black);
    for (int y = bottomLine + StaffLineSpacing; y <= headY; y += StaffLineSpacing)
        canvas_.Line(shown.X, y, shown.X + NoteWidth, y, Black);
}

void StaffView::EraseNote(int x) {
    shown_.reset();
    RedrawStaffStrip(x, EraseWidth);
}

} // namespace quavix
