#include "StaffPanel.h"

#include "PaintBox.h"
#include "StaffPlan.h"

namespace quavix {

TStaffPanel::TStaffPanel(ui::TPaintBox& box, const Settings& settings, QObject* parent)
    : QObject(parent), box_(box), view_(box.Surface(), settings) {}

void TStaffPanel::SetColours(QRgb background, QRgb window) {
    view_.SetBackgroundColour(background);
    window_ = window;
}

void TStaffPanel::Repaint() {
    // A full repaint starts from the window's background, as an uncovered window would: what the staff
    // view leaves out (right of the closing bar line, and that line below a single staff) shows the window
    // and keeps no old pixels.
    Canvas& canvas = box_.Surface();
    canvas.Fill(0, 0, canvas.Width(), canvas.Height(), window_);
    view_.pbxStaffPaint();
    box_.Flush();
}

void TStaffPanel::DrawNote(const NoteEntry& note, int x) {
    view_.DrawNote(note, x);
    box_.Flush();
}

void TStaffPanel::ShowQuizKey(int fifths) {
    const int before = view_.KeyShown();
    view_.ShowQuizKey(fifths);
    if (view_.KeyShown() != before)
        Repaint();
}

void TStaffPanel::EraseNote(int x) {
    view_.EraseNote(x);
    box_.Flush();
}

QPoint TStaffPanel::NoteAnchor(const NoteEntry& note, int x) const {
    return box_.pos() + QPoint(view_.NoteLeft(x) + 10, note.Top - 2);
}

void TStaffPanel::ShowAtRatio(double ratio) {
    if (box_.Surface().SetRatio(ratio))
        Repaint();
}

void TStaffPanel::FollowSettings(const Settings& now, const Settings& before) {
    const bool keyChanged = now.Accidentals != before.Accidentals || now.Key != before.Key ||
                            now.KeyEachQuiz != before.KeyEachQuiz;
    if (NoteSetDiffers(now, before) || keyChanged)
        Repaint();
}

} // namespace quavix
