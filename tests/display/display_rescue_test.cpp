#include "display/display_rescue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace zentrix::display {
namespace {

constexpr DisplayMode kDesktop{1280, 1024, 32, 75};
constexpr DisplayMode kOther{1600, 1200, 32, 60};

// Armed, the mode is handed out once; disarmed, or once claimed, never again, whatever is armed
// afterwards: the program is ending.
TEST(DisplayRescue, HandsOutTheArmedModeOnceAndOnlyWhileArmed) {
    DisplayRescue rescue;
    EXPECT_FALSE(rescue.claim().has_value());

    rescue.arm(kOther);
    rescue.arm(kDesktop);  // the latest mode counts
    rescue.disarm();
    EXPECT_FALSE(rescue.armed());
    EXPECT_FALSE(rescue.claim().has_value());

    rescue.arm(kDesktop);
    EXPECT_TRUE(rescue.armed());
    EXPECT_EQ(rescue.claim(), kDesktop);
    EXPECT_FALSE(rescue.claim().has_value());

    rescue.arm(kOther);
    rescue.disarm();
    EXPECT_FALSE(rescue.armed());
    EXPECT_FALSE(rescue.claim().has_value());
}

// Threads failing at once: exactly one of them gets the mode to put back.
TEST(DisplayRescue, OneClaimWinsAmongThreads) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "the web build has no threads";
#endif
    for (int round = 0; round < 50; ++round) {
        DisplayRescue rescue;
        rescue.arm(kDesktop);
        std::atomic<bool> go{false};
        std::atomic<int> winners{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) {
            threads.emplace_back([&] {
                while (!go.load()) {
                }
                if (const auto mode = rescue.claim()) {
                    EXPECT_EQ(*mode, kDesktop);
                    ++winners;
                }
            });
        }
        go = true;
        for (std::thread& thread : threads) {
            thread.join();
        }
        EXPECT_EQ(winners.load(), 1);
    }
}

}  // namespace
}  // namespace zentrix::display
