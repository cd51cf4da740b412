#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/game/table.h"

namespace zentrix::testing {
namespace {

// A player who clicks, presses and waits at random, as fast as the rules allow. Some games it
// plays carelessly, others it looks for sets of 11 and goes for them, which is what takes it
// into the bonus round now and then.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed) : rng_(seed) {}

    bool careful = false;

    int roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(rng_); }

    // Any box the player can click: shown and enabled, with or without a ball in it.
    int pickClickable(const Game& game) {
        std::vector<int> clickable;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (game.slot(slot).visible && game.slot(slot).enabled) {
                clickable.push_back(slot);
            }
        }
        if (clickable.empty()) {
            return -1;
        }
        return clickable[static_cast<std::size_t>(roll(static_cast<int>(clickable.size())))];
    }

    // A ball that, with the balls already selected, belongs to a free set of 11; -1 if none.
    int pickTowardsEleven(const Game& game) {
        std::vector<int> candidates;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const auto& box = game.slot(slot);
            if (box.visible && box.enabled && box.occupied && !box.selected) {
                candidates.push_back(slot);
            }
        }
        const int wanted = kTarget - game.selectionSum();
        // Sets of one or two balls are enough to keep a careful player busy.
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const int a = candidates[i];
            if (game.ballValue(a) == wanted) {
                return a;
            }
            for (std::size_t j = i + 1; j < candidates.size(); ++j) {
                if (game.ballValue(a) + game.ballValue(candidates[j]) == wanted) {
                    return a;
                }
            }
        }
        return -1;
    }

private:
    std::mt19937 rng_;
};

bool inRound(const Game& game) {
    const auto state = game.roundState();
    return state == RoundState::RoundOne || state == RoundState::RoundTwo ||
           state == RoundState::BonusRound;
}

// Two hundred thousand moves of random play, checked after every single one: no value dealt
// more than six times a round, the selection sum matching the rings and never above 11, rings
// only on balls, every ball on the heap free exactly when its blockers are gone, a total that
// never falls within a game, and captions that hold the numbers they show.
TEST(RandomPlay, RulesHoldAfterEveryMove) {
    ScriptedRandom random;  // nothing scripted: a fixed-seed stream of draws
    RecordingPresenter messages;
    Game game(random, messages);
    messages.watch(game);
    game.startUp();
    RandomPlayer player(424242u);

    long long lastTotal = 0;
    int games = 0;
    int removals = 0;
    int bonusRounds = 0;
    for (int move = 0; move < 200'000; ++move) {
        enum class Kind { Click, Next, Score, New, Countdown, Refresh } kind;
        // Chances per thousand moves: click, Next Ball, Take Score, New, countdown; the rest
        // are refresh ticks.
        const std::array<int, 5> odds = player.careful ? std::array<int, 5>{600, 20, 2, 1, 100}
                                                       : std::array<int, 5>{450, 80, 20, 10, 200};
        int dice = player.roll(1000);
        kind = Kind::Refresh;
        for (std::size_t k = 0; k < odds.size(); ++k) {
            if (dice < odds[k]) {
                kind = static_cast<Kind>(k);
                break;
            }
            dice -= odds[k];
        }
        const auto shownBefore = messages.seen.size();
        const int removedBefore = game.ballsRemoved();
        const auto stateBefore = game.roundState();

        switch (kind) {
            case Kind::Click:
                if (player.careful && player.roll(10) != 0) {
                    if (const int slot = player.pickTowardsEleven(game); slot >= 0) {
                        game.clickSlot(slot);
                    } else {
                        game.nextBall();
                    }
                } else if (const int slot = player.pickClickable(game); slot >= 0) {
                    game.clickSlot(slot);
                }
                break;
            case Kind::Next:
                game.nextBall();
                break;
            case Kind::Score:
                if (game.scoreEnabled()) {
                    game.takeScore();
                }
                break;
            case Kind::New:
                game.newGame();
                lastTotal = 0;
                ++games;
                player.careful = player.roll(2) == 0;
                break;
            case Kind::Countdown:
                game.countdownTick();
                break;
            case Kind::Refresh:
                game.refreshTick();
                break;
        }
        if (kind == Kind::Click && game.ballsRemoved() > removedBefore) {
            ++removals;
        }
        if (game.roundState() == RoundState::BonusRound && stateBefore != RoundState::BonusRound) {
            ++bonusRounds;
        }

        SCOPED_TRACE("move " + std::to_string(move));
        for (std::size_t i = shownBefore; i < messages.seen.size(); ++i) {
            ASSERT_FALSE(messages.seen[i].timer1 || messages.seen[i].timer2);
        }

        ASSERT_NO_FATAL_FAILURE(expectRulesHold(game));
        if (game.roundState() != RoundState::NotStarted) {
            const long long total = std::stoll(game.label4());
            ASSERT_GE(total, lastTotal);
            lastTotal = total;
        }

        if (inRound(game)) {
            if (kind == Kind::Refresh) {
                ASSERT_EQ(game.label6(), std::to_string(game.roundPoints()));
                for (int slot = 0; slot < kSlotCount; ++slot) {
                    ASSERT_EQ(game.slot(slot).visible, game.slot(slot).occupied);
                }
            }
            if (kind == Kind::Countdown && messages.seen.size() == shownBefore) {
                ASSERT_EQ(game.label7(), std::to_string(static_cast<int>(game.progressValue())));
            }
        }
    }
    // The walk must have reached every part of the game to mean anything.
    std::printf("%d games, %d sets removed, %d bonus rounds, %zu message boxes\n", games, removals,
                bonusRounds, messages.seen.size());
    EXPECT_GT(games, 100);
    EXPECT_GT(removals, 5000);
    EXPECT_GT(bonusRounds, 0);
    EXPECT_GT(messages.seen.size(), 300u);
}

}  // namespace
}  // namespace zentrix::testing
