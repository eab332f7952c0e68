#pragma once

#include "AnswerLog.h"

// A clock the test moves by hand: both its steady and its wall time advance together.
class FixedClock final : public quavix::AnswerClock {
public:
    std::int64_t steady = 1'000'000;
    std::int64_t wall = 1'796'000'000'000; // an afternoon in December 2026

    std::int64_t SteadyMs() override { return steady; }
    std::int64_t WallMs() override { return wall; }
    void Advance(std::int64_t ms) {
        steady += ms;
        wall += ms;
    }
};
