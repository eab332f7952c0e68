#include "HeldPitchFollower.h"

#include <cmath>

namespace quavix {

HeldPitchFollower::HeldPitchFollower(int sampleRate) : gap_(std::int64_t(GapMs) * sampleRate / 1000) {}

void HeldPitchFollower::Told(double pitch, std::int64_t at) {
    told_ = pitch;
    toldAt_ = at;
}

bool HeldPitchFollower::Moved(double pitch, std::int64_t at) {
    if (at - toldAt_ < gap_ || std::abs(pitch - told_) * 100 < StepCents)
        return false;
    Told(pitch, at);
    return true;
}

} // namespace quavix
