// How fast the rules run: a fresh deal with the production random source, and a whole game of
// up to three rounds played by a simple bot through the same calls the window makes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "game/game.h"

namespace {

using zentrix::Game;
using zentrix::kNextBallSlot;
using zentrix::kSlotCount;
using zentrix::kTarget;

class SilentPresenter final : public zentrix::MessagePresenter {
public:
    void showMessage(std::string_view, std::string_view, zentrix::MessageStyle) override {}
};

// Finds balls among `candidates[from..]` adding up to `wanted`, appending them to `chosen`.
bool findSet(const Game& game, const std::vector<int>& candidates, std::size_t from, int wanted,
             std::vector<int>& chosen) {
    if (wanted == 0) {
        return true;
    }
    for (std::size_t i = from; i < candidates.size(); ++i) {
        const int value = game.ballValue(candidates[i]);
        if (value <= wanted) {
            chosen.push_back(candidates[i]);
            if (findSet(game, candidates, i + 1, wanted - value, chosen)) {
                return true;
            }
            chosen.pop_back();
        }
    }
    return false;
}

// One move of the bot: any free set of 11, else Next Ball, else Take Score. The refresh tick
// that follows keeps the boxes shown as the window's timer would.
struct Bot {
    std::vector<int> candidates;
    std::vector<int> chosen;
    long moves = 0;

    void play(Game& game) {
        candidates.clear();
        chosen.clear();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const auto& box = game.slot(slot);
            if (box.visible && box.enabled && box.occupied) {
                candidates.push_back(slot);
            }
        }
        if (findSet(game, candidates, 0, kTarget, chosen)) {
            for (const int slot : chosen) {
                game.clickSlot(slot);
            }
        } else if (game.slot(kNextBallSlot).occupied) {
            game.nextBall();
        } else {
            game.takeScore();
        }
        game.refreshTick();
        ++moves;
    }
};

void BM_FreshDeal(benchmark::State& state) {
    zentrix::ClockSeededRandom random;
    SilentPresenter messages;
    Game game(random, messages);
    game.startUp();
    for (auto _ : state) {
        game.newGame();  // empties the board and deals 22 heap balls and the next ball
        benchmark::DoNotOptimize(game.ballValue(kNextBallSlot));
    }
}
BENCHMARK(BM_FreshDeal);

void BM_BotGame(benchmark::State& state) {
    zentrix::ClockSeededRandom random;
    SilentPresenter messages;
    Game game(random, messages);
    game.startUp();
    Bot bot;
    long games = 0;
    long bonusRounds = 0;
    double totals = 0.0;
    for (auto _ : state) {
        game.newGame();
        bool sawBonus = false;
        while (game.roundState() != zentrix::RoundState::GameOver) {
            bot.play(game);
            sawBonus = sawBonus || game.bonusRound();
        }
        ++games;
        bonusRounds += sawBonus ? 1 : 0;
        totals += std::stod(game.label4());
    }
    state.counters["moves/game"] = static_cast<double>(bot.moves) / static_cast<double>(games);
    state.counters["bonus share"] = static_cast<double>(bonusRounds) / static_cast<double>(games);
    state.counters["mean total"] = totals / static_cast<double>(games);
}
BENCHMARK(BM_BotGame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
