// Whether a run's pitch may lie on the wrong side of the halfway point between two keys: a note that sounds
// well off its key, read in noise a little further off still, would be told as the neighbouring key.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// A pitch this near (in cents) the halfway point between two keys may be read on the wrong side of it.
constexpr double NearBorderCents = 25;
// The latest frames lie more than this further towards the halfway point than the run's pitch.
constexpr double LeadCents = 4;
// A frame within this of the halfway point, or past it, has heard the run's note there.
constexpr double ReachMarginCents = 2;
// An attack whose frames spread over this many times the way left to the halfway point is still on its way.
constexpr double AttackSpreadShare = 2;

} // namespace

double PitchDetector::LatestPitch(std::size_t latest) const {
    return RunPitch(run_.size() - std::min(latest, run_.size()));
}

bool PitchDetector::LaggingTowardsBorder(double pitch, std::size_t latest) const {
    // The run's pitch is its median, which the frames it began with hold behind the note while it still
    // moves: a saxophone creeping up into a flat note, a choir sagging back to where it sings. Near the
    // halfway point, that pitch is told only once the latest frames no longer lie beyond it towards the
    // halfway point, if the run's own frames have reached that point or the run is an attack that has
    // travelled twice the way left to it. A run that broke off and came back later is not told from the
    // three frames of a fresh stroke either: what it heard before may lie across the halfway point.
    const double key = std::round(pitch);
    const double side = pitch >= key ? 1 : -1;
    const double toBorder = (0.5 - std::abs(pitch - key)) * 100;
    if (toBorder > NearBorderCents)
        return false;
    const bool attack = onsetHeard_ && runStart_ == lastOnset_;
    if (!attack && run_.size() < static_cast<std::size_t>(settings_.AgreeingFrames))
        return true;
    const double lead = (LatestPitch(latest) - pitch) * side * 100;
    if (lead <= LeadCents)
        return false;
    double reach = -INFINITY;
    for (const Frame& frame : run_)
        reach = std::max(reach, (frame.Pitch - pitch) * side * 100);
    // A played attack whose latest frame is the furthest it has come has not turned yet: a saxophone creeping
    // up out of a flat start is still on its way, however few cents its frames have spread over.
    const bool stillOnItsWay =
        settings_.OctaveMatters && attack && (run_.back().Pitch - pitch) * side * 100 >= reach;
    return reach >= toBorder - ReachMarginCents || stillOnItsWay ||
           (attack && SpreadCents(run_.size()) >= AttackSpreadShare * toBorder);
}

} // namespace quavix
