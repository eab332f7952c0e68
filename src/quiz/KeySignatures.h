#pragma once

#include "NoteNames.h"

#include <cstdint>
#include <string>

namespace quavix {

// What the quiz asks besides the natural notes.
enum AccidentalChoices : std::uint8_t {
    NaturalsOnly = 0,   // the natural notes, as the trainer always asked them
    SharpsAndFlats = 1, // notes carry a written sharp or flat, no key signature
    InKey = 2,          // a key signature after the clef, and notes that follow it
};
constexpr int AccidentalChoiceCount = 3;

// A major key by its signature: the number of sharps (1 to 7) or minus the number of flats (-1 to -7);
// 0 is C major. The fifteen keys run from C flat (-7) to C sharp (+7).
constexpr int LowestKey = -7;
constexpr int HighestKey = 7;
constexpr int KeyCount = HighestKey - LowestKey + 1;
bool IsKey(int fifths);

// The sign written before a note: none, or a sharp, flat or natural sign.
enum class NoteSign : std::uint8_t { None = 0, Sharp = 1, Flat = 2, Natural = 3 };

// The alteration (-1, 0, +1) the key gives a letter 'A' to 'G': F is sharp from one sharp on (F C G D A E
// B), B is flat from one flat on (B E A D G C F).
int KeyAlteration(int fifths, char letter);

// The letters of the signature in the order they are written: "FCGDAEB" cut to the key's sharps, or
// "BEADGCF" cut to its flats.
std::string SignatureLetters(int fifths);

// The sign a note spelled with this alteration needs where the key gives its letter keyAlteration: none
// when the key already says it.
NoteSign SignFor(int alteration, int keyAlteration);

// The pitch class (0 is C) of a letter with an alteration, and the written key (MIDI numbering) of a staff
// step with one: C flat 4 is key 59, B sharp 3 is key 60.
int PitchClass(char letter, int alteration);
int SpelledKey(int step, int alteration);

// A note name with its sign in a naming: "F♯", "B♭" and "C" in letters; "Fis", "Es", "As", "B" (for B
// flat) and "H" in German; "Fa♯", "Si♭" in fixed do. `syllable` overrides the fixed-do syllable (the
// language's own spelling, "Ré"); empty for the naming's own.
std::string SpelledName(char letter, int alteration, NoteNamings naming, std::string_view syllable = {});

// The letter and alteration of the key's tonic ('E', -1 for E flat major) and of its relative minor.
struct KeyTonics {
    char Major = 'C';
    int MajorAlteration = 0;
    char Minor = 'A';
    int MinorAlteration = 0;
};
KeyTonics TonicsOf(int fifths);

} // namespace quavix
