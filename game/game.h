// The whole state and logic of the main window, without any window toolkit.
//
// Everything a player or a timer can do is a method here; a window only draws this state and
// forwards clicks, menu choices and ticks. The captions are kept as the exact text the player
// sees, because the rules read some of them back (Take Score reads the total and the halved
// removed-ball count from their labels).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/board.h"
#include "game/message.h"
#include "game/random_source.h"

namespace zentrix {

// What the rules know of one ball box Picture1(i) and its ring Shape1(i).
struct SlotState {
    bool occupied = false;  // the box holds a ball
    bool enabled = false;   // the ball is free: only an enabled box takes clicks
    bool visible = true;    // the box is shown; the refresh tick hides the empty ones
    bool selected = false;  // the ring is shown
};

// Which round is being played, derived from the two round flags, whether New was ever chosen, and
// the Take Score button (off only once a game is over). When Take Score raises its boxes it still
// names the round that is ending.
enum class RoundState {
    NotStarted,  // a fresh window, before the first New
    RoundOne,
    RoundTwo,
    BonusRound,
    GameOver,
};

class Game {
public:
    Game(RandomSource& random, MessagePresenter& messages);

    // The window's load step: every box disabled, a full countdown bar, Label2 at "0".
    void startUp();

    // Each operation below is one step of the rules, run to its end: the message boxes it
    // raises are handed to the presenter on the way, and nothing waits for the player.

    // File > New: a fresh game at round 1, from any state.
    void newGame();
    // The Take Score button. Does nothing while the button is disabled.
    void takeScore();
    // The Next Ball button: drops the selection and moves the next ball onto the heap.
    void nextBall();
    // A click on ball box `slot`. Does nothing unless `slot` is 0..22 and the box is shown, enabled
    // and holds a ball, as a player can click nothing else.
    void clickSlot(int slot);
    // Timer1, once a second while it runs; ignored while it is stopped.
    void countdownTick();
    // Timer2, ten times a second while it runs; ignored while it is stopped.
    void refreshTick();

    // Per-slot state of slot 0..22; other numbers throw std::out_of_range.
    const SlotState& slot(int slot) const;
    // Value of the ball last dealt into `slot`; meaningful only while it is occupied.
    int ballValue(int slot) const;
    // Balls of `value` (1..10) dealt so far this round.
    int dealtCount(int value) const;

    int selectionSum() const { return selectionSum_; }
    std::int32_t roundPoints() const { return roundPoints_; }
    std::int32_t ballsRemoved() const { return ballsRemoved_; }
    std::int32_t spacesCleared() const { return spacesCleared_; }
    std::int32_t carriedScore() const { return carriedScore_; }
    bool roundTwo() const { return roundTwo_; }
    bool bonusRound() const { return bonusRound_; }
    int drawnValue() const { return drawnValue_; }
    RoundState roundState() const;

    // Captions: Label1 the selection sum, Label2 the halved removed-ball count, Label4 the total,
    // Label6 the round's location points, Label7 the seconds left.
    const std::string& label1() const { return label1_; }
    const std::string& label2() const { return label2_; }
    const std::string& label4() const { return label4_; }
    const std::string& label6() const { return label6_; }
    const std::string& label7() const { return label7_; }

    // ProgressBar1's value: the seconds left, 0..90.
    float progressValue() const { return progressValue_; }
    bool timer1Enabled() const { return timer1Enabled_; }
    bool timer2Enabled() const { return timer2Enabled_; }
    bool scoreEnabled() const { return scoreEnabled_; }

private:
    void endRound();  // score the round and go on to the next, or end the game
    void FillBoard();
    void UpdateBoard();
    void ScoreSelection();
    void ClearBoard();
    void dealAttempt(int slot);
    void dealInto(int slot);
    void freeBallPass();
    void resetRoundScore();
    void beginBonusRound();
    void beginRoundTwo();
    void endGame();
    void show(std::string_view text, MessageStyle style);

    RandomSource& random_;
    MessagePresenter& messages_;

    std::array<SlotState, kSlotCount> slots_{};
    std::array<std::int16_t, kSlotCount> ballValue_{};
    std::array<std::int16_t, kMaxValue + 1> dealtCount_{};  // index 0 unused
    std::int32_t selectionSum_ = 0;
    std::int32_t roundPoints_ = 0;  // 32-bit: a round's location points can not overflow
    std::int32_t ballsRemoved_ = 0;
    std::int32_t spacesCleared_ = 0;
    std::int32_t carriedScore_ = 0;
    bool roundTwo_ = false;
    bool bonusRound_ = false;
    std::int32_t drawnValue_ = 0;

    std::string label1_, label2_, label4_, label6_, label7_;
    float progressValue_ = 0.0f;
    bool timer1Enabled_ = false;
    bool timer2Enabled_ = true;
    bool scoreEnabled_ = false;  // no Take Score before the first New
    bool started_ = false;       // a New has been chosen at least once
};

}  // namespace zentrix
