// How a sung run goes on towards its note where the octave does not count: across a frame that noise leaves
// unread.
#include "PitchDetector.h"

#include <cmath>

namespace quavix {

namespace {

// A window that still repeats this clearly at the run's latest pitch holds the run's note, though its latest
// periods read a little apart from it.
constexpr double UnreadStillRepeats = 0.9;
// The frame after an unread one has come straight back to the run when it lies this near its last frame.
constexpr double BackWithinCents = 4;

} // namespace

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
    // The run ends here either way (an unread frame clears it): it is moved aside whole, and the two
    // vectors trade buffers, so no frame allocates.
    unread_.Run.swap(run_);
    unread_.At = position_;
    unread_.ReadFrom = readFrom_;
    return frame;
}

} // namespace quavix
