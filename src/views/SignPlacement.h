#pragma once

#include "KeySignatures.h"

#include <cstdint>
#include <vector>

namespace quavix {

// Where the signs go on the staff: the key signature after each clef, in the order and on the lines and
// spaces engravers use, and the room it takes from the notes.
struct PlacedSign {
    NoteSign Sign = NoteSign::None;
    int Step = 0; // the staff step the sign stands on
    int X = 0;    // its picture's left edge
};

// The key signature after a staff's clef (NoteClefs), left to right.
std::vector<PlacedSign> KeySignatureSigns(int fifths, std::uint8_t clef);

// The first column right of the key signature, where nothing of it is drawn.
int KeySignatureEnd(int fifths);

// A note's picture is drawn at x (its left edge); a sign before it stands this far left of that.
constexpr int SignRoom = 5;

// Where the note the quiz places at x is drawn. Without a key signature that is x itself; a key
// signature of many signs pushes the first notes right, and the twenty places close up so the last stays
// where it always was.
int NoteLeftFor(int x, int fifths);

} // namespace quavix
