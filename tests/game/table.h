// A game on the test bench: scripted draws, recorded message boxes, and short-hands for what a
// player does at the table.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "tests/box_recorder.h"

namespace zentrix::testing {

// Plays back the draws it is given, then carries on with a fixed-seed generator so that a test
// that runs past its script still ends (and can tell it did, with fallbackDraws()).
class ScriptedRandom final : public RandomSource {
public:
    float next() override;

    void pushDraw(float r) { script_.push_back(r); }
    // A draw that deals `value` (1..10) when it is still in the supply.
    void pushValue(int value);
    void pushValues(const std::vector<int>& values);

    int draws() const { return draws_; }
    int fallbackDraws() const { return fallbackDraws_; }
    std::size_t pending() const { return script_.size(); }

private:
    std::deque<float> script_;
    std::mt19937 fallback_{20240601u};
    int draws_ = 0;
    int fallbackDraws_ = 0;
};

// Records each message box with the window it would have drawn around it.
class RecordingPresenter final : public MessagePresenter, public BoxRecorder<MessageStyle> {
public:
    void watch(const Game& game);
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        record(text, title, style);
    }
};

// A board of 23 values, slot 0 first and the next ball last, with no value more than six times.
using Deal = std::vector<int>;

// 20 and 21 add up to 11 and so do 9 and the next ball; every value appears two or three times.
Deal plainDeal();
// plainDeal with some slots changed.
Deal dealWith(std::initializer_list<std::pair<int, int>> slotValues);

struct Table {
    ScriptedRandom random;
    RecordingPresenter messages;
    Game game{random, messages};

    Table();

    // File > New with the given deal.
    void newGame(const Deal& deal);
    void click(std::initializer_list<int> slots);
    void countdown(int ticks);
    void refresh() { game.refreshTick(); }
    // New, then Take Score straight away in rounds 1 and 2: the game is over, with an empty
    // heap and a fresh supply.
    void playToGameOver();

    // Removes `slots` in turn, each together with the next ball. The next ball must already
    // match the first; the following next balls are scripted to match the rest, and
    // `afterwards` is the next ball dealt after the last removal.
    void removeWithNextBall(const std::vector<int>& slots, int afterwards);

    int occupiedCount() const;
    std::vector<int> freeSlots() const;      // enabled and occupied, in slot order
    std::vector<int> selectedSlots() const;  // rings shown, in slot order
};

// The order in which a whole heap can be taken apart, bottom first.
inline const std::vector<int> kClearingOrder{20, 21, 9, 16, 17, 18, 19, 10, 11, 12, 13,
                                             14, 15, 5, 6,  3,  4,  7,  8,  0,  1,  2};

// A round that empties the heap: the whole supply is dealt, `discards` balls are thrown away
// with Next Ball first, and then every heap ball goes together with the next ball. With 16
// discards the last removal uses up the last ball, so the next-ball slot stays empty; with 15
// one ball is left in it.
// scriptClearingRound scripts the round's 60 draws, to be dealt by New or Take Score;
// playClearingRound then plays it on the dealt board.
void scriptClearingRound(ScriptedRandom& random, int discards);
void playClearingRound(Table& table, int discards);

// What holds of the game between any two steps, whatever came before: the selection sum matching
// the rings and never above 11, rings only on balls, no value dealt more than six times a round
// nor more of it on the board than dealt, no score below zero, and while a round runs both timers
// and Take Score on, every heap ball free exactly when its blockers are gone, and captions that
// hold the numbers they show. Fails the running test (ASSERT) at the first that does not.
void expectRulesHold(const Game& game);

// Total location points of a round that removes every heap ball together with a next ball.
inline constexpr int kClearingRoundPoints =
    2 * (600 + 2 * 500 + 6 * 400 + 7 * 300 + 4 * 200 + 2 * 100);

}  // namespace zentrix::testing
