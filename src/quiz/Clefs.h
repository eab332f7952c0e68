#pragma once

#include "NoteItem.h"
#include "StepRange.h"

#include <cstdint>

namespace quavix {

// Where a clef puts its notes. A staff position counts from the bottom line: 0 is that line, 8 the top
// line, odd numbers the spaces, below 0 and above 8 the notes on ledger lines and between them.
//
// The written step of the clef's bottom line: E4 in the treble clef, G2 in the bass clef, F3 in the alto
// clef (middle C on the middle line), D3 in the tenor clef (middle C on the fourth line). The octave-treble
// clef is written as the treble clef. Any other number is read as the treble clef.
int BottomLineStep(std::uint8_t clef);
int StaffPosition(std::uint8_t clef, int step);
int StepAtPosition(std::uint8_t clef, int position);
// The line the clef's sign is centred on, as a staff position: the G line, the F line, the C line.
int ClefLinePosition(std::uint8_t clef);

// How many ledger lines a note at this staff position needs (counted away from the staff).
int LedgerLinesAt(int position);

// The step a written note sounds at: an octave below for the octave-treble clef, as written otherwise.
int SoundingStep(std::uint8_t clef, int writtenStep);

// Whether the number is one of the clefs this version knows.
bool KnownClef(int clef);

} // namespace quavix
