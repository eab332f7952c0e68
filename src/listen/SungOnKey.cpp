// How a sung note that has found its key is told while the voices still waver about it.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// Frames this near (in cents) the centre of one key, spread over no more than this, are that key sung.
constexpr double OnKeyCents = 10;
constexpr double OnKeySpreadCents = 10;
// Not within this long of the note's start: the bottom of a scoop may sit dead in tune on the key below
// for 60 ms or more before the voice slides up to the note it means.
constexpr int OnKeyAfterMs = 100;
// The sound keeps at least this share (3 dB) of its loudest over those frames: a partial standing out as
// the last note fades, or its tail, dies away instead.
constexpr double OnKeyHeld = 0.5;

} // namespace

std::optional<double> PitchDetector::SungOnKey(std::size_t frames) const {
    // A choir's voices beat against each other, so its frames may wander by more than a held instrument's
    // while the whole sound is already on its key; asked to hold within a few cents, such a note may wait
    // hundreds of milliseconds for a quiet moment. Frames that all lie within a few cents of one key's
    // centre cannot be read as the key beside it, so they tell it although they are not still. Only a
    // note not told yet: the held note moves only where it holds still.
    if (settings_.OctaveMatters || run_.size() < frames ||
        (held_ && SameNoteInAnyOctave(run_.back().Pitch, held_->Pitch)) || NoteYoungerThan(OnKeyAfterMs))
        return std::nullopt;
    // A step from the held voice is held to its own, wider bounds (SungStepOnKey).
    const bool step = SungStepOnKey();
    if (!step && (SpreadCents(frames) > OnKeySpreadCents || Sliding(frames)))
        return std::nullopt;
    const double pitch = RunPitch(run_.size() - frames);
    const double key = std::round(pitch);
    double loudest = 0;
    for (std::size_t i = run_.size() - frames; i < run_.size(); ++i) {
        if (!step && std::abs(run_[i].Pitch - key) * 100 > OnKeyCents)
            return std::nullopt;
        loudest = std::max(loudest, run_[i].Level);
    }
    if (run_.back().Level < OnKeyHeld * loudest)
        return std::nullopt;
    return pitch;
}

} // namespace quavix
