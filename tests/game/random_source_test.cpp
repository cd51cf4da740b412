#include "game/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "game/game.h"
#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// The production source draws evenly from [0, 1) in steps of 2^-24, never 1.0, and does not
// repeat itself however fast it is asked.
TEST(ClockSeededRandom, DrawsAreUniformAndDoNotRepeat) {
    ClockSeededRandom random;
    constexpr int kDraws = 100'000;
    std::set<float> seen;
    double sum = 0.0;
    for (int i = 0; i < kDraws; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        const float scaled = r * 0x1p24f;
        ASSERT_EQ(scaled, std::floor(scaled)) << "not a multiple of 2^-24: " << r;
        seen.insert(r);
        sum += r;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    // About 300 coincidences are expected among 100,000 draws from 2^24 values.
    EXPECT_GT(seen.size(), 99'000u);
}

// Two sources made one right after the other, within the same clock reading, still deal apart.
TEST(ClockSeededRandom, SourcesMadeTogetherDiffer) {
    ClockSeededRandom first;
    ClockSeededRandom second;
    int same = 0;
    for (int i = 0; i < 16; ++i) {
        same += first.next() == second.next() ? 1 : 0;
    }
    EXPECT_LT(same, 16);
}

// With the production source every deal fills the board with no value more than six times.
TEST(ClockSeededRandom, DealsFullBoards) {
    ClockSeededRandom random;
    RecordingPresenter messages;
    Game game(random, messages);
    game.startUp();
    std::array<int, kMaxValue + 1> seen{};
    for (int deal = 0; deal < 2000; ++deal) {
        game.newGame();
        int total = 0;
        for (int value = 1; value <= kMaxValue; ++value) {
            ASSERT_LE(game.dealtCount(value), kBallsPerValue);
            total += game.dealtCount(value);
        }
        ASSERT_EQ(total, 23);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ASSERT_TRUE(game.slot(slot).occupied);
            ++seen[static_cast<std::size_t>(game.ballValue(slot))];
        }
    }
    // 1 comes up half as often as the others (1/19 against 2/19 per draw), less what the
    // six-ball limit takes off the common values.
    for (int value = 2; value <= kMaxValue; ++value) {
        EXPECT_GT(seen[static_cast<std::size_t>(value)], seen[1]) << value;
    }
    constexpr int kExpectedOnes = 2000 * 23 / 19;
    EXPECT_GT(seen[1], kExpectedOnes * 9 / 10);
    EXPECT_LT(seen[1], kExpectedOnes * 13 / 10);
}

// A seeded deal is dealt again by the same seed, and by no other.
TEST(SeededRandomTest, TheSameSeedDealsTheSameBoard) {
    const auto deal = [](std::uint32_t seed) {
        SeededRandom random(seed);
        RecordingPresenter messages;
        Game game(random, messages);
        game.startUp();
        game.newGame();
        std::vector<int> values;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            values.push_back(game.ballValue(slot));
        }
        return values;
    };
    EXPECT_EQ(deal(7), deal(7));
    EXPECT_NE(deal(7), deal(8));
}

}  // namespace
}  // namespace zentrix::testing
