#pragma once

#include "NoteTable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quavix {

// MIDI note number of E2, the lowest note the trainer asks (staff step 0).
constexpr int MidiE2 = 40;
// The guitar is written an octave above its sound: its key sounds 12 semitones below the written note.
constexpr int GuitarTransposition = 12;

// The staff step of a white key: 0 for E2, 12 for middle C, below 0 or above 29 for keys far from the
// staves. Black keys and numbers outside 0..127 have none.
std::optional<int> MidiStaffStep(int note);
// The same for any key number, also beyond the MIDI range (a written key may lie an octave above it).
std::optional<int> WhiteKeyStep(int key);

// The MIDI note of a staff step (any step, also outside the staves).
int MidiNoteOfStep(int step);

// The key's name in scientific pitch notation, sharps for black keys: "C4" for 60, "F#2" for 42.
std::string MidiNoteName(int note);

// The lowest and highest MIDI note an exact-note instrument judges, both included.
struct MidiNoteRange {
    int Lowest = 0;
    int Highest = 127;
};

// The notes judged by exact pitch in the input mode, as they sound: the full-range piano from E2 to B5 (the
// key above the highest note asked), the guitar from its open low E to the eighth fret of its high E string.
MidiNoteRange ExactNoteRange(InputModes inputMode);

} // namespace quavix
