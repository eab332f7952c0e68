#pragma once

#include <cstdint>
#include <random>

namespace quavix {

// Where the quiz and the About dialog take their chance from. Tests inject a fixed sequence.
class RandomSource {
public:
    RandomSource() = default;
    virtual ~RandomSource() = default;
    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;
    // A uniformly distributed integer from 0 to n - 1; n must be at least 1.
    virtual int RandomBelow(int n) = 0;
    // Start a new sequence from the clock.
    virtual void Reseed() = 0;
};

// The program's generator: seeded from the clock when it is made, so each run asks other notes.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    explicit ClockSeededRandom(std::uint64_t seed);
    int RandomBelow(int n) override;
    void Reseed() override;

private:
    std::mt19937_64 generator_;
};

} // namespace quavix
