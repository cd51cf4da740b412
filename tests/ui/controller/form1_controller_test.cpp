// Form1's controller driven through a fake front end that keeps what it was told to show, as
// whole games: start-up and shut-down, a round with every message box, the focus and the arrows.
#include "ui/controller/form1_controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "display/scripted_display_driver.h"
#include "tests/game/table.h"
#include "tests/ui/controller/fake_window.h"

namespace zentrix::controller {
namespace {

using display::DisplayMode;
using display::ScriptedDisplayDriver;
using testing::plainDeal;
using testing::ScriptedRandom;

constexpr DisplayMode kDesktop{1920, 1080, 32, 60};
constexpr DisplayMode kGameMode{1024, 768, 16, 60};

struct Bench {
    FakeWindow window;
    ScriptedRandom random;
    ScriptedDisplayDriver display{{kDesktop, kGameMode}, kDesktop};
    Form1Controller form1{window, random, display};
    FrontEnd controller{form1, window};

    Bench() { window.player = &form1; }

    void newGame(const testing::Deal& deal) {
        random.pushValues(deal);
        controller.menuChosen(layout::MenuCommand::FileNew);
    }
    void ticks(Timer timer, int count) {
        for (int i = 0; i < count; ++i) {
            controller.timerFired(timer);
        }
    }
    // New, sixteen balls thrown away with Next Ball, then every heap ball taken with the next
    // ball, chosen by what the window shows.
    void clearARound() {
        testing::scriptClearingRound(random, 16);
        controller.menuChosen(layout::MenuCommand::FileNew);
        for (int i = 0; i < 16; ++i) {
            controller.buttonPressed(Button::NextBall, 1);
        }
        for (const int slot : testing::kClearingOrder) {
            ASSERT_TRUE(window.slot(slot).free) << "slot " << slot;
            ASSERT_EQ(window.slot(slot).value + window.slot(layout::kNextBallSlot).value, 11);
            controller.ballClicked(slot, 1);
            controller.ballClicked(layout::kNextBallSlot, 1);
            ticks(Timer::Refresh, 1);
        }
    }
    // Presses the key and says where the focus is now.
    Focus press(Key key) {
        controller.keyPressed(key, false);
        return controller.focus();
    }
};

TEST(Form1ControllerTest, StartsUpInOrderTellsOfARefusedModeAndShutsDownOnce) {
    Bench bench;
    bench.display.scriptChangeResults({-2});  // the game's mode is listed but refused
    bench.controller.startUp();

    EXPECT_EQ(bench.window.steps,
              (std::vector<std::string>{"start Timer2", "prepare", "stop Timer2",
                                        "box The graphics mode is not supported", "show",
                                        "focus cmdNext", "start Timer2"}));
    ASSERT_EQ(bench.window.boxes.seen.size(), 1u);
    EXPECT_EQ(bench.window.boxes.seen[0].title, "Pellary");
    EXPECT_EQ(bench.window.boxes.seen[0].style, MessageStyle::Critical);
    // The window as it stands after the load step.
    EXPECT_EQ(bench.window.progress, 90);
    EXPECT_EQ(bench.window.labels[1].caption, "0");
    EXPECT_EQ(bench.window.labels[2].caption, "Score");
    EXPECT_FALSE(bench.window.scoreEnabled);
    EXPECT_EQ(bench.window.slot(0).accessibleName, "Empty slot");
    EXPECT_TRUE(bench.controller.timerRunning(Timer::Refresh));
    EXPECT_FALSE(bench.controller.timerRunning(Timer::Countdown));

    // A second start-up does nothing; Help opens its windows without touching the game.
    bench.controller.startUp();
    bench.controller.menuChosen(layout::MenuCommand::HelpRules);
    bench.controller.menuChosen(layout::MenuCommand::HelpAbout);
    EXPECT_EQ(bench.window.steps.back(), "help About");
    // One that cannot be opened is told in a box once the menu's step is over, as every box is.
    bench.window.helpOpens = false;
    bench.window.steps.clear();
    bench.controller.menuChosen(layout::MenuCommand::HelpRules);
    EXPECT_EQ(
        bench.window.steps,
        (std::vector<std::string>{"help Rules", "stop Timer2",
                                  "box The Rules window could not be opened.", "start Timer2"}));
    EXPECT_EQ(bench.window.boxes.seen.back().style, MessageStyle::Exclamation);

    bench.window.steps.clear();
    bench.controller.shutDown();
    bench.controller.shutDown();
    EXPECT_EQ(bench.window.steps, (std::vector<std::string>{"stop Timer2", "close help", "ended"}));
    ASSERT_EQ(bench.display.changes().size(), 2u);
    EXPECT_EQ(bench.display.changes().back(), kDesktop);  // put back exactly
    // Nothing reaches the window once the game has ended.
    bench.controller.timerFired(Timer::Refresh);
    bench.controller.menuChosen(layout::MenuCommand::FileNew);
    EXPECT_EQ(bench.window.steps.size(), 3u);
}

TEST(Form1ControllerTest, AQuitWhileTheDisplayMessageIsOpenNeverShowsTheWindow) {
    Bench bench;
    bench.display.scriptChangeResults({1});  // needs a restart
    bench.window.whileOpen = [&] { bench.controller.shutDown(); };
    bench.controller.startUp();
    EXPECT_EQ(bench.window.steps,
              (std::vector<std::string>{
                  "start Timer2", "prepare", "stop Timer2",
                  "box The computer must be restarted in order for the graphics mode to work",
                  "close help", "ended"}));
    EXPECT_EQ(bench.window.boxes.seen[0].style, MessageStyle::Question);
    EXPECT_EQ(bench.display.changes().back(), kDesktop);
}

// The session asks to end (the display put back) and then goes on: the game's mode again. Once
// the game has ended, a late "it did not end" changes nothing.
TEST(Form1ControllerTest, ACancelledEndOfTheSessionSwitchesBackUntilTheGameEnds) {
    Bench bench;
    bench.controller.resumeDisplay();  // before start-up: nothing to resume
    EXPECT_TRUE(bench.display.changes().empty());
    bench.controller.startUp();
    bench.controller.restoreDisplay();
    bench.controller.resumeDisplay();
    EXPECT_EQ(bench.display.currentMode(), kGameMode);
    EXPECT_FALSE(bench.controller.hasEnded());

    bench.controller.restoreDisplay();
    bench.controller.shutDown();
    bench.controller.resumeDisplay();
    EXPECT_EQ(bench.display.currentMode(), kDesktop);
    EXPECT_EQ(bench.display.changes(),
              (std::vector<DisplayMode>{kGameMode, kDesktop, kGameMode, kDesktop}));
    EXPECT_TRUE(bench.window.boxes.seen.empty());
}

TEST(Form1ControllerTest, ARoundRunsOutWithEveryBoxShownOverAStillWindow) {
    Bench bench;
    bench.controller.startUp();
    bench.newGame(plainDeal());
    EXPECT_TRUE(bench.window.running[0]);
    EXPECT_TRUE(bench.window.running[1]);
    EXPECT_EQ(bench.window.slot(20).accessibleName, "Ball 5, free");

    bench.controller.ballClicked(20, 1);
    bench.controller.ballClicked(21, 1);  // 5 + 6 = 11: the set goes
    bench.ticks(Timer::Refresh, 1);
    EXPECT_FALSE(bench.window.slot(20).shown);
    EXPECT_EQ(bench.window.labels[5].caption, "200");

    // Everything that arrives while a box is open is dropped, and the window shows the state
    // of that moment: the heap taken away, the countdown and the refresh stopped.
    const auto pokeEverything = [&] {
        const Game& game = bench.controller.game();
        const std::string total = game.label4();
        const int sum = game.selectionSum();
        bench.controller.timerFired(Timer::Countdown);
        bench.controller.timerFired(Timer::Refresh);
        bench.controller.ballClicked(16, 1);
        bench.controller.buttonPressed(Button::NextBall, 1);
        bench.controller.buttonPressed(Button::TakeScore, 1);
        bench.controller.menuChosen(layout::MenuCommand::FileNew);
        EXPECT_FALSE(bench.controller.keyPressed(Key::Activate, false));
        EXPECT_EQ(game.label4(), total);
        EXPECT_EQ(game.selectionSum(), sum);
        EXPECT_TRUE(bench.controller.messageOpen());
    };
    bench.window.whileOpen = pokeEverything;
    bench.random.pushValues(plainDeal());  // round 2's deal
    bench.ticks(Timer::Countdown, 89);
    EXPECT_EQ(bench.window.labels[6].caption, "1");
    EXPECT_TRUE(bench.window.boxes.seen.empty());
    bench.ticks(Timer::Countdown, 1);  // the ninetieth tick takes the score

    EXPECT_EQ(bench.window.boxes.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    for (const auto& seen : bench.window.boxes.seen) {
        EXPECT_EQ(seen.title, "Zentrix");
        EXPECT_FALSE(seen.timer1);
        EXPECT_FALSE(seen.timer2);
        EXPECT_FALSE(seen.ballsShown);  // Take Score has emptied the heap before the boxes
    }
    // 2 cleared slots: 2000, 1 eleven: 1000, no time left, 200 location points.
    EXPECT_EQ(bench.window.boxes.seen[0].total, "3200");
    // Round 2 is dealt and running.
    EXPECT_TRUE(bench.window.running[0]);
    EXPECT_TRUE(bench.window.running[1]);
    EXPECT_EQ(bench.window.progress, 90);
    EXPECT_EQ(bench.window.slot(20).value, 5);
    EXPECT_EQ(bench.controller.game().roundState(), RoundState::RoundTwo);

    // Round 2 ends at once by Take Score from the keyboard, and the game is over.
    bench.controller.focusChanged(Focus::takeScore());
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    EXPECT_EQ(bench.window.boxes.texts().back(), "Game Over");
    EXPECT_EQ(bench.window.boxes.seen.back().style, MessageStyle::Information);
    EXPECT_FALSE(bench.window.running[0]);
    EXPECT_FALSE(bench.window.running[1]);
    EXPECT_FALSE(bench.window.scoreEnabled);
    // No slot cleared yet (the refresh has not hidden any box) and 90 seconds left: 90 * 250
    // on top of 3200.
    EXPECT_EQ(bench.window.labels[3].caption, "25700");
    EXPECT_EQ(bench.window.labels[3].accessibleName, "Total score 25700");
    // Take Score, disabled now, gave the focus to Next Ball, so that the keyboard still plays;
    // nothing reaches Take Score again.
    EXPECT_EQ(bench.window.focus, Focus::nextBall());
    EXPECT_EQ(bench.controller.focus(), Focus::nextBall());
    const std::size_t boxes = bench.window.boxes.seen.size();
    bench.controller.buttonPressed(Button::TakeScore, 1);
    EXPECT_EQ(bench.window.boxes.seen.size(), boxes);
}

TEST(Form1ControllerTest, EveryFrontEndsRawInputMeansTheSame) {
    Bench bench;
    bench.controller.startUp();
    bench.newGame(plainDeal());
    const Game& game = bench.controller.game();

    // A double-click on a ball selects it once: its second press is no click. A third quick
    // click starts a new pair and toggles it back; the fourth is again the second of a pair.
    bench.controller.ballClicked(20, 1);
    bench.controller.ballClicked(20, 2);
    EXPECT_TRUE(bench.window.slot(20).selected);
    EXPECT_EQ(game.selectionSum(), 5);
    bench.controller.ballClicked(20, 3);
    bench.controller.ballClicked(20, 4);
    EXPECT_FALSE(bench.window.slot(20).selected);
    EXPECT_EQ(game.selectionSum(), 0);
    EXPECT_EQ(bench.window.labels[0].caption, "0");

    // A held Space presses the focused ball once; its repeats are used up, so that no toolkit
    // presses the ball itself, and change nothing.
    EXPECT_EQ(bench.controller.focus(), Focus::ball(20));
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, true));
    }
    EXPECT_TRUE(bench.window.slot(20).selected);
    EXPECT_EQ(game.selectionSum(), 5);
    // A held arrow goes on moving the focus.
    EXPECT_TRUE(bench.controller.keyPressed(Key::Right, true));
    EXPECT_EQ(bench.window.focus, Focus::ball(21));
    // The 6 pressed from the keyboard completes the eleven, as a click would.
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    EXPECT_FALSE(bench.window.slot(20).occupied);
    EXPECT_FALSE(bench.window.slot(21).occupied);
    EXPECT_EQ(bench.window.labels[5].caption, "");  // shown at the next refresh
    bench.ticks(Timer::Refresh, 1);
    EXPECT_EQ(bench.window.labels[5].caption, "200");

    // On Next Ball a quick second click presses again: both empty slots are filled, in order.
    bench.random.pushValues({7, 8, 9});
    const int first = game.ballValue(layout::kNextBallSlot);
    bench.controller.buttonPressed(Button::NextBall, 1);
    bench.controller.buttonPressed(Button::NextBall, 2);
    EXPECT_EQ(bench.window.slot(20).value, first);
    EXPECT_EQ(bench.window.slot(21).value, 7);
    EXPECT_EQ(bench.window.slot(layout::kNextBallSlot).value, 8);
    // So does a held Enter on Next Ball press only once.
    bench.controller.focusChanged(Focus::nextBall());
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, true));
    EXPECT_EQ(bench.window.slot(layout::kNextBallSlot).value, 9);
}

TEST(Form1ControllerTest, TheFocusAlwaysHasAHome) {
    Bench bench;
    bench.controller.startUp();
    bench.newGame(plainDeal());

    // A round that runs out while a ball has the focus: the heap is taken away before the box
    // shows, and the focus is on Next Ball by then.
    bench.controller.ballClicked(20, 1);
    ASSERT_EQ(bench.window.focus, Focus::ball(20));
    std::vector<Focus> focusAtBoxes;
    bench.window.whileOpen = [&] { focusAtBoxes.push_back(bench.window.focus); };
    bench.random.pushValues(plainDeal());
    bench.ticks(Timer::Countdown, 90);
    ASSERT_EQ(bench.window.boxes.texts(),
              (std::vector<std::string>{"Ready for Round 2", "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(focusAtBoxes, (std::vector<Focus>{Focus::nextBall(), Focus::nextBall()}));

    // Take Score pressed by the mouse takes the focus, and ends round 2 and the game: once it is
    // disabled, the focus goes home to Next Ball, where Space and Enter still work.
    bench.controller.focusChanged(Focus::takeScore());
    bench.controller.buttonPressed(Button::TakeScore, 1);
    EXPECT_EQ(bench.window.boxes.texts().back(), "Game Over");
    EXPECT_FALSE(bench.window.scoreEnabled);
    EXPECT_EQ(bench.window.focus, Focus::nextBall());
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));

    // New deals again and enables Take Score; a focus the toolkit moved outside the board (to a
    // menu) is left there.
    bench.controller.focusChanged(Focus::none());
    bench.newGame(plainDeal());
    EXPECT_TRUE(bench.window.scoreEnabled);
    EXPECT_EQ(bench.controller.focus(), Focus::none());
    // When the menu lets the focus go, it comes back to the board at Next Ball; from then on the
    // window coming back gives it to the control that had it.
    bench.controller.focusReturned();
    EXPECT_EQ(bench.window.focus, Focus::nextBall());
    bench.controller.ballClicked(20, 1);
    bench.window.focus = Focus::none();  // another window took it
    bench.controller.focusReturned();
    EXPECT_EQ(bench.window.focus, Focus::ball(20));
}

// Tab visits every control that can hold the focus exactly once, in the layout's order: the next
// ball, Next Ball, the heap, then Take Score; the labels and the bar are no focus target.
TEST(Form1ControllerTest, TheTabStopsThatTakeTheFocusAreEveryTargetOnce) {
    std::vector<Focus> order;
    for (const layout::TabStop& stop : layout::tabStops()) {
        const Focus focus = focusAt(stop);
        if (stop.kind == layout::TabStop::Kind::Label ||
            stop.kind == layout::TabStop::Kind::ProgressBar) {
            EXPECT_EQ(focus, Focus::none());
        } else {
            order.push_back(focus);
        }
    }
    ASSERT_EQ(order.size(), static_cast<std::size_t>(layout::kSlotCount + 2));
    EXPECT_EQ(order.front(), Focus::ball(layout::kNextBallSlot));
    EXPECT_EQ(order[1], Focus::nextBall());
    EXPECT_EQ(order.back(), Focus::takeScore());
    std::set<int> balls;
    for (const Focus& focus : order) {
        if (focus.isBall()) {
            balls.insert(focus.slot);
        }
    }
    EXPECT_EQ(balls.size(), static_cast<std::size_t>(layout::kSlotCount));
}

TEST(Form1ControllerTest, AStaleTickFromAStoppedTimerIsDropped) {
    Bench bench;
    bench.controller.startUp();
    bench.controller.timerFired(Timer::Countdown);  // never started
    EXPECT_EQ(bench.window.progress, 90);
    EXPECT_EQ(bench.window.labels[6].caption, "");
}

TEST(Form1ControllerTest, TheFocusFollowsClicksAndArrowsAndLeavesWithItsBall) {
    Bench bench;
    bench.window.handsOn = &bench.form1;
    bench.controller.startUp();
    bench.newGame(plainDeal());

    // A click gives the ball the focus; the arrows go to its neighbours on the board.
    bench.controller.ballClicked(20, 1);
    EXPECT_EQ(bench.window.focus, Focus::ball(20));
    EXPECT_EQ(bench.press(Key::Right), Focus::ball(21));
    EXPECT_EQ(bench.press(Key::Right), Focus::ball(21));  // the edge of the row: it stays
    EXPECT_TRUE(bench.window.slot(20).selected);

    // Space on 21 completes the eleven: the focused ball leaves the heap and hands the focus to
    // a free ball nearby, never to Take Score, wherever the toolkit would have put it.
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    EXPECT_FALSE(bench.window.slot(21).occupied);
    ASSERT_TRUE(bench.window.focus.isBall());
    EXPECT_TRUE(bench.controller.canTakeFocus(bench.window.focus.slot));
    EXPECT_TRUE(bench.window.slot(bench.window.focus.slot).free);

    // The arrows belong to the balls: on a button they are the toolkit's.
    bench.controller.focusChanged(Focus::nextBall());
    EXPECT_FALSE(bench.controller.keyPressed(Key::Up, false));
    // Enter on Next Ball moves the next ball onto the heap.
    const int before = bench.controller.game().drawnValue();
    EXPECT_TRUE(bench.controller.keyPressed(Key::Activate, false));
    EXPECT_NE(bench.controller.game().dealtCount(before), 0);
}

TEST(Form1ControllerTest, TheArrowsReachEveryFreeBallOfARealDeal) {
    // Deals from real draws, with several seeds: the arrows, starting anywhere, always land on
    // a free ball and between them reach every one.
    for (const unsigned seed : {1u, 7u, 2024u, 99991u}) {
        Bench bench;
        std::mt19937 draws(seed);
        for (int i = 0; i < 200; ++i) {
            bench.random.pushDraw(static_cast<float>(draws() >> 8) * 0x1p-24f);
        }
        bench.controller.startUp();
        bench.controller.menuChosen(layout::MenuCommand::FileNew);

        std::set<int> free;
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            if (bench.controller.canTakeFocus(slot)) {
                free.insert(slot);
            }
        }
        ASSERT_FALSE(free.empty());
        std::set<int> reached{*free.begin()};
        std::vector<int> frontier{*free.begin()};
        while (!frontier.empty()) {
            const int from = frontier.back();
            frontier.pop_back();
            for (const Key key : {Key::Up, Key::Down, Key::Left, Key::Right}) {
                bench.controller.focusChanged(Focus::ball(from));
                const Focus to = bench.press(key);
                ASSERT_TRUE(to.isBall()) << "seed " << seed;
                ASSERT_TRUE(free.contains(to.slot)) << "seed " << seed << " slot " << to.slot;
                if (reached.insert(to.slot).second) {
                    frontier.push_back(to.slot);
                }
            }
        }
        EXPECT_EQ(reached, free) << "seed " << seed;
    }
}

TEST(Form1ControllerTest, AWholeClearedRoundPlayedThroughTheControllerAlone) {
    Bench bench;
    bench.controller.startUp();
    bench.clearARound();
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        EXPECT_FALSE(bench.window.slot(slot).shown) << "slot " << slot;
    }
    EXPECT_EQ(bench.window.labels[1].caption, "22");
    EXPECT_EQ(bench.window.labels[5].caption, std::to_string(testing::kClearingRoundPoints));
    // Nothing free is left: the focus the last click gave is back on Next Ball.
    EXPECT_EQ(bench.window.focus, Focus::nextBall());

    bench.random.pushValues(plainDeal());
    bench.controller.buttonPressed(Button::TakeScore, 1);
    EXPECT_EQ(bench.window.boxes.texts(),
              (std::vector<std::string>{"BONUS, Level Clear 10,000", "Ready for Round 2",
                                        "Score 90,000 for BONUS ROUND!!"}));
    EXPECT_EQ(bench.window.labels[3].caption, "90700");
}

// Boxes left open by a player who takes their time: each shows the window as it stood when the
// box was raised, nothing that comes meanwhile reaches the rules, and the round's outcome is
// shown only once the last box is closed. (A quit while a box is open is the display test's.)
TEST(Form1ControllerTest, EachBoxShowsItsOwnMomentUntilThePlayerClosesIt) {
    Bench bench;
    bench.window.closesBoxes = false;
    bench.controller.startUp();
    bench.clearARound();
    bench.random.pushValues(plainDeal());
    bench.controller.buttonPressed(Button::TakeScore, 1);

    // The level clear shows over the cleared heap with the old total; nothing else yet.
    ASSERT_EQ(bench.window.boxes.texts(), std::vector<std::string>{"BONUS, Level Clear 10,000"});
    EXPECT_EQ(bench.window.boxes.seen[0].total, "0");
    EXPECT_FALSE(bench.window.running[0] || bench.window.running[1]);
    // Whatever arrives is dropped, however often, and the round to come is untouched.
    for (int i = 0; i < 3; ++i) {
        bench.controller.timerFired(Timer::Countdown);
        bench.controller.timerFired(Timer::Refresh);
        bench.controller.ballClicked(layout::kNextBallSlot, 1);
        bench.controller.buttonPressed(Button::NextBall, 1);
        bench.controller.buttonPressed(Button::TakeScore, 2);
        bench.controller.menuChosen(layout::MenuCommand::FileNew);
        EXPECT_FALSE(bench.controller.keyPressed(Key::Activate, false));
    }
    EXPECT_EQ(bench.window.boxes.seen.size(), 1u);
    EXPECT_EQ(bench.random.pending(), 0u) << "round two is dealt once";
    EXPECT_EQ(bench.random.fallbackDraws(), 0);

    // The round's boxes show the emptied board and the new total, one after the other.
    bench.window.closeBox();
    ASSERT_EQ(bench.window.boxes.seen.size(), 2u);
    EXPECT_EQ(bench.window.boxes.seen[1].text, "Ready for Round 2");
    EXPECT_EQ(bench.window.boxes.seen[1].total, "90700");
    EXPECT_FALSE(bench.window.boxes.seen[1].ballsShown);
    EXPECT_FALSE(bench.window.slot(20).occupied);
    bench.window.closeBox();
    EXPECT_EQ(bench.window.boxes.texts().back(), "Score 90,000 for BONUS ROUND!!");
    EXPECT_TRUE(bench.controller.messageOpen());

    // The last box closed: round 2 as dealt before the first box, running.
    bench.window.closeBox();
    bench.window.closeBox();  // a second report of the same box changes nothing
    EXPECT_FALSE(bench.controller.messageOpen());
    EXPECT_EQ(bench.window.boxes.seen.size(), 3u);
    EXPECT_TRUE(bench.window.running[0] && bench.window.running[1]);
    EXPECT_EQ(bench.window.progress, 90);
    EXPECT_EQ(bench.window.slot(layout::kNextBallSlot).value, plainDeal().back());
    EXPECT_EQ(bench.controller.game().roundState(), RoundState::RoundTwo);
}

}  // namespace
}  // namespace zentrix::controller
