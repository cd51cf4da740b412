#include "tests/game/table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace zentrix::testing {

float ScriptedRandom::next() {
    ++draws_;
    if (!script_.empty()) {
        const float r = script_.front();
        script_.pop_front();
        return r;
    }
    ++fallbackDraws_;
    return static_cast<float>(fallback_() >> 8) * 0x1p-24f;
}

void ScriptedRandom::pushValue(int value) {
    // 10r + 1 lands 0.2 above the value, well clear of any rounding boundary.
    pushDraw((static_cast<float>(value) - 0.8f) / 10.0f);
}

void ScriptedRandom::pushValues(const std::vector<int>& values) {
    for (const int value : values) {
        pushValue(value);
    }
}

void RecordingPresenter::watch(const Game& game) {
    behind = [&game] {
        WindowBehind window{game.timer1Enabled(), game.timer2Enabled(), game.label4(), false};
        for (int slot = 0; slot < kSlotCount; ++slot) {
            window.ballsShown = window.ballsShown || game.slot(slot).occupied;
        }
        return window;
    };
}

Deal plainDeal() {
    //      0  1  2  3  4  5  6  7  8  9  10 11 12 13 14 15 16 17 18 19 20 21 22
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 5, 6, 1};
}

Deal dealWith(std::initializer_list<std::pair<int, int>> slotValues) {
    Deal deal = plainDeal();
    for (const auto& [slot, value] : slotValues) {
        deal[static_cast<std::size_t>(slot)] = value;
    }
    return deal;
}

Table::Table() {
    messages.watch(game);
    game.startUp();
}

void Table::newGame(const Deal& deal) {
    random.pushValues(deal);
    game.newGame();
}

void Table::playToGameOver() {
    newGame(plainDeal());
    random.pushValues(plainDeal());
    game.takeScore();
    game.takeScore();
}

void Table::click(std::initializer_list<int> slots) {
    for (const int slot : slots) {
        game.clickSlot(slot);
    }
}

void Table::countdown(int ticks) {
    for (int i = 0; i < ticks; ++i) {
        game.countdownTick();
    }
}

void Table::removeWithNextBall(const std::vector<int>& slots, int afterwards) {
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const int slot = slots[k];
        ASSERT_TRUE(game.slot(slot).occupied) << "slot " << slot;
        ASSERT_EQ(game.ballValue(slot) + game.ballValue(kNextBallSlot), kTarget) << "slot " << slot;
        random.pushValue(k + 1 < slots.size() ? kTarget - game.ballValue(slots[k + 1])
                                              : afterwards);
        click({slot, kNextBallSlot});
        ASSERT_FALSE(game.slot(slot).occupied) << "slot " << slot << " was not removed";
    }
}

int Table::occupiedCount() const {
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        count += game.slot(slot).occupied ? 1 : 0;
    }
    return count;
}

std::vector<int> Table::freeSlots() const {
    std::vector<int> result;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (game.slot(slot).enabled && game.slot(slot).occupied) {
            result.push_back(slot);
        }
    }
    return result;
}

std::vector<int> Table::selectedSlots() const {
    std::vector<int> result;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (game.slot(slot).selected) {
            result.push_back(slot);
        }
    }
    return result;
}

void scriptClearingRound(ScriptedRandom& random, int discards) {
    // The supply is 30 pairs adding up to 11, six of each kind. The first 22 pairs each give a
    // heap ball and the next ball that takes it away; the other eight are thrown away or left.
    constexpr std::array<std::pair<int, int>, 5> kPairs{{{1, 10}, {2, 9}, {3, 8}, {4, 7}, {5, 6}}};
    Deal board(kBoardSlotCount);
    std::vector<int> nextBalls;
    for (std::size_t k = 0; k < kClearingOrder.size(); ++k) {
        const auto [low, high] = kPairs[k % kPairs.size()];
        const bool lowOnHeap = k % 2 == 0;
        board[static_cast<std::size_t>(kClearingOrder[k])] = lowOnHeap ? low : high;
        nextBalls.push_back(lowOnHeap ? high : low);
    }
    std::vector<int> spare;
    for (std::size_t k = kClearingOrder.size(); k < 30; ++k) {
        spare.push_back(kPairs[k % kPairs.size()].first);
        spare.push_back(kPairs[k % kPairs.size()].second);
    }

    random.pushValues(board);
    for (int i = 0; i < discards; ++i) {
        random.pushValue(spare[static_cast<std::size_t>(i)]);
    }
    random.pushValues(nextBalls);
    for (std::size_t i = static_cast<std::size_t>(discards); i < spare.size(); ++i) {
        random.pushValue(spare[i]);
    }
}

void playClearingRound(Table& table, int discards) {
    for (int i = 0; i < discards; ++i) {
        table.game.nextBall();
    }
    for (const int slot : kClearingOrder) {
        ASSERT_EQ(table.game.ballValue(slot) + table.game.ballValue(kNextBallSlot), kTarget)
            << "slot " << slot;
        table.click({slot, kNextBallSlot});
        ASSERT_FALSE(table.game.slot(slot).occupied) << "slot " << slot << " was not removed";
    }
}

void expectRulesHold(const Game& game) {
    int selectedSum = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto& box = game.slot(slot);
        if (box.selected) {
            ASSERT_TRUE(box.occupied) << "ring on empty slot " << slot;
            selectedSum += game.ballValue(slot);
        }
    }
    ASSERT_EQ(game.selectionSum(), selectedSum);
    ASSERT_LE(game.selectionSum(), kTarget);

    std::array<int, kMaxValue + 1> onBoard{};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (game.slot(slot).occupied) {
            const int value = game.ballValue(slot);
            ASSERT_TRUE(value >= 1 && value <= kMaxValue) << "slot " << slot;
            ++onBoard[static_cast<std::size_t>(value)];
        }
    }
    for (int value = 1; value <= kMaxValue; ++value) {
        ASSERT_LE(game.dealtCount(value), kBallsPerValue);
        ASSERT_LE(onBoard[static_cast<std::size_t>(value)], game.dealtCount(value)) << value;
    }

    ASSERT_GE(game.roundPoints(), 0);
    ASSERT_GE(game.ballsRemoved(), 0);
    ASSERT_GE(game.spacesCleared(), 0);
    ASSERT_GE(game.carriedScore(), 0);
    const auto state = game.roundState();
    if (state != RoundState::NotStarted) {
        ASSERT_EQ(game.label1(), std::to_string(game.selectionSum()));
        ASSERT_GE(std::stoll(game.label4()), 0);
    }

    if (state == RoundState::RoundOne || state == RoundState::RoundTwo ||
        state == RoundState::BonusRound) {
        ASSERT_TRUE(game.timer1Enabled());
        ASSERT_TRUE(game.timer2Enabled());
        ASSERT_TRUE(game.scoreEnabled());
        for (int slot = 0; slot < kBoardSlotCount; ++slot) {
            if (!game.slot(slot).occupied) {
                continue;
            }
            const auto blockers = blockersOf(slot);
            const bool free = std::none_of(blockers.begin(), blockers.end(),
                                           [&](auto b) { return game.slot(b).occupied; });
            ASSERT_EQ(game.slot(slot).enabled, free) << "slot " << slot;
        }
        ASSERT_TRUE(game.slot(kNextBallSlot).enabled);
        ASSERT_EQ(game.label2(), std::to_string(game.ballsRemoved() / 2));
        ASSERT_GE(game.progressValue(), 1.0f);
        ASSERT_LE(game.progressValue(), 90.0f);
    }
}

}  // namespace zentrix::testing
