#pragma once

// What a heard pitch answers to an asked note: the key a player would have pressed, judged by the same
// rules as a key (the octave counts or not as the answer control says), within a tolerance in cents that
// allows for instruments tuned a little off and for a singer's intonation.

#include <cstdint>

namespace quavix {

// Which octave of the asked note counts.
enum class OctaveRule : std::uint8_t {
    Exact = 0,       // the full-range piano: the note as written
    AnyOctave = 1,   // note buttons, the one-octave piano and the voice: the letter in any octave
    OctaveBelow = 2, // the guitar, which sounds an octave below its written note: exactly that octave
};

constexpr int DefaultToleranceCents = 50;
constexpr int LeastToleranceCents = 25;
constexpr int MostToleranceCents = 80;

enum class HeardVerdict : std::uint8_t {
    Right = 0,
    WrongNote = 1,
    WrongOctave = 2, // the asked note in another octave, where the octave counts
    OutOfTune = 3,   // between keys by more than the tolerance: no answer
};

// A heard pitch as an answer: the verdict and the sounding MIDI key it stands for (-1 when out of tune).
// Right and WrongOctave give a key of the asked note's pitch class, so answering with this key as if it
// were pressed gives the same verdict; WrongNote gives the nearest key.
struct HeardAnswer {
    HeardVerdict Verdict = HeardVerdict::OutOfTune;
    int Key = -1;
    double Cents = 0; // how far the pitch lies from Key, in cents
};

// heardPitch: MIDI pitch with cents as the fraction. askedWrittenKey: the MIDI key of the note as written
// on the staff. toleranceCents is taken between LeastToleranceCents and MostToleranceCents.
HeardAnswer JudgeHeardPitch(double heardPitch, int askedWrittenKey, OctaveRule rule, int toleranceCents);

// The key that sounds a written note under the rule: the guitar's an octave lower.
int SoundingKeyOf(int writtenKey, OctaveRule rule);

} // namespace quavix
