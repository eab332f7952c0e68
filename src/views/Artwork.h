#pragma once

#include "artwork/PictureSet.h"

#include <cstdint>

#include <QImage>

namespace quavix::Artwork {

// Every picture is ARGB32 with alpha 0 (transparent) or 255 (opaque), and none holds pure green 0x00FF00.
// Each is drawn for a device pixel ratio: it is its logical size (below) times the ratio in device pixels
// and carries the ratio, so nothing is ever shown enlarged. For the ratios people use the pictures are
// drawn while the program is built (artwork/) and compiled in as constant pixels; any other ratio has its
// pictures drawn the first time each is asked for.
//
// The staff's pictures are drawn for the row they are shown at, `top`, so that their lines fall on the
// device rows the canvas gives the same logical rows.

const QImage& Clef(int index, double ratio = 1.0, int top = 0); // 29 x 72 (the octave treble 29 x 84)
const QImage& Note(int glyph, double ratio = 1.0, int top = 0); // 20 x 68
// A sharp, flat or natural sign (SignCount), SignWidth x SignHeight; drawn the first time it is shown.
const QImage& Sign(int index, double ratio = 1.0, int top = 0);
// The same sign on a note button's 24 x 24 picture, black or greyed.
const QImage& SignButton(int index, bool enabled, double ratio = 1.0);
const QImage& Letter(int index, bool enabled, double ratio = 1.0); // 24 x 24
// The name of the note with letter index 0..6 (A..G) in a naming (NoteNamings): its letter, the German H
// or its syllable as the program's language writes it (Ré in French), in the letters' style.
const QImage& NoteName(int index, std::uint8_t naming, bool enabled, double ratio = 1.0); // 24 x 24
const QImage& ToolbarIcon(int index, bool enabled, double ratio = 1.0);                   // 24 x 24
const QImage& Timer(double ratio = 1.0);        // 80 x 134, the hourglass
const QImage& Logo(double ratio = 1.0);         // 96 x 96
QImage ProgramIcon(int size);                   // size x size device pixels
const QImage& PointingHand(double ratio = 1.0); // 32 x 32, hot spot PointingHandHotSpot
const QImage& Question(double ratio = 1.0);     // 32 x 32, the question box's picture

// Whether the pictures for this ratio were drawn while building.
bool IsBaked(double ratio);

} // namespace quavix::Artwork
