#include "game/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// Each slot earns the points of its row: 600 for the top middle, 500 for the top corners, down
// to 100 for the bottom row; the next ball lies in no row.
TEST(BoardTopology, RowPointsFollowTheRows) {
    const std::map<int, std::vector<int>> rows{{600, {1}},
                                               {500, {0, 2}},
                                               {400, {3, 4, 5, 6, 7, 8}},
                                               {300, {9, 10, 11, 12, 13, 14, 15}},
                                               {200, {16, 17, 18, 19}},
                                               {100, {20, 21}}};
    int counted = 0;
    for (const auto& [points, slots] : rows) {
        for (const int slot : slots) {
            EXPECT_EQ(rowPoints(slot), points) << "slot " << slot;
            ++counted;
        }
    }
    EXPECT_EQ(counted, kBoardSlotCount);
    EXPECT_EQ(rowPoints(kNextBallSlot), 0);
    EXPECT_THROW(rowPoints(23), std::out_of_range);
    EXPECT_THROW(rowPoints(-1), std::out_of_range);
}

// The blocking relation, read from the other side: which balls each slot holds down. A typo in
// either direction shows up here.
TEST(BoardTopology, BlockersAreTheInverseOfWhatEachSlotHoldsDown) {
    const std::map<int, std::set<int>> holdsDown{
        {3, {1}},       {4, {1}},       {5, {0}},       {6, {0}},       {7, {2}},
        {8, {2}},       {9, {3, 4}},    {10, {5}},      {11, {5, 6}},   {12, {3, 6}},
        {13, {4, 7}},   {14, {7, 8}},   {15, {8}},      {16, {10, 11}}, {17, {11, 12}},
        {18, {13, 14}}, {19, {14, 15}}, {20, {16, 17}}, {21, {18, 19}}};
    std::map<int, std::set<int>> derived;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const auto blocker : blockersOf(slot)) {
            derived[blocker].insert(slot);
        }
    }
    EXPECT_EQ(derived, holdsDown);
}

// Nothing blocks 9, 20, 21 or the next ball; every blocker lies deeper and so carries a higher
// number, which is what lets Next Ball fill the lowest-numbered empty slot.
TEST(BoardTopology, OnlyTheDeepestSlotsAreUnblockedAndBlockersAreNumberedHigher) {
    std::vector<int> unblocked;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto blockers = blockersOf(slot);
        if (blockers.empty()) {
            unblocked.push_back(slot);
        }
        for (const auto blocker : blockers) {
            EXPECT_GT(blocker, slot);
            EXPECT_LT(blocker, kBoardSlotCount);
        }
    }
    EXPECT_EQ(unblocked, (std::vector<int>{9, 20, 21, 22}));
}

// On a freshly dealt heap exactly 9, 20, 21 and the next ball are free.
TEST(FreeBallPass, FreshDealFreesTheBottomAndTheMiddle) {
    Table table;
    table.newGame(plainDeal());
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 20, 21, 22}));
}

// Removing 20 frees 16 and 17; 16 alone frees 10 but not 11; 11 needs 16 and 17 gone.
TEST(FreeBallPass, RemovingTheBottomLeftOpensTheLeftPyramid) {
    Table table;
    // 20 (5) with the next ball 6, then 16 (7) and 17 (8).
    table.newGame(dealWith({{20, 5}, {22, 6}}));
    table.removeWithNextBall({20}, 4);
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 16, 17, 21, 22}));

    table.removeWithNextBall({16}, 3);
    EXPECT_TRUE(table.game.slot(10).enabled);
    EXPECT_FALSE(table.game.slot(11).enabled);
    EXPECT_FALSE(table.game.slot(12).enabled);

    table.removeWithNextBall({17}, 2);
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 10, 11, 12, 21, 22}));
}

// Removing 9 alone frees neither 3 nor 4; 3 also needs 12 gone, 4 needs 13 gone, and 1 needs
// both 3 and 4 gone.
TEST(FreeBallPass, TheMiddlePyramidNeedsItsCornersGone) {
    Table table;
    table.newGame(dealWith({{21, 5}, {18, 7}, {22, 1}}));
    table.removeWithNextBall({9}, 6);
    EXPECT_FALSE(table.game.slot(3).enabled);
    EXPECT_FALSE(table.game.slot(4).enabled);

    table.removeWithNextBall({21, 18, 13}, 6);
    EXPECT_FALSE(table.game.slot(3).enabled);
    EXPECT_TRUE(table.game.slot(4).enabled);
    EXPECT_FALSE(table.game.slot(1).enabled);

    table.removeWithNextBall({20, 17, 12}, 7);
    EXPECT_TRUE(table.game.slot(3).enabled);
    table.removeWithNextBall({3}, 6);
    EXPECT_FALSE(table.game.slot(1).enabled) << "4 still holds 1 down";
    table.removeWithNextBall({4}, 2);
    EXPECT_TRUE(table.game.slot(1).enabled);
}

// Empty slots: an empty 9, 20 or 21 is not free, an empty blocked slot whose blockers are gone
// is enabled (though nobody can pick a ball from it), and the next-ball slot is always enabled.
TEST(FreeBallPass, EmptySlotsFollowTheirBlockersNotTheirBalls) {
    Table table;
    table.newGame(dealWith({{20, 5}, {22, 6}}));
    table.removeWithNextBall({20}, 4);
    EXPECT_FALSE(table.game.slot(20).enabled);
    table.removeWithNextBall({16}, 3);
    EXPECT_FALSE(table.game.slot(16).occupied);
    EXPECT_TRUE(table.game.slot(16).enabled);
    EXPECT_TRUE(table.game.slot(kNextBallSlot).enabled);
}

// A ball put back into a blocking slot by Next Ball takes the freedom of the balls above away.
TEST(FreeBallPass, NextBallIntoABlockingSlotLocksTheBallsAbove) {
    Table table;
    table.newGame(dealWith({{20, 5}, {22, 6}}));
    table.removeWithNextBall({20}, 4);
    ASSERT_TRUE(table.game.slot(16).enabled);
    table.random.pushValue(2);
    table.game.nextBall();
    EXPECT_TRUE(table.game.slot(20).occupied);
    EXPECT_EQ(table.game.ballValue(20), 4);
    EXPECT_FALSE(table.game.slot(16).enabled);
    EXPECT_FALSE(table.game.slot(17).enabled);
}

}  // namespace
}  // namespace zentrix::testing
