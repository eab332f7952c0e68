#pragma once

// The code that draws the program's pictures. It runs while the program is built: the artwork baker
// writes what these functions draw into a source file of constant pixels, and the program only wraps
// those (Artwork.h); a screen with a ratio that was not baked gets its pictures drawn here when first
// shown. Every call draws afresh; sizes, indexes and rules are those of Artwork.h.
//
// Each picture is drawn for a device pixel ratio, at its logical size times the ratio, and carries that
// ratio. The staff's pictures are drawn for their place on the staff (a PictureGrid), so that their lines
// fall on the canvas's device rows.

#include "PixelGrid.h"

#include <QByteArray>
#include <QImage>

namespace quavix::ArtworkDrawing {

QImage Clef(int index, const PictureGrid& grid = PictureGrid());
QImage Note(int glyph, const PictureGrid& grid = PictureGrid());
QImage Sign(int index, const PictureGrid& grid = PictureGrid()); // index as Artwork::SignCount says
QImage SignButton(int index, bool enabled, double ratio = 1.0);  // a sign on a 24 x 24 button picture
QImage Letter(int index, bool enabled, double ratio = 1.0);
QImage NoteName(int index, bool enabled, double ratio = 1.0); // index as Artwork::NameCount says
QImage ToolbarIcon(int index, bool enabled, double ratio = 1.0);
QImage Timer(double ratio = 1.0);
QImage Logo(double ratio = 1.0);
QImage ProgramIcon(int size); // any size from 16 to 256, in device pixels
QByteArray ProgramIconSvg();  // the program icon as a scalable picture, from the same shapes
QImage PointingHand(double ratio = 1.0);
QImage Question(double ratio = 1.0);

} // namespace quavix::ArtworkDrawing
