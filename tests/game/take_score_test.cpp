#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

void expectBoxesOpenedQuietly(const RecordingPresenter& messages) {
    for (const auto& message : messages.seen) {
        EXPECT_EQ(message.title, "Zentrix");
        EXPECT_FALSE(message.timer1) << message.text;
        EXPECT_FALSE(message.timer2) << message.text;
    }
}

// What the window shows of the round: both timers, the seconds left, Label2 and Label6.
void expectRoundShown(const Game& game, bool timers, float secondsLeft, const char* label2,
                      const char* label6) {
    EXPECT_EQ(game.timer1Enabled(), timers);
    EXPECT_EQ(game.timer2Enabled(), timers);
    EXPECT_EQ(game.progressValue(), secondsLeft);
    EXPECT_EQ(game.label2(), label2);
    EXPECT_EQ(game.label6(), label6);
}

// A round's moves on the plain deal, which New deals unless the round has it already: 60
// seconds gone, 20 + 21 (200 points), then 9 with the next ball (600 points): three cleared
// slots, four removed balls, 30 seconds left.
void playShortRound(Table& table, bool byNew = true) {
    if (byNew) {
        table.newGame(plainDeal());
    }
    table.countdown(60);
    table.click({20, 21});
    table.removeWithNextBall({9}, 2);
    ASSERT_EQ(table.game.roundPoints(), 800);
    ASSERT_EQ(table.game.label2(), "2");
}

// The total is 1000 per cleared slot + 1000 per two removed balls + 250 per second left + the
// total so far + the round's points, written as plain digits; round 1 then deals round 2 with
// its two messages, opened with both timers stopped, the new total shown and the board empty.
TEST(TakeScore, ScoresTheRoundAndDealsRoundTwo) {
    Table table;
    playShortRound(table);
    table.game.takeScore();

    EXPECT_EQ(table.game.label4(), "13300");  // 3000 + 2000 + 30 * 250 + 0 + 800
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.messages.seen[0].style, MessageStyle::Question);
    EXPECT_EQ(table.messages.seen[1].style, MessageStyle::Information);
    for (const auto& message : table.messages.seen) {
        EXPECT_EQ(message.total, "13300");
        EXPECT_FALSE(message.ballsShown);
    }
    expectBoxesOpenedQuietly(table.messages);

    EXPECT_EQ(table.game.roundState(), RoundState::RoundTwo);
    expectRoundShown(table.game, true, 90.0f, "0", "0");
    EXPECT_TRUE(table.game.scoreEnabled());
    EXPECT_EQ(table.game.roundPoints(), 0);
    EXPECT_EQ(table.game.ballsRemoved(), 0);
    EXPECT_EQ(table.game.spacesCleared(), 0);
    EXPECT_EQ(table.game.carriedScore(), 0);
    EXPECT_EQ(table.occupiedCount(), 23);
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 20, 21, 22}));
}

// An emptied slot counts as cleared whether or not the refresh has hidden its box yet.
TEST(TakeScore, ClearedSlotsDoNotWaitForTheRefresh) {
    Table refreshed;
    playShortRound(refreshed);
    refreshed.refresh();
    refreshed.game.takeScore();

    Table unrefreshed;
    playShortRound(unrefreshed);
    unrefreshed.game.takeScore();

    EXPECT_EQ(refreshed.game.label4(), "13300");
    EXPECT_EQ(unrefreshed.game.label4(), "13300");
}

// Running out of time scores like Take Score with no time left; one second left is worth 250.
TEST(TakeScore, TimeRunningOutScoresNoTimeBonus) {
    Table timedOut;
    timedOut.newGame(plainDeal());
    timedOut.click({20, 21});
    timedOut.countdown(90);
    EXPECT_EQ(timedOut.game.label4(), "3200");  // 2000 + 1000 + 0 + 200
    EXPECT_EQ(timedOut.game.roundState(), RoundState::RoundTwo);

    Table pressed;
    pressed.newGame(plainDeal());
    pressed.click({20, 21});
    pressed.countdown(89);
    pressed.game.takeScore();
    EXPECT_EQ(pressed.game.label4(), "3450");
}

// New deals a clearing round with `discards` balls thrown away (see scriptClearingRound), which
// is then played until the heap is empty.
void emptyTheHeap(Table& table, int discards) {
    scriptClearingRound(table.random, discards);
    table.game.newGame();
    playClearingRound(table, discards);
}

// A heap emptied with no next ball left earns the level-clear message first, before the board
// is emptied or the total shown, and counts 32 cleared slots.
TEST(TakeScore, LevelClearWithTheSupplyUsedUp) {
    Table table;
    emptyTheHeap(table, 16);
    ASSERT_EQ(table.occupiedCount(), 0);
    EXPECT_EQ(table.game.roundPoints(), kClearingRoundPoints);
    EXPECT_EQ(table.game.label2(), "22");

    table.random.pushValues(plainDeal());
    table.game.takeScore();
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"BONUS, Level Clear 10,000", "Ready for Round 2",
                                        "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.messages.seen[0].style, MessageStyle::Information);
    EXPECT_EQ(table.messages.seen[0].total, "0") << "the total is shown after the bonus box";
    expectBoxesOpenedQuietly(table.messages);
    // 32 * 1000 + 22 * 1000 + 90 * 250 + 14200
    EXPECT_EQ(table.game.label4(), "90700");
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

// An emptied heap with a ball still waiting in the next-ball slot earns no bonus: 22 slots.
TEST(TakeScore, NoLevelClearWhileANextBallWaits) {
    Table table;
    emptyTheHeap(table, 15);
    ASSERT_EQ(table.occupiedCount(), 1);
    ASSERT_TRUE(table.game.slot(kNextBallSlot).occupied);

    table.game.takeScore();
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.game.label4(), "80700");  // 22 * 1000 + 22 * 1000 + 90 * 250 + 14200
}

// Scripts a round in which 17 balls are thrown away and then every heap ball but slot 2 goes
// together with the next ball: the 21st set uses up the supply, so one ball stays on the heap
// and none waits below it.
void scriptAllButOneCleared(ScriptedRandom& random) {
    constexpr std::array<std::pair<int, int>, 5> kPairs{{{1, 10}, {2, 9}, {3, 8}, {4, 7}, {5, 6}}};
    Deal board(kBoardSlotCount);
    std::vector<int> nextBalls;
    std::vector<int> discards;
    for (std::size_t k = 0; k < kClearingOrder.size(); ++k) {
        const auto [low, high] = kPairs[k % kPairs.size()];
        const bool lowOnHeap = k % 2 == 0;
        board[static_cast<std::size_t>(kClearingOrder[k])] = lowOnHeap ? low : high;
        (k + 1 < kClearingOrder.size() ? nextBalls : discards).push_back(lowOnHeap ? high : low);
    }
    for (std::size_t k = kClearingOrder.size(); k < 30; ++k) {
        discards.push_back(kPairs[k % kPairs.size()].first);
        discards.push_back(kPairs[k % kPairs.size()].second);
    }
    random.pushValues(board);
    random.pushValues(discards);
    random.pushValues(nextBalls);
}

// 21 cleared slots with the next-ball slot empty are no level clear: no message, 21 * 1000.
TEST(TakeScore, NoLevelClearWithOneHeapBallLeft) {
    Table table;
    scriptAllButOneCleared(table.random);
    table.game.newGame();
    for (int i = 0; i < 17; ++i) {
        table.game.nextBall();
    }
    for (std::size_t k = 0; k + 1 < kClearingOrder.size(); ++k) {
        const int slot = kClearingOrder[k];
        ASSERT_EQ(table.game.ballValue(slot) + table.game.ballValue(kNextBallSlot), kTarget)
            << "slot " << slot;
        table.click({slot, kNextBallSlot});
        ASSERT_FALSE(table.game.slot(slot).occupied) << "slot " << slot << " was not removed";
    }
    ASSERT_EQ(table.occupiedCount(), 1);
    ASSERT_TRUE(table.game.slot(2).occupied);
    ASSERT_FALSE(table.game.slot(kNextBallSlot).occupied);
    for (int value = 1; value <= kMaxValue; ++value) {
        ASSERT_EQ(table.game.dealtCount(value), kBallsPerValue) << "value " << value;
    }
    ASSERT_EQ(table.game.roundPoints(), kClearingRoundPoints - 500 - 500);
    ASSERT_EQ(table.game.label2(), "21");

    table.random.pushValues(plainDeal());
    table.game.takeScore();
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.game.label4(), "77700");  // 21 * 1000 + 21 * 1000 + 90 * 250 + 13200
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

// Take Score leaves no selection behind: the sum shown and kept go back to 0 with the board.
TEST(TakeScore, ClearsTheSelectionSum) {
    Table table;
    table.newGame(plainDeal());
    table.click({9});
    ASSERT_EQ(table.game.label1(), "10");
    table.game.takeScore();
    EXPECT_EQ(table.game.label1(), "0");
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_TRUE(table.selectedSlots().empty());
}

// Before the first New the Take Score button is off: pressing it awards nothing and shows
// nothing, and the window stays as it was.
TEST(TakeScore, UnavailableBeforeTheFirstGame) {
    Table table;
    EXPECT_FALSE(table.game.scoreEnabled());
    table.game.takeScore();
    EXPECT_TRUE(table.messages.seen.empty());
    EXPECT_EQ(table.game.label4(), "");
    EXPECT_EQ(table.game.roundState(), RoundState::NotStarted);
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    EXPECT_EQ(table.occupiedCount(), 0);
}

// At game over the heap's boxes are off, the button too, Label6 is empty, Label4 keeps the
// total, both timers are stopped and the empty boxes stay shown. Only the button, the ticks and
// the empty next-ball box do nothing; Next Ball still deals.
TEST(TakeScore, GameOverFreezesTheBoardButNotNextBall) {
    Table table;
    table.newGame(plainDeal());
    table.random.pushValues(plainDeal());
    table.game.takeScore();  // 22500
    table.countdown(90);     // round 2 runs out: 22500 + 0
    ASSERT_EQ(table.messages.texts().back(), "Game Over");
    EXPECT_EQ(table.messages.seen.back().style, MessageStyle::Information);
    expectBoxesOpenedQuietly(table.messages);

    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
    EXPECT_EQ(table.game.label4(), "22500");
    EXPECT_EQ(table.game.label6(), "");
    EXPECT_FALSE(table.game.scoreEnabled());
    EXPECT_FALSE(table.game.timer1Enabled());
    EXPECT_FALSE(table.game.timer2Enabled());
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        EXPECT_FALSE(table.game.slot(slot).enabled) << "slot " << slot;
        EXPECT_TRUE(table.game.slot(slot).visible) << "slot " << slot;
        EXPECT_FALSE(table.game.slot(slot).occupied) << "slot " << slot;
    }
    EXPECT_TRUE(table.game.slot(kNextBallSlot).enabled);

    const auto shownBefore = table.messages.seen.size();
    table.game.takeScore();
    table.countdown(5);
    table.refresh();
    table.click({kNextBallSlot});
    EXPECT_EQ(table.messages.seen.size(), shownBefore);
    EXPECT_EQ(table.game.label4(), "22500");
    EXPECT_EQ(table.game.label6(), "");
    EXPECT_EQ(table.game.label7(), "0");
    EXPECT_TRUE(table.game.slot(0).visible);
    EXPECT_EQ(table.game.selectionSum(), 0);

    table.random.pushValues({4, 9});
    table.game.nextBall();
    EXPECT_EQ(table.game.ballValue(kNextBallSlot), 4);
    table.game.nextBall();
    EXPECT_TRUE(table.game.slot(0).occupied);
    EXPECT_EQ(table.game.ballValue(0), 4);
    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
}

// Game over touches nothing but the boxes, the button and Label6: the round's points, the
// removed-ball count, the cleared slots, the total, the flags and the stopped timers all stay,
// and a set taken after it adds to the kept counts.
TEST(TakeScore, GameOverKeepsTheRoundsCounts) {
    Table table;
    table.newGame(plainDeal());
    table.random.pushValues(plainDeal());
    table.game.takeScore();  // 22500
    ASSERT_NO_FATAL_FAILURE(playShortRound(table, /*byNew=*/false));
    table.game.takeScore();  // 3000 + 2000 + 30 * 250 + 22500 + 800
    ASSERT_EQ(table.messages.texts().back(), "Game Over");

    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
    EXPECT_EQ(table.game.label4(), "35800");
    EXPECT_EQ(table.game.roundPoints(), 800);
    EXPECT_EQ(table.game.ballsRemoved(), 2) << "the halved count Take Score read from Label2";
    EXPECT_EQ(table.game.spacesCleared(), 3);
    EXPECT_EQ(table.game.carriedScore(), 22500);
    EXPECT_TRUE(table.game.roundTwo());
    EXPECT_FALSE(table.game.bonusRound());
    expectRoundShown(table.game, false, 30.0f, "2", "");

    // Next Ball deals from a fresh supply; slot 0 and the next ball then make a set.
    table.random.pushValues({3, 8, 1});
    table.game.nextBall();
    table.game.nextBall();
    ASSERT_EQ(table.game.ballValue(0), 3);
    ASSERT_EQ(table.game.ballValue(kNextBallSlot), 8);
    table.click({0, kNextBallSlot});
    ASSERT_FALSE(table.game.slot(0).occupied);
    table.refresh();

    EXPECT_EQ(table.game.roundPoints(), 800 + 500 + 500);
    EXPECT_EQ(table.game.ballsRemoved(), 4);
    EXPECT_EQ(table.game.label2(), "2");
    EXPECT_EQ(table.game.label6(), "") << "the refresh stays stopped";
    EXPECT_TRUE(table.game.slot(0).visible);
    EXPECT_EQ(table.game.label4(), "35800");
    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

}  // namespace
}  // namespace zentrix::testing
