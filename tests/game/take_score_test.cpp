#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

void expectBoxesOpenedQuietly(const RecordingPresenter& messages) {
    for (const auto& message : messages.shown) {
        EXPECT_EQ(message.title, "Zentrix");
        EXPECT_FALSE(message.timer1) << message.text;
        EXPECT_FALSE(message.timer2) << message.text;
    }
}

// Round one's moves: 60 seconds gone, 20 + 21 (200 points), then 9 with the next ball (600
// points): three cleared slots, four removed balls, 30 seconds left.
void playShortRound(Table& table) {
    table.newGame(plainDeal());
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
    EXPECT_EQ(table.messages.shown[0].style, MessageStyle::Question);
    EXPECT_EQ(table.messages.shown[1].style, MessageStyle::Information);
    for (const auto& message : table.messages.shown) {
        EXPECT_EQ(message.label4, "13300");
        EXPECT_TRUE(message.boardEmpty);
    }
    expectBoxesOpenedQuietly(table.messages);

    EXPECT_EQ(table.game.roundState(), RoundState::RoundTwo);
    EXPECT_TRUE(table.game.timer1Enabled());
    EXPECT_TRUE(table.game.timer2Enabled());
    EXPECT_TRUE(table.game.scoreEnabled());
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    EXPECT_EQ(table.game.label2(), "0");
    EXPECT_EQ(table.game.label6(), "0");
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

// A heap emptied with no next ball left earns the level-clear message first, before the board
// is emptied or the total shown, and counts 32 cleared slots.
TEST(TakeScore, LevelClearWithTheSupplyUsedUp) {
    Table table;
    scriptClearingRound(table.random, 16);
    table.game.newGame();
    playClearingRound(table, 16);
    ASSERT_EQ(table.occupiedCount(), 0);
    EXPECT_EQ(table.game.roundPoints(), kClearingRoundPoints);
    EXPECT_EQ(table.game.label2(), "22");

    table.random.pushValues(plainDeal());
    table.game.takeScore();
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"BONUS, Level Clear 10,000", "Ready for Round 2",
                                        "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.messages.shown[0].style, MessageStyle::Information);
    EXPECT_EQ(table.messages.shown[0].label4, "0") << "the total is shown after the bonus box";
    expectBoxesOpenedQuietly(table.messages);
    // 32 * 1000 + 22 * 1000 + 90 * 250 + 14200
    EXPECT_EQ(table.game.label4(), "90700");
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

// An emptied heap with a ball still waiting in the next-ball slot earns no bonus: 22 slots.
TEST(TakeScore, NoLevelClearWhileANextBallWaits) {
    Table table;
    scriptClearingRound(table.random, 15);
    table.game.newGame();
    playClearingRound(table, 15);
    ASSERT_EQ(table.occupiedCount(), 1);
    ASSERT_TRUE(table.game.slot(kNextBallSlot).occupied);

    table.game.takeScore();
    ASSERT_EQ(table.messages.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(table.game.label4(), "80700");  // 22 * 1000 + 22 * 1000 + 90 * 250 + 14200
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
    EXPECT_TRUE(table.messages.shown.empty());
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
    EXPECT_EQ(table.messages.shown.back().style, MessageStyle::Information);
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

    const auto shownBefore = table.messages.shown.size();
    table.game.takeScore();
    table.countdown(5);
    table.refresh();
    table.click({kNextBallSlot});
    EXPECT_EQ(table.messages.shown.size(), shownBefore);
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

}  // namespace
}  // namespace zentrix::testing
