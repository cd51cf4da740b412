#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// A click toggles the ring and keeps the running sum in Label1; a click that would pass 11
// changes nothing at all; clicking a selected ball takes it out of the sum again.
TEST(Selection, ClicksToggleAndTheSumNeverPassesEleven) {
    Table table;
    table.newGame(plainDeal());
    table.click({9});
    EXPECT_TRUE(table.game.slot(9).selected);
    EXPECT_EQ(table.game.selectionSum(), 10);
    EXPECT_EQ(table.game.label1(), "10");

    table.click({20});  // 10 + 5 > 11
    EXPECT_FALSE(table.game.slot(20).selected);
    EXPECT_EQ(table.game.selectionSum(), 10);
    EXPECT_EQ(table.game.label1(), "10");

    table.click({9});
    EXPECT_FALSE(table.game.slot(9).selected);
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_EQ(table.game.label1(), "0");
    EXPECT_EQ(table.game.roundPoints(), 0);
}

// Only a shown, enabled box with a ball takes a click: a blocked ball, a number that is no slot,
// an emptied box the refresh has not hidden yet, and a refilled box it has not shown yet are
// all ignored.
TEST(Selection, OnlyShownFreeBallsCanBePicked) {
    Table table;
    table.newGame(dealWith({{22, 6}}));
    table.click({0, -1, 23, 100});
    EXPECT_TRUE(table.selectedSlots().empty());
    EXPECT_EQ(table.game.label1(), "0");

    table.removeWithNextBall({20}, 4);  // 5 + 6
    table.removeWithNextBall({16}, 3);  // 7 + 4
    ASSERT_TRUE(table.game.slot(16).enabled);
    ASSERT_TRUE(table.game.slot(16).visible);
    table.click({16});
    EXPECT_FALSE(table.game.slot(16).selected) << "an empty box holds no ball to pick";
    EXPECT_EQ(table.game.selectionSum(), 0);

    table.refresh();
    EXPECT_FALSE(table.game.slot(16).visible);
    EXPECT_FALSE(table.game.slot(20).visible);
    table.random.pushValue(2);
    table.game.nextBall();  // the 3 goes into 16, still hidden
    ASSERT_TRUE(table.game.slot(16).occupied);
    ASSERT_TRUE(table.game.slot(16).enabled);
    table.click({16});
    EXPECT_FALSE(table.game.slot(16).selected);
    table.refresh();
    table.click({16});
    EXPECT_TRUE(table.game.slot(16).selected);
    EXPECT_EQ(table.game.selectionSum(), 3);
}

// Reaching exactly 11 removes the set at once: pictures, rings and freedom go, the boxes stay
// shown until the refresh, the points of the rows are added, Label1 shows "0" and Label2 the
// removed balls halved.
TEST(Selection, ElevenRemovesTheSetAtOnce) {
    Table table;
    table.newGame(plainDeal());
    table.click({20, 21});  // 5 + 6
    for (const int slot : {20, 21}) {
        EXPECT_FALSE(table.game.slot(slot).occupied);
        EXPECT_FALSE(table.game.slot(slot).selected);
        EXPECT_FALSE(table.game.slot(slot).enabled);
        EXPECT_TRUE(table.game.slot(slot).visible);
        EXPECT_EQ(table.game.ballValue(slot), slot == 20 ? 5 : 6);
    }
    EXPECT_EQ(table.game.roundPoints(), 200);
    EXPECT_EQ(table.game.ballsRemoved(), 2);
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_EQ(table.game.label1(), "0");
    EXPECT_EQ(table.game.label2(), "1");
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 16, 17, 18, 19, 22}));
}

// The next ball joins a set like a heap ball and earns the points of the best-placed heap ball
// beside it: 20, 21 and the next ball make 300. Label2 halves the removed count: 3 shows "1",
// 5 shows "2".
TEST(Selection, NextBallInASetEarnsItsNeighboursRow) {
    Table table;
    table.newGame(dealWith({{20, 3}, {21, 4}, {22, 4}}));
    table.random.pushValue(1);
    table.click({20, 21, 22});
    EXPECT_EQ(table.game.roundPoints(), 300);
    EXPECT_EQ(table.game.label2(), "1");
    EXPECT_TRUE(table.game.slot(kNextBallSlot).occupied) << "a new next ball is dealt";
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 1);

    table.random.pushValue(8);
    table.click({9, 22});  // 10 + 1, row of 300 twice
    EXPECT_EQ(table.game.roundPoints(), 900);
    EXPECT_EQ(table.game.ballsRemoved(), 5);
    EXPECT_EQ(table.game.label2(), "2");
}

// The next ball earns the best row of the heap balls in its set: slot 1 with the next ball
// earns 600 twice; slots 0 and 3 earn 500 + 400 for the heap and 500 for the next ball, since the
// top corners rank ahead of the second row; with 0 and 1 the next ball earns the 600 of the
// middle. Between two selected rows it takes the better one: the middle slot 1 over the corner
// slot 2, the 300 row over the 200 row, the 200 row over the bottom row.
TEST(Selection, NextBallTakesTheBestRowOfItsSet) {
    struct Case {
        Deal deal;
        std::vector<int> removedFirst;  // each with the next ball, before the set
        int nextBall;                   // the next ball then
        std::vector<int> heapBalls;     // the set's heap balls, with the next ball
        int points;
    };
    const Case cases[] = {
        {dealWith({{1, 4}, {22, 6}}), {20, 21, 9, 17, 18, 12, 13, 3, 4}, 7, {1}, 1200},
        {dealWith({{22, 6}}), {20, 9, 16, 17, 10, 11, 12, 5, 6}, 6, {0, 3}, 500 + 400 + 500},
        {dealWith({{22, 6}}),
         {20, 21, 9, 16, 17, 18, 12, 13, 10, 11, 5, 6, 3, 4},
         8,
         {0, 1},
         500 + 600 + 600},
        {dealWith({{2, 4}, {22, 6}}),
         {20, 21, 9, 17, 18, 19, 12, 13, 14, 15, 3, 4, 7, 8},
         5,
         {1, 2},
         600 + 500 + 600},
        {dealWith({{9, 2}, {16, 3}, {22, 6}}), {20}, 6, {9, 16}, 300 + 200 + 300},
        {dealWith({{16, 3}, {21, 2}, {22, 6}}), {20}, 6, {16, 21}, 200 + 100 + 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "slots " << c.heapBalls.front() << " and on");
        Table table;
        table.newGame(c.deal);
        table.removeWithNextBall(c.removedFirst, c.nextBall);
        std::vector<int> set = c.heapBalls;
        for (const int slot : set) {
            ASSERT_TRUE(table.game.slot(slot).enabled) << slot;
        }
        set.push_back(kNextBallSlot);
        const int before = table.game.roundPoints();
        table.random.pushValue(1);  // the next ball after the set
        for (const int slot : set) {
            table.game.clickSlot(slot);
        }
        for (const int slot : c.heapBalls) {
            EXPECT_FALSE(table.game.slot(slot).occupied) << slot;
        }
        EXPECT_EQ(table.game.roundPoints() - before, c.points);
        EXPECT_EQ(table.random.fallbackDraws(), 0);
    }
}

// A round's location points are a 32-bit count: they keep adding up past 32767. After game over
// Next Ball still fills the empty heap from a fresh supply, so slot 1 and the next ball can be
// taken away again and again, 1200 points a time, 28 times.
TEST(Selection, LocationPointsKeepCountingPast32767) {
    Table table;
    table.playToGameOver();
    ASSERT_EQ(table.game.roundState(), RoundState::GameOver);
    ASSERT_EQ(table.game.roundPoints(), 0);

    // 28 pairs adding up to 11 fit the supply of six per value with a 5 for slot 0 and a 6 left
    // waiting at the end.
    std::vector<std::pair<int, int>> pairs;
    for (int low = 1; low <= 5; ++low) {
        for (int i = 0; i < (low == 5 ? 4 : 6); ++i) {
            pairs.emplace_back(low, kTarget - low);
        }
    }
    ASSERT_EQ(pairs.size(), 28u);

    table.random.pushValue(5);
    table.game.nextBall();  // the empty next-ball slot moves nothing; a 5 is dealt
    table.random.pushValue(pairs.front().first);
    table.game.nextBall();  // the 5 goes into slot 0
    ASSERT_TRUE(table.game.slot(0).occupied);

    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto [heap, next] = pairs[k];
        table.random.pushValue(next);
        table.game.nextBall();
        ASSERT_TRUE(table.game.slot(1).occupied);
        ASSERT_EQ(table.game.ballValue(1), heap);
        ASSERT_EQ(table.game.ballValue(kNextBallSlot), next);
        table.random.pushValue(k + 1 < pairs.size() ? pairs[k + 1].first : 6);
        table.click({1, kNextBallSlot});
        ASSERT_FALSE(table.game.slot(1).occupied) << "set " << k;
        ASSERT_EQ(table.game.roundPoints(), 1200 * static_cast<int>(k + 1)) << "set " << k;
    }
    EXPECT_EQ(table.game.roundPoints(), 33600);
    EXPECT_EQ(table.game.ballsRemoved(), 56);
    EXPECT_EQ(table.game.label2(), "28");
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

}  // namespace
}  // namespace zentrix::testing
