// How a sung run goes on towards its note where the octave does not count: while the voice's octave above
// grows in, and across a frame that noise leaves unread.
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// As clear (as noise allows) as the frames of a run that tells its note by holding still.
constexpr double SungClarity = 0.85;
// A window that still repeats this clearly at the run's latest pitch holds the run's note, though its latest
// periods read a little apart from it.
constexpr double UnreadStillRepeats = 0.9;
// The frame after an unread one has come straight back to the run when it lies this near its last frame.
constexpr double BackWithinCents = 4;

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

std::optional<PitchDetector::Frame> PitchDetector::AcrossAnUnreadFrame(std::optional<Frame> frame) {
    // In noise, the latest few periods of a high sung note read a fifth of a semitone or so apart from the
    // whole window now and then, and the frame is not read at all. That breaks the run as a pitch change
    // would, and the note waits for a new one to agree. So where the octave does not count, the run an
    // unread frame cut off is kept for one frame: when the window still repeats clearly at the run's pitch
    // and the next frame comes straight back to it, the run goes on as if the frame had not been. Not across
    // a note start (the window then reads from it) nor out of the quiet.
    const bool justUnread = unread_.At == position_ - settings_.HopSamples && unread_.ReadFrom == readFrom_;
    if (frame) {
        if (justUnread && run_.empty() && !unread_.Run.empty()) {
            const double apart = SemitonesFromAnyOctave(frame->Pitch, unread_.Run.back().Pitch);
            if (apart * 100 <= BackWithinCents)
                run_.swap(unread_.Run);
        }
        unread_.Run.clear();
        return frame;
    }
    unread_.Run.clear();
    if (settings_.OctaveMatters || run_.empty() || justUnread || !RoseOutOfQuiet() ||
        ClarityOverPeriods(run_.back().Pitch, 1) < UnreadStillRepeats)
        return frame;
    unread_ = {run_, position_, readFrom_};
    return frame;
}

} // namespace quavix
