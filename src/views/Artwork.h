#pragma once

#include <QImage>
#include <QPoint>

namespace quavix::Artwork {

// Every picture is ARGB32 with alpha 0 (transparent) or 255 (opaque), and none holds pure green 0x00FF00.
// Pictures are drawn by code while the program is built (artwork/) and compiled in as constant pixels.

constexpr int ClefCount = 4;        // 0 black bass, 1 black treble, 2 grey bass, 3 grey treble
constexpr int NoteCount = 10;       // indexed by a note table row's Glyph
constexpr int LetterCount = 7;      // A..G
constexpr int ToolbarIconCount = 10;
constexpr QPoint PointingHandHotSpot{13, 7};
constexpr QRgb NoteGrey = 0x7B7B7B;

const QImage& Clef(int index);                    // 29 x 72
const QImage& Note(int glyph);                    // 20 x 68
const QImage& Letter(int index, bool enabled);    // 24 x 24
const QImage& ToolbarIcon(int index, bool enabled); // 24 x 24
const QImage& Timer();                            // 80 x 134, the hourglass
const QImage& Logo();                             // 96 x 96
QImage ProgramIcon(int size);                     // 64, 32 or 16
const QImage& PointingHand();                     // 32 x 32, hot spot PointingHandHotSpot

} // namespace quavix::Artwork
