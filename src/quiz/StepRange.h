#pragma once

#include <cstdint>

namespace quavix {

// A span of staff steps, both ends included. An empty one (Highest below Lowest) stands for "the staff's
// own range" wherever a user's range may be left unset.
struct StepRange {
    std::int32_t Lowest = 0;
    std::int32_t Highest = -1;

    bool Empty() const { return Highest < Lowest; }
    int Count() const { return Empty() ? 0 : Highest - Lowest + 1; }
    bool Holds(int step) const { return step >= Lowest && step <= Highest; }

    friend bool operator==(const StepRange&, const StepRange&) = default;
};

// The clefs that have a range of their own (the octave-treble clef is written as the treble clef is).
constexpr int RangedClefCount = 4; // TrebleClef, BassClef, AltoClef, TenorClef

} // namespace quavix
