#pragma once

// The code that draws the program's pictures. It runs while the program is built: the artwork baker
// writes what these functions draw into a source file of constant pixels, and the program only wraps
// those (Artwork.h). Every call draws afresh; sizes, indexes and rules are those of Artwork.h.

#include <QImage>

namespace quavix::ArtworkDrawing {

QImage Clef(int index);
QImage Note(int glyph);
QImage Letter(int index, bool enabled);
QImage ToolbarIcon(int index, bool enabled);
QImage Timer();
QImage Logo();
QImage ProgramIcon(int size); // any size from 16 to 256
QImage PointingHand();

} // namespace quavix::ArtworkDrawing
