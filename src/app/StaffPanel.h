#pragma once

// The staff as the window shows it: the staff view drawing on its paint box, repainted whole when the
// settings or the screen's ratio ask for it, and the note asked drawn and erased as the quiz goes.

#include "Settings.h"
#include "StaffView.h"

#include <QObject>
#include <QPoint>
#include <QRgb>

namespace quavix {

namespace ui {
class TPaintBox;
}

class TStaffPanel final : public QObject {
    Q_OBJECT
public:
    // The box and the settings outlive the panel.
    TStaffPanel(ui::TPaintBox& box, const Settings& settings, QObject* parent);

    // The staff's own background, and the window's colour, which shows right of the closing bar line.
    void SetColours(QRgb background, QRgb window);
    // Paints the whole staff: the window's colour, the staves, the clefs and the note shown.
    void Repaint();
    void DrawNote(const NoteEntry& note, int x);
    void EraseNote(int x);
    // The key a quiz was given when each quiz takes a different one; its signature is drawn.
    void ShowQuizKey(int fifths);
    // Where a message about the note drawn at x points, in the box's parent's pixels: just above the
    // note's picture, about the middle of its width.
    QPoint NoteAnchor(const NoteEntry& note, int x) const;

    // A new device pixel ratio: the surface is laid out again and the staff painted anew.
    void ShowAtRatio(double ratio);
    // Repaints when what the staff shows changed: the staves of the guitar or the staff choice.
    void FollowSettings(const Settings& now, const Settings& before);

private:
    ui::TPaintBox& box_;
    StaffView view_;
    QRgb window_ = 0xF0F0F0;
};

} // namespace quavix
