#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// Each countdown tick takes a second off the bar and shows it in Label7; the 90th tick shows 0
// and ends the round by itself. Label7 keeps that 0 into the next round until its first tick.
TEST(Countdown, NinetyTicksEndTheRound) {
    Table table;
    table.newGame(plainDeal());
    EXPECT_EQ(table.game.label7(), "");
    table.countdown(1);
    EXPECT_EQ(table.game.label7(), "89");
    EXPECT_EQ(table.game.progressValue(), 89.0f);
    table.countdown(88);
    EXPECT_EQ(table.game.label7(), "1");
    EXPECT_EQ(table.game.roundState(), RoundState::RoundOne);
    EXPECT_TRUE(table.messages.seen.empty());

    table.countdown(1);
    EXPECT_EQ(table.messages.texts().front(), "Ready for Round 2");
    EXPECT_EQ(table.game.roundState(), RoundState::RoundTwo);
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    EXPECT_EQ(table.game.label7(), "0");
    EXPECT_EQ(table.game.label4(), "0");

    table.countdown(1);
    EXPECT_EQ(table.game.label7(), "89");
}

// The refresh shows the round's points in Label6 and shows exactly the boxes that hold a ball.
TEST(Refresh, HidesEmptyBoxesAndShowsThePoints) {
    Table table;
    table.newGame(plainDeal());
    table.click({20, 21});
    EXPECT_TRUE(table.game.slot(20).visible);
    EXPECT_EQ(table.game.label6(), "") << "Label6 follows on the next refresh";

    table.refresh();
    EXPECT_EQ(table.game.label6(), "200");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(table.game.slot(slot).visible, table.game.slot(slot).occupied) << slot;
    }

    table.random.pushValue(3);
    table.game.nextBall();  // into 20
    EXPECT_FALSE(table.game.slot(20).visible);
    table.refresh();
    EXPECT_TRUE(table.game.slot(20).visible);
}

// In a fresh window only the refresh runs: it hides every empty box and shows "0"; the
// countdown stands still and its ticks are ignored.
TEST(Refresh, FreshWindowRefreshesButDoesNotCountDown) {
    Table table;
    EXPECT_TRUE(table.game.timer2Enabled());
    EXPECT_FALSE(table.game.timer1Enabled());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(table.game.slot(slot).visible);
        EXPECT_FALSE(table.game.slot(slot).enabled);
    }
    EXPECT_EQ(table.game.label2(), "0");
    EXPECT_EQ(table.game.label1(), "");

    table.refresh();
    table.countdown(3);
    EXPECT_EQ(table.game.label6(), "0");
    EXPECT_EQ(table.game.label7(), "");
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(table.game.slot(slot).visible);
    }
}

}  // namespace
}  // namespace zentrix::testing
