// Whole games replayed move by move, checked on the board and the score at the end.
#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// Round one: 16 seconds gone, then the heap is emptied with the whole supply used, worth
// 32 * 1000 + 22 * 1000 + 74 * 250 + 14200 = 86700. `roundTwo` is the deal that Take Score
// draws for the next round.
void playRoundOne(Table& table, const Deal& roundTwo) {
    scriptClearingRound(table.random, 16);
    table.game.newGame();
    table.countdown(16);
    playClearingRound(table, 16);
    table.refresh();
    ASSERT_EQ(table.game.label6(), std::to_string(kClearingRoundPoints));
    table.random.pushValues(roundTwo);
    table.game.takeScore();
    ASSERT_EQ(table.game.label4(), "86700");
    ASSERT_EQ(table.game.roundState(), RoundState::RoundTwo);
}

// Round two takes 20, 21 and the next ball (3 + 4 + 4: 300 points, two cleared slots, three
// balls) and then runs out of time: 86700 + 2000 + 1000 + 0 + 300 is exactly 90000, which opens
// the bonus round; after it the game ends whatever the total. Every box opens with both timers
// stopped, over an empty board, with the total as it stands at that step.
TEST(Scenario, ExactlyNinetyThousandOpensTheBonusRoundWhichAlwaysEnds) {
    Table table;
    playRoundOne(table, dealWith({{20, 3}, {21, 4}, {22, 4}}));

    table.random.pushValue(1);
    table.click({20, 21, 22});
    table.random.pushValues(plainDeal());  // the bonus round's deal
    table.countdown(90);

    EXPECT_EQ(table.game.label4(), "90000");
    EXPECT_EQ(table.game.roundState(), RoundState::BonusRound);
    EXPECT_TRUE(table.game.bonusRound());
    EXPECT_FALSE(table.game.roundTwo());
    EXPECT_EQ(table.occupiedCount(), 23);
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    EXPECT_EQ(table.freeSlots(), (std::vector<int>{9, 20, 21, 22}));

    table.click({20, 21});
    table.game.takeScore();  // 90000 + 2000 + 1000 + 90 * 250 + 200

    const std::vector<std::string> expected{"BONUS, Level Clear 10,000", "Ready for Round 2",
                                            "Score 90,000 for BONUS ROUND!!", "BONUS ROUND!!!",
                                            "Game Over"};
    ASSERT_EQ(table.messages.texts(), expected);
    const std::vector<MessageStyle> styles{MessageStyle::Information, MessageStyle::Question,
                                           MessageStyle::Information, MessageStyle::Exclamation,
                                           MessageStyle::Information};
    const std::vector<std::string> totalsShown{"0", "86700", "86700", "90000", "115700"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& message = table.messages.seen[i];
        EXPECT_EQ(message.style, styles[i]) << message.text;
        EXPECT_EQ(message.title, "Zentrix");
        EXPECT_FALSE(message.timer1 || message.timer2) << message.text;
        EXPECT_EQ(message.total, totalsShown[i]) << message.text;
        EXPECT_FALSE(message.ballsShown) << message.text;
    }

    EXPECT_EQ(table.game.label4(), "115700");
    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
    EXPECT_TRUE(table.game.bonusRound());
    EXPECT_EQ(table.occupiedCount(), 0);
    EXPECT_EQ(table.random.fallbackDraws(), 0);
    EXPECT_EQ(table.random.pending(), 0u);
}

// The same game with 5 + 6 instead of the three-ball set ends round two 100 short at 89900:
// "Game Over" straight away, and the round-two flag stays as it was.
TEST(Scenario, OneHundredShortOfNinetyThousandEndsTheGame) {
    Table table;
    playRoundOne(table, plainDeal());

    table.click({20, 21});
    table.countdown(90);

    EXPECT_EQ(table.game.label4(), "89900");
    EXPECT_EQ(table.messages.texts().back(), "Game Over");
    EXPECT_EQ(table.messages.seen.size(), 4u);
    EXPECT_EQ(table.game.roundState(), RoundState::GameOver);
    EXPECT_TRUE(table.game.roundTwo());
    EXPECT_FALSE(table.game.bonusRound());
    EXPECT_EQ(table.random.fallbackDraws(), 0);
}

// New during the bonus round goes back to round one with nothing carried over.
TEST(Scenario, NewDuringTheBonusRoundStartsOver) {
    Table table;
    playRoundOne(table, dealWith({{20, 3}, {21, 4}, {22, 4}}));
    table.random.pushValue(1);
    table.click({20, 21, 22});
    table.random.pushValues(plainDeal());
    table.countdown(90);
    ASSERT_EQ(table.game.roundState(), RoundState::BonusRound);
    table.countdown(30);
    table.click({9});

    table.newGame(plainDeal());
    EXPECT_EQ(table.game.roundState(), RoundState::RoundOne);
    EXPECT_FALSE(table.game.bonusRound());
    EXPECT_EQ(table.game.label4(), "0");
    EXPECT_EQ(table.game.progressValue(), 90.0f);
    EXPECT_EQ(table.game.selectionSum(), 0);
    EXPECT_TRUE(table.selectedSlots().empty());

    // The next Take Score starts round two from 0 again.
    table.random.pushValues(plainDeal());
    table.game.takeScore();
    EXPECT_EQ(table.game.label4(), "22500");
    EXPECT_EQ(table.game.roundState(), RoundState::RoundTwo);
}

}  // namespace
}  // namespace zentrix::testing
