// How a sung run goes on towards its note where the octave does not count: while the voice's octave above
// grows in.
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// As clear as the frames that tell a note after the fewest agreeing frames.
constexpr double SungClarity = 0.93;

} // namespace

bool PitchDetector::OnlyTheOctaveInDoubt(std::size_t frames) const {
    // A voice's octave above often grows in over its first tens of milliseconds, so that its frames repeat
    // ever more nearly at half their period. For an instrument that may be an attack on its way up from the
    // octave below, whose octave is not known until it stops. Where the octave does not count, it leaves
    // nothing in doubt once the frames repeat clearly and hold still: the note is that pitch in some octave.
    // (Frames less clear than that may be the bottom of a scoop, which holds still just as well.)
    return !settings_.OctaveMatters && SpreadCents(frames) <= settings_.SteadyCents &&
           LastFramesClear(frames, SungClarity, 1.0);
}

} // namespace quavix
