// How a sung run keeps to one octave while the reading of the voice moves between octaves.
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

PitchDetector::Frame PitchDetector::InTheRunsOctave(Frame frame) {
    // A voice whose second partial swells and fades reads for a few frames as the octave above itself, and
    // its own octave then reads as the octave below those frames. Where the octave does not count
    // (singing), such a frame is the run's note, so the run goes on rather than breaking and starting over.
    // It goes on in the lower of the two octaves: a held note taken out of the sound one of its periods back
    // takes its octave above with it, while one told an octave too high leaves the voice's odd partials
    // behind, to be heard as another note. A frame keeps the octave-up share it was read with, so an attack
    // still on its way up from the octave below shows as it would have.
    if (settings_.OctaveMatters || run_.empty())
        return frame;
    const double run = RunPitch();
    const auto agrees = [this](double a, double b) {
        return std::abs(a - b) * 100 <= settings_.AgreementCents;
    };
    if (agrees(frame.Pitch, run))
        return frame;
    if (agrees(frame.Pitch - 12, run))
        frame.Pitch -= 12;
    else if (agrees(frame.Pitch + 12, run))
        for (Frame& earlier : run_)
            earlier.Pitch -= 12;
    return frame;
}

} // namespace quavix
