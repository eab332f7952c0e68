#pragma once

// The clefs past treble and bass, drawn as the treble and bass clefs are (29 pixels wide, the staff's lines
// on rows 14 to 54), for ArtworkDrawing::Clef.

#include "PixelGrid.h"

#include <QImage>
#include <QRgb>

namespace quavix::ArtworkDrawing {

// The C clef centred on row centreRow (34 for the middle line, 24 for the fourth).
QImage CClef(int centreRow, QRgb ink, const PictureGrid& grid);
// The treble clef with a small 8 below; 84 rows tall, so the 8 hangs beneath the staff.
QImage OctaveTrebleClef(QRgb ink, const PictureGrid& grid);

} // namespace quavix::ArtworkDrawing
