#include "PitchJudge.h"

#include <algorithm>
#include <cmath>

namespace quavix {

int SoundingKeyOf(int writtenKey, OctaveRule rule) {
    return rule == OctaveRule::OctaveBelow ? writtenKey - 12 : writtenKey;
}

HeardAnswer JudgeHeardPitch(double heardPitch, int askedWrittenKey, OctaveRule rule, int toleranceCents) {
    const double tolerance = std::clamp(toleranceCents, LeastToleranceCents, MostToleranceCents) / 100.0;
    const int asked = SoundingKeyOf(askedWrittenKey, rule);
    // The asked note's pitch class in the octave nearest the heard pitch.
    const double octaves = std::round((heardPitch - asked) / 12);
    const int nearestAsked = asked + 12 * static_cast<int>(octaves);
    const double offAsked = heardPitch - nearestAsked;

    HeardAnswer answer;
    if (std::abs(offAsked) <= tolerance) {
        answer.Key = nearestAsked;
        answer.Cents = offAsked * 100;
        const bool octaveCounts = rule != OctaveRule::AnyOctave;
        answer.Verdict =
            octaveCounts && nearestAsked != asked ? HeardVerdict::WrongOctave : HeardVerdict::Right;
        return answer;
    }
    // Another note is answered only when it is as clearly in tune as a right one would have to be; the
    // asked note sung or played out of tune answers nothing.
    const int nearest = static_cast<int>(std::lround(heardPitch));
    const double offNearest = heardPitch - nearest;
    if (nearest == nearestAsked || std::abs(offNearest) > std::min(tolerance, 0.5))
        return answer;
    answer.Verdict = HeardVerdict::WrongNote;
    answer.Key = nearest;
    answer.Cents = offNearest * 100;
    return answer;
}

} // namespace quavix
