#include "MidiNotes.h"

#include <array>

namespace quavix {

namespace {

// Position of each pitch class within the white keys of its octave, C = 0 to B = 6; -1 for black keys.
constexpr std::array<int, 12> WhiteIndex = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
// Semitones above C of the white keys C to B.
constexpr std::array<int, 7> WhiteSemitones = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<const char*, 12> PitchNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                    "F#", "G",  "G#", "A",  "A#", "B"};

// White keys counted from C-1 (MIDI 0) up to E2.
constexpr int WhiteKeysBelowE2 = (MidiE2 / 12) * 7 + 2;

// The full-range keyboards run from E2, the lowest note asked, to B5, the key above the highest one.
constexpr int PianoLowestStep = 0;
constexpr int PianoHighestStep = 25;
// The fretboard's written notes: the open low E string (E3) to the eighth fret of the high E string (C6).
constexpr int GuitarLowestStep = 7;
constexpr int GuitarHighestStep = 26;
// The guitar is written an octave (seven staff steps) above its sound.
constexpr int GuitarOctave = 7;

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

std::optional<int> MidiStaffStep(int note) {
    if (note < 0 || note > 127)
        return std::nullopt;
    return WhiteKeyStep(note);
}

std::optional<int> WhiteKeyStep(int key) {
    const int octave = FloorDiv(key, 12);
    const int index = WhiteIndex[static_cast<std::size_t>(key - octave * 12)];
    if (index < 0)
        return std::nullopt;
    return octave * 7 + index - WhiteKeysBelowE2;
}

int MidiNoteOfStep(int step) {
    const int whiteKey = step + WhiteKeysBelowE2;
    const int octave = FloorDiv(whiteKey, 7);
    return octave * 12 + WhiteSemitones[static_cast<std::size_t>(whiteKey - octave * 7)];
}

std::string MidiNoteName(int note) {
    if (note < 0 || note > 127)
        return "?";
    // MIDI 60 is C4, so MIDI 0 lies in octave -1.
    return std::string(PitchNames[static_cast<std::size_t>(note % 12)]) + std::to_string(note / 12 - 1);
}

MidiNoteRange ExactNoteRange(InputModes inputMode) {
    if (inputMode == GuitarFrets)
        return {MidiNoteOfStep(GuitarLowestStep - GuitarOctave),
                MidiNoteOfStep(GuitarHighestStep - GuitarOctave)};
    return {MidiNoteOfStep(PianoLowestStep), MidiNoteOfStep(PianoHighestStep)};
}

} // namespace quavix
