#include "game/random_source.h"

#include <chrono>

namespace zentrix {

namespace {

std::mt19937 seededEngine() {
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::random_device device;
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                       device(), device()};
    return std::mt19937(seed);
}

// The top 24 bits fill a float's mantissa exactly, so the result is a multiple of 2^-24 strictly
// below 1 and no rounding can push it up to 1.0.
float drawFrom(std::mt19937& engine) {
    const auto bits = static_cast<std::uint32_t>(engine() >> 8);
    return static_cast<float>(bits) * 0x1p-24f;
}

}  // namespace

ClockSeededRandom::ClockSeededRandom() : engine_(seededEngine()) {}

float ClockSeededRandom::next() {
    return drawFrom(engine_);
}

float SeededRandom::next() {
    return drawFrom(engine_);
}

}  // namespace zentrix
