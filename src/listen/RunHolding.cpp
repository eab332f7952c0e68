// How a run that holds still, or holds its loudness, shows a note rather than something passing: frames that
// barely move need not all repeat clearly, and a quiet sound that does not die away is not a fading tail.
#include "PitchDetector.h"

namespace quavix {

namespace {

// Frames this many in a row, within this many cents of each other and each repeating at least this clearly
// (as noise allows), tell their note though some fall short of a sure frame's clarity.
constexpr std::size_t StillRunFrames = 5;
constexpr double StillRunCents = 3;
constexpr double StillRunClarity = 0.85;

} // namespace

std::size_t PitchDetector::StillRunNeeds() const {
    // Less clear frames must agree for longer, because a voice's upper partial may stand out for a moment or
    // a scoop pass by. Neither holds within a few cents for 25 ms: frames that do are a note whose clarity
    // is only lowered, by noise or by what is left of a note taken out from under it.
    if (run_.size() < StillRunFrames || SpreadCents(StillRunFrames) > StillRunCents ||
        !LastFramesClear(StillRunFrames, StillRunClarity, 1.0))
        return NoisyRunNeeds();
    return StillRunFrames;
}

bool PitchDetector::HoldsOwnLevel(const Known& latest) const {
    // A quiet sound after a loud note is the note's tail or the room as long as it dies away. One that has
    // kept its loudness over its run, at a pitch that is none of the last note's partials, is a new note
    // played softly, however far below the last one it lies.
    const auto back = static_cast<std::size_t>(settings_.AgreeingFrames);
    if (run_.size() <= back || run_.back().Level < run_[run_.size() - 1 - back].Level)
        return false;
    return !RingsOnFrom(RunPitch(), latest.Pitch);
}

bool RingsOnFrom(double pitch, double note) {
    // A note's octaves and upper partials ring on in its tail as steadily as the note does.
    return SameNoteInAnyOctave(pitch, note) || UpperPartialOf(pitch, note);
}

} // namespace quavix
