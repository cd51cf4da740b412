// Where the dealer's draws come from.
#pragma once

#include <cstdint>
#include <random>

namespace zentrix {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform number in [0, 1).
    virtual float next() = 0;
};

// The production source: a Mersenne Twister seeded once from the clock and the system's entropy
// source. Reseeding before every draw would repeat the same draw while the clock stands still, and
// dealing a whole board takes only microseconds.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    // Every value a multiple of 2^-24 in [0, 1), each equally likely; never 1.0.
    float next() override;

private:
    std::mt19937 engine_;
};

// A deal that can be played again: the same seed gives the same draws, in the same form as the
// production source's. For tests, screenshots and benchmarks.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    float next() override;

private:
    std::mt19937 engine_;
};

}  // namespace zentrix
