#include "Random.h"

#include <chrono>

namespace quavix {

namespace {
std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
} // namespace

ClockSeededRandom::ClockSeededRandom() : generator_(ClockSeed()) {}

ClockSeededRandom::ClockSeededRandom(std::uint64_t seed) : generator_(seed) {}

int ClockSeededRandom::RandomBelow(int n) {
    if (n <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(generator_);
}

void ClockSeededRandom::Reseed() {
    generator_.seed(ClockSeed());
}

} // namespace quavix
