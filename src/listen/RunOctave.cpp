// How a run keeps to its note's octave while the frames' reading moves between octaves: a voice's partials
// swelling and fading, a blown attack on its way up from the octave below.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A frame repeating at half its period by at least this share of how well it repeats at its period holds a
// strong octave above.
constexpr double OctaveAboveKept = 0.4;
// Where the octave matters, swelling frames holding more than this share of the octave above must repeat
// as clearly as frames told while they swell (StrongClarity) in their own right, with nothing let off for
// noise.
constexpr double OctaveAboveHeld = 0.15;

} // namespace

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
    // Unless no frame of the run showed its own octave: each repeated nearly as well at half its period, and
    // none had odd partials of its own found in it. A frame an octave above them that is no longer in doubt
    // shows the run was this note heard an octave low (its first moments read in what a ringing note
    // leaves, or a voice setting in over the octave below), and the run goes on up here, as it does where
    // the octave counts.
    if (agrees(frame.Pitch - 12, run)) {
        const bool heardLow =
            frame.OctaveUp < OctaveInDoubt && std::all_of(run_.begin(), run_.end(), [](const Frame& f) {
                return f.OctaveUp > OctaveInDoubt && !f.OwnOctave;
            });
        if (heardLow)
            for (Frame& earlier : run_)
                earlier.Pitch += 12;
        else
            frame.Pitch -= 12;
    } else if (agrees(frame.Pitch + 12, run))
        for (Frame& earlier : run_)
            earlier.Pitch -= 12;
    return frame;
}

bool PitchDetector::KeepsTheOctaveAbove(std::size_t frames) const {
    // A blown note that swells out of the octave below (a saxophone's high notes) repeats almost perfectly at
    // the lower period for its first tens of milliseconds, with a strong octave above in every frame, and
    // then leaps up to it. A note swelling in its own octave holds little of the octave above, or sheds it as
    // it settles. So frames that all keep it are not told while the sound still swells; nor, where the octave
    // matters, frames that keep some of it and repeat less than clearly.
    if (run_.size() < frames)
        return false;
    const auto first = run_.end() - static_cast<std::ptrdiff_t>(frames);
    if (std::all_of(first, run_.end(), [](const Frame& f) { return f.OctaveUp >= OctaveAboveKept; }))
        return true;
    // A flute's first moments may pass through the octave below, its share of the octave above swinging
    // as it goes, and repeat there a little less than perfectly. Noise excuses that in a note swelling in
    // its own octave; with some of the octave above in the frames, it may as well be the octave below not
    // yet left, and a note told there would be an octave low. Waiting costs a note in its own octave a
    // frame or two.
    return settings_.OctaveMatters &&
           std::any_of(first, run_.end(), [](const Frame& f) { return f.OctaveUp > OctaveAboveHeld; }) &&
           std::any_of(first, run_.end(), [](const Frame& f) { return f.Clarity < StrongClarity; });
}

} // namespace quavix
