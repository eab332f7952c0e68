#pragma once

#include "Canvas.h"
#include "NoteTable.h"

#include <cstdint>

namespace quavix {

// What the staff picture and the results' mastery map draw alike.

// The clef picture (Artwork::ClefCount) of a clef (NoteClefs); a grey treble or bass clef marks a staff
// the quiz leaves out.
int ClefPicture(std::uint8_t clef, bool asked);

// The ledger lines of a note drawn at x, moved down by dy: a note whose staff is given (StaffTop) takes as
// many as its place needs from the staff; the other notes' pictures carry theirs.
void DrawLedgerLines(Canvas& canvas, const NoteEntry& note, int x, int dy = 0);

} // namespace quavix
