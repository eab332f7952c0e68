#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quavix {

// MIDI note number of E2, the lowest note the trainer asks (staff step 0).
constexpr int MidiE2 = 40;

// The staff step of a white key: 0 for E2, 12 for middle C, below 0 or above 29 for keys far from the
// staves. Black keys and numbers outside 0..127 have none.
std::optional<int> MidiStaffStep(int note);

// The MIDI note of a staff step (any step, also outside the staves).
int MidiNoteOfStep(int step);

// The key's name in scientific pitch notation, sharps for black keys: "C4" for 60, "F#2" for 42.
std::string MidiNoteName(int note);

// Why a key gives no answer.
enum class MidiKeyProblem : std::uint8_t {
    None,
    BlackKey,     // every answer is a white key
    OutsideNotes, // an exact-note instrument cannot judge a key so far from its notes
};

// What one MIDI key stands for in the answer control in force.
struct MidiKey {
    std::int32_t Step = -1; // written staff step of its key on the instrument, -1 when it has none there
    std::int32_t Code = -1; // the AnswerCode it gives, -1 when it gives none
    MidiKeyProblem Problem = MidiKeyProblem::None;
};

// The lowest and highest MIDI note an exact-note instrument judges, both included.
struct MidiNoteRange {
    int Lowest = 0;
    int Highest = 127;
};

// The notes judged by exact pitch in the input mode (the piano's full range or the guitar).
MidiNoteRange ExactNoteRange(std::uint8_t inputMode);

// Maps a MIDI note to the answer a player means by it:
// - note buttons and the single-octave piano judge letters, so a white key answers its letter in any
//   octave;
// - the full-range piano answers the exact note, as its key on screen does;
// - the guitar answers the written note, which stands an octave above the sound (a guitar's open low E
//   sounds E2 and is written E3).
MidiKey MidiKeyFor(int note, std::uint8_t inputMode, bool fullRange);

} // namespace quavix
