#pragma once

#include "artwork/PictureSet.h"

#include <QImage>

namespace quavix::Artwork {

// Every picture is ARGB32 with alpha 0 (transparent) or 255 (opaque), and none holds pure green 0x00FF00.
// Pictures are drawn by code while the program is built (artwork/) and compiled in as constant pixels.

const QImage& Clef(int index);                    // 29 x 72
const QImage& Note(int glyph);                    // 20 x 68
const QImage& Letter(int index, bool enabled);    // 24 x 24
const QImage& ToolbarIcon(int index, bool enabled); // 24 x 24
const QImage& Timer();                            // 80 x 134, the hourglass
const QImage& Logo();                             // 96 x 96
QImage ProgramIcon(int size);                     // 64, 32 or 16
const QImage& PointingHand();                     // 32 x 32, hot spot PointingHandHotSpot

} // namespace quavix::Artwork
