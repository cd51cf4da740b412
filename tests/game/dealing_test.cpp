#include <gtest/gtest.h>

#include <numeric>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

int dealtTotal(const Game& game) {
    int total = 0;
    for (int value = 1; value <= kMaxValue; ++value) {
        total += game.dealtCount(value);
    }
    return total;
}

// A draw r deals 10r + 1 rounded half to even: 0.03 deals a 1, 0.25 a 4 (3.5 up), 0.75 an 8
// (8.5 down); 0.96 and anything that rounds to 11 deal nothing and are drawn again.
TEST(Dealing, DrawsRoundHalfToEvenAndElevenDealsNothing) {
    Table table;
    table.random.pushDraw(0.03f);
    table.random.pushDraw(0.25f);
    table.random.pushDraw(0.75f);
    table.random.pushDraw(0.96f);
    table.random.pushDraw(0.25f);
    table.random.pushDraw(0.0f);
    table.random.pushDraw(0x1.fffffep-1f);  // the largest draw below 1
    table.random.pushDraw(0.5f);
    Deal rest = plainDeal();
    rest.erase(rest.begin(), rest.begin() + 6);
    table.random.pushValues(rest);
    table.game.newGame();

    EXPECT_EQ(table.game.ballValue(0), 1);
    EXPECT_EQ(table.game.ballValue(1), 4);
    EXPECT_EQ(table.game.ballValue(2), 8);
    EXPECT_EQ(table.game.ballValue(3), 4) << "0.96 must be drawn again";
    EXPECT_EQ(table.game.ballValue(4), 1);
    EXPECT_EQ(table.game.ballValue(5), 6) << "0.99999994 must be drawn again";
    EXPECT_EQ(table.random.draws(), 23 + 2);
    EXPECT_EQ(table.random.fallbackDraws(), 0);
    EXPECT_EQ(table.occupiedCount(), 23);
}

// Each value can be dealt six times a round; a seventh draw of it deals nothing and is drawn
// again. Dealing fills all 23 slots with 23 counted balls.
TEST(Dealing, SixOfEachValueAndAFullFirstDeal) {
    Table table;
    table.random.pushValues({3, 3, 3, 3, 3, 3, 3, 3, 7});
    Deal rest = dealWith({{12, 4}});
    rest.erase(rest.begin(), rest.begin() + 7);
    table.random.pushValues(rest);
    table.game.newGame();

    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(table.game.ballValue(slot), 3);
    }
    EXPECT_EQ(table.game.ballValue(6), 7);
    EXPECT_EQ(table.game.dealtCount(3), 6);
    EXPECT_EQ(table.random.draws(), 23 + 2);
    EXPECT_EQ(table.occupiedCount(), 23);
    EXPECT_EQ(dealtTotal(table.game), 23);
    EXPECT_EQ(table.game.drawnValue(), plainDeal().back());
}

// Next Ball on a full heap throws the next ball away (it stays counted) and deals another; once
// all 60 balls are out the next-ball slot stays empty and Next Ball changes nothing more.
TEST(Dealing, NextBallOnAFullHeapUsesUpTheSupply) {
    Table table;
    table.newGame(plainDeal());
    for (int press = 1; press <= 37; ++press) {
        table.game.nextBall();
        ASSERT_TRUE(table.game.slot(kNextBallSlot).occupied) << "press " << press;
        ASSERT_EQ(dealtTotal(table.game), 23 + press);
    }
    for (int value = 1; value <= kMaxValue; ++value) {
        EXPECT_EQ(table.game.dealtCount(value), 6) << "value " << value;
    }

    table.game.nextBall();
    EXPECT_FALSE(table.game.slot(kNextBallSlot).occupied);
    EXPECT_TRUE(table.game.slot(kNextBallSlot).enabled);
    EXPECT_EQ(table.occupiedCount(), 22);
    const int drawsSoFar = table.random.draws();
    table.game.nextBall();
    EXPECT_FALSE(table.game.slot(kNextBallSlot).occupied);
    EXPECT_EQ(table.random.draws(), drawsSoFar) << "no draw once the supply is used up";
}

// Next Ball moves the next ball into the lowest-numbered empty slot (9 before 20), deals a new
// one at once, and drops the selection unscored.
TEST(Dealing, NextBallFillsTheLowestEmptySlotAndDropsTheSelection) {
    Table table;
    table.newGame(plainDeal());
    table.removeWithNextBall({9, 20}, 3);  // 10 + 1, then 5 + 6
    EXPECT_EQ(table.game.ballValue(9), 10) << "a removed ball keeps its value";
    const int pointsBefore = table.game.roundPoints();

    table.click({21});
    ASSERT_EQ(table.game.selectionSum(), 6);
    table.random.pushValue(4);
    table.game.nextBall();
    EXPECT_TRUE(table.game.slot(9).occupied);
    EXPECT_EQ(table.game.ballValue(9), 3);
    EXPECT_FALSE(table.game.slot(20).occupied);
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 4);
    EXPECT_TRUE(table.selectedSlots().empty());
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_EQ(table.game.label1(), "0");
    EXPECT_EQ(table.game.roundPoints(), pointsBefore);

    table.random.pushValue(2);
    table.game.nextBall();
    EXPECT_TRUE(table.game.slot(20).occupied);
    EXPECT_EQ(table.game.ballValue(20), 4);
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 2);
}

// With the supply used up and the next-ball slot empty, Next Ball moves nothing onto the heap:
// it only drops the selection and shows "0".
TEST(Dealing, NextBallWithNothingLeftOnlyDropsTheSelection) {
    Table table;
    table.newGame(plainDeal());
    for (int press = 0; press < 38; ++press) {
        table.game.nextBall();
    }
    ASSERT_FALSE(table.game.slot(kNextBallSlot).occupied);
    table.click({20, 21});  // 5 + 6, scored and removed
    ASSERT_FALSE(table.game.slot(20).occupied);
    table.click({9});
    ASSERT_EQ(table.game.selectionSum(), 10);

    table.game.nextBall();
    EXPECT_FALSE(table.game.slot(20).occupied);
    EXPECT_FALSE(table.game.slot(kNextBallSlot).occupied);
    EXPECT_EQ(table.occupiedCount(), 20);
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_EQ(table.game.label1(), "0");
    EXPECT_FALSE(table.game.slot(9).selected);
}

// In a fresh window Next Ball works before any game: it deals a next ball, and the next press
// moves that ball into slot 0.
TEST(Dealing, NextBallInAFreshWindowDealsAndThenFillsSlotZero) {
    Table table;
    table.random.pushValues({7, 2});
    table.game.nextBall();
    EXPECT_EQ(table.occupiedCount(), 1);
    EXPECT_TRUE(table.game.slot(kNextBallSlot).occupied);
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 7);
    EXPECT_EQ(table.game.label1(), "0");

    table.game.nextBall();
    EXPECT_TRUE(table.game.slot(0).occupied);
    EXPECT_EQ(table.game.ballValue(0), 7);
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 2);
    EXPECT_EQ(table.game.roundState(), RoundState::NotStarted);
}

}  // namespace
}  // namespace zentrix::testing
