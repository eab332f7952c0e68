#include "Pitch.h"

namespace quavix {

int MidiKeyOfStep(int step) {
    // Semitones above E of the white keys E, F, G, A, B, C, D.
    static constexpr int semitones[] = {0, 1, 3, 5, 7, 8, 10};
    constexpr int lowE = 40;
    const int octave = step >= 0 ? step / 7 : (step - 6) / 7;
    return lowE + 12 * octave + semitones[step - 7 * octave];
}

int SoundingKey(Voice voice, int step) {
    const int written = MidiKeyOfStep(step);
    return voice == Voice::Guitar ? written - 12 : written;
}

} // namespace quavix
