#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

void expectFreshRoundOne(const Table& table) {
    const Game& game = table.game;
    EXPECT_EQ(game.roundState(), RoundState::RoundOne);
    EXPECT_FALSE(game.roundTwo());
    EXPECT_FALSE(game.bonusRound());
    EXPECT_TRUE(game.timer1Enabled());
    EXPECT_TRUE(game.timer2Enabled());
    EXPECT_TRUE(game.scoreEnabled());
    EXPECT_EQ(game.progressValue(), 90.0f);
    EXPECT_EQ(game.label4(), "0");
    EXPECT_EQ(game.label2(), "0");
    EXPECT_EQ(game.label1(), "0");
    EXPECT_EQ(game.selectionSum(), 0);
    EXPECT_EQ(game.roundPoints(), 0);
    EXPECT_EQ(game.ballsRemoved(), 0);
    EXPECT_EQ(game.spacesCleared(), 0);
    EXPECT_EQ(game.carriedScore(), 0);
    EXPECT_EQ(table.occupiedCount(), 23);
    EXPECT_TRUE(table.selectedSlots().empty());
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 20, 21, 22}));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(game.slot(slot).visible) << slot;
    }
}

// New in a fresh window starts round one: a dealt heap, a full running countdown, the total at
// "0"; Label6 and Label7 wait for their timers.
TEST(NewGame, StartsTheFirstGame) {
    Table table;
    table.refresh();
    table.newGame(plainDeal());
    expectFreshRoundOne(table);
    EXPECT_EQ(table.game.label6(), "0");
    EXPECT_EQ(table.game.label7(), "");
    EXPECT_TRUE(table.messages.seen.empty());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(table.game.ballValue(slot), plainDeal()[static_cast<std::size_t>(slot)]);
    }
}

// New in the middle of round two throws the round and the total away without a word and
// without scoring; the selection goes too.
TEST(NewGame, AbandonsARoundInProgress) {
    Table table;
    table.newGame(plainDeal());
    table.random.pushValues(plainDeal());
    table.game.takeScore();
    ASSERT_EQ(table.game.roundState(), RoundState::RoundTwo);
    table.countdown(10);
    table.click({20, 21});
    table.refresh();
    table.click({9});
    ASSERT_EQ(table.game.label6(), "200");
    const auto shownBefore = table.messages.seen.size();

    table.newGame(plainDeal());
    expectFreshRoundOne(table);
    EXPECT_EQ(table.messages.seen.size(), shownBefore);
    EXPECT_EQ(table.game.label7(), "80") << "Label7 keeps its number until the first tick";
    EXPECT_EQ(table.game.label6(), "200") << "Label6 follows on the next refresh";
    table.refresh();
    EXPECT_EQ(table.game.label6(), "0");
}

// New after game over deals again, switches the button and both timers back on, and the free
// balls take clicks again.
TEST(NewGame, StartsAgainAfterGameOver) {
    Table table;
    table.playToGameOver();
    ASSERT_EQ(table.game.roundState(), RoundState::GameOver);

    table.newGame(plainDeal());
    expectFreshRoundOne(table);
    table.click({20, 21});
    EXPECT_EQ(table.game.roundPoints(), 200);
}

}  // namespace
}  // namespace zentrix::testing
