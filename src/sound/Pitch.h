#pragma once

// Which key of the synthesizer a written note sounds.

#include "SoundEngine.h"

namespace quavix {

// MIDI key number of a staff step: step 0 is E2 (key 40) and each step is the next white key, so step 12
// is middle C (key 60).
int MidiKeyOfStep(int step);

// The key a voice sounds for a note written on staff step `step`. A guitar sounds an octave below its
// notation; a piano sounds as written.
int SoundingKey(Voice voice, int step);

// Keys, frets and buttons on the screen have no touch strength; they all play at this MIDI velocity, loud
// enough to hear clearly over a quiet room, soft enough not to startle.
constexpr int OnScreenVelocity = 88;

} // namespace quavix
