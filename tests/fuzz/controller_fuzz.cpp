// Form1's controller, and through it the rules, driven by libFuzzer with any sequence of what a
// front end can report: start-up, clicks on any slot or button with any click count, keys with
// their repeat flag, ticks of either timer, menu choices, boxes closed, the focus moved, the end
// of the desktop session, cancelled or not, and the end of the game. Every input is a game: the
// first byte sets the display and the front end up, then each byte names an event, some followed
// by bytes of their own (see Event). After every single event it checks what must always hold:
// - the rules' own invariants (tests/game/table.h), the selection sum among them;
// - no ball lost or duplicated, after the events run inside a box too: within a round, every
//   ball dealt is on the board, or was removed in a set of eleven, or was thrown away by Next
//   Ball (the button, or the key that presses it) on a full heap; and a new deal, which the
//   rules show by counting the round or its supply afresh, starts whole;
// - the window shows what the controller last gave it, which is the rules' state whenever no box
//   is open, and the timers run as the rules say; while a box is open both stand still;
// - the focus is where the controller says, on a control that can hold it;
// - nothing reaches the window before start-up or after the end, no box shows over another
//   (FakeWindow), and once the game has ended the display is back in the desktop's mode.
// A failed check throws, which ends the run as a crash with the input saved.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "display/scripted_display_driver.h"
#include "tests/game/table.h"
#include "tests/ui/controller/fake_window.h"
#include "ui/controller/form1_controller.h"

namespace zentrix::controller {
namespace {

using display::DisplayMode;

constexpr DisplayMode kDesktop{1920, 1080, 32, 60};
constexpr DisplayMode kGameMode{1024, 768, 16, 60};

// What a display change may answer: success, a restart needed, and the failures.
constexpr std::array<std::int32_t, 8> kChangeResults{0, 1, -1, -2, -3, -4, -5, 0};

enum class Event : std::uint8_t {
    StartUp,
    ShutDown,
    SessionEnding,  // restoreDisplay
    SessionGoesOn,  // resumeDisplay
    MenuNew,
    MenuRules,
    MenuAbout,
    NextBall,   // + click count
    TakeScore,  // + click count
    Ball,       // + slot (-2..24) + click count
    Countdown,
    Refresh,
    Key,         // + key and repeat flag
    FocusMoved,  // + which control
    FocusReturned,
    BoxClosed,
    Draws,           // + n, then n draws for the dealer
    DisplayAnswers,  // + the next display change's answer
    CountdownBurst,  // + n: n countdown ticks, each checked
    Count,
};

// Bytes read one by one; zeros once they run out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// How the balls of the round in progress stand.
struct Balls {
    std::array<int, kMaxValue + 1> dealt{};
    std::array<int, kMaxValue + 1> gone{};  // dealt and no longer on the board
    int removed = 0;
    bool heapFull = true;  // every heap slot and the next-ball slot hold a ball
    RoundState round = RoundState::NotStarted;

    explicit Balls(const Game& game) : removed(game.ballsRemoved()), round(game.roundState()) {
        for (int value = 1; value <= kMaxValue; ++value) {
            dealt[static_cast<std::size_t>(value)] = game.dealtCount(value);
            gone[static_cast<std::size_t>(value)] = game.dealtCount(value);
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (game.slot(slot).occupied) {
                --gone[static_cast<std::size_t>(game.ballValue(slot))];
            } else {
                heapFull = false;
            }
        }
    }
    int goneTotal() const {
        int total = 0;
        for (const int count : gone) {
            total += count;
        }
        return total;
    }
    // Within a round the supply is only ever drawn from and the removed balls only ever counted
    // up: the rules start both afresh for a new deal alone.
    bool newDealSince(const Balls& before) const {
        bool recounted = round != before.round || removed < before.removed;
        for (std::size_t value = 1; value <= kMaxValue; ++value) {
            recounted = recounted || dealt[value] < before.dealt[value];
        }
        return recounted;
    }
};

// Each event's name, for the trace.
constexpr const char* kNames[] = {"start-up",
                                  "shut-down",
                                  "session ending",
                                  "session goes on",
                                  "New",
                                  "Rules",
                                  "About",
                                  "Next Ball",
                                  "Take Score",
                                  "ball",
                                  "countdown",
                                  "refresh",
                                  "key",
                                  "focus",
                                  "focus returned",
                                  "box closed",
                                  "draws",
                                  "display answers",
                                  "countdown burst"};
static_assert(std::size(kNames) == static_cast<std::size_t>(Event::Count));

long long eventsRun = 0;
const bool trace = std::getenv("ZENTRIX_FUZZ_TRACE") != nullptr;

class Run {
public:
    explicit Run(std::uint8_t setup)
        : display_({kDesktop, kGameMode},
                   (setup & 0x08) != 0 ? std::nullopt : std::optional(kDesktop)),
          knowsItsMode_((setup & 0x08) == 0) {
        display_.scriptChangeResults({kChangeResults[setup & 0x07]});
        window_.player = &controller_;
        window_.closesBoxes = (setup & 0x10) != 0;
        if ((setup & 0x20) != 0) {
            window_.handsOn = &controller_;
        }
        if ((setup & 0x40) != 0) {
            window_.whileOpen = [this] { inBox(); };
        }
    }

    void play(Bytes& bytes) {
        bytes_ = &bytes;
        while (!bytes.done()) {
            const auto event = static_cast<Event>(bytes.next() % static_cast<int>(Event::Count));
            if (event == Event::CountdownBurst) {
                const int ticks = bytes.next() % 90 + 1;
                for (int i = 0; i < ticks; ++i) {
                    step(Event::Countdown, bytes);
                }
            } else {
                step(event, bytes);
            }
        }
        step(Event::ShutDown, bytes);
    }

private:
    void step(Event event, Bytes& bytes) {
        ++eventsRun;
        const std::size_t boxesBefore = window_.boxes.seen.size();
        run(event, bytes);
        // The call has returned: a player who closes boxes at once closes what it showed.
        window_.settle();
        checkBalls();
        if (trace) {
            traceStep(event, boxesBefore);
        }
        check(event);
    }

    // A player who acts while a box is open, before closing it: the next event arrives while the
    // box is shown, once the step that showed it has returned. The checks wait for the outer
    // event to end.
    void inBox() {
        if (depth_ >= 4 || bytes_ == nullptr || bytes_->done()) {
            return;
        }
        ++depth_;
        ++eventsRun;
        checkBalls();  // what closing the boxes before this one did
        const auto event = static_cast<Event>(bytes_->next() % static_cast<int>(Event::Count));
        if (trace) {
            std::fprintf(stderr, "  inside the box: %s\n", kNames[static_cast<std::size_t>(event)]);
        }
        run(event == Event::CountdownBurst ? Event::Countdown : event, *bytes_);
        checkBalls();
        --depth_;
    }

    // ZENTRIX_FUZZ_TRACE set: each event on a line, with the boxes it showed and the game's
    // state after it, for reading what a saved input does.
    void traceStep(Event event, std::size_t boxesBefore) const {
        const Game& game = controller_.game();
        std::fprintf(stderr, "%-16s round %d, total \"%s\", sum %d, removed %d, %zu boxes",
                     kNames[static_cast<std::size_t>(event)], static_cast<int>(game.roundState()),
                     game.label4().c_str(), game.selectionSum(), game.ballsRemoved(),
                     window_.boxes.seen.size());
        for (std::size_t i = boxesBefore; i < window_.boxes.seen.size(); ++i) {
            std::fprintf(stderr, " [%s]", window_.boxes.seen[i].text.c_str());
        }
        std::fprintf(stderr, "\n");
    }

    void run(Event event, Bytes& bytes) {
        // The events that are one call of the controller's, with nothing more to read.
        using Call = void (Form1Controller::*)();
        static constexpr std::pair<Event, Call> kCalls[] = {
            {Event::StartUp, &Form1Controller::startUp},
            {Event::ShutDown, &Form1Controller::shutDown},
            {Event::SessionEnding, &Form1Controller::restoreDisplay},
            {Event::SessionGoesOn, &Form1Controller::resumeDisplay},
            {Event::FocusReturned, &Form1Controller::focusReturned},
        };
        startedUp_ = startedUp_ || event == Event::StartUp;
        for (const auto& [plain, call] : kCalls) {
            if (event == plain) {
                (controller_.*call)();
            }
        }
        switch (event) {
            case Event::StartUp:
            case Event::ShutDown:
            case Event::SessionEnding:
            case Event::SessionGoesOn:
            case Event::FocusReturned:
                break;
            case Event::MenuNew:
            case Event::MenuRules:
            case Event::MenuAbout:  // in the order of MenuCommand
                controller_.menuChosen(static_cast<layout::MenuCommand>(
                    static_cast<int>(event) - static_cast<int>(Event::MenuNew)));
                break;
            case Event::NextBall:
            case Event::TakeScore:
                if (event == Event::NextBall) {
                    mayThrowAway();
                }
                controller_.buttonPressed(
                    event == Event::NextBall ? Button::NextBall : Button::TakeScore,
                    bytes.next() % 4 + 1);
                break;
            case Event::Ball: {
                const int slot = bytes.next() % (layout::kSlotCount + 4) - 2;
                controller_.ballClicked(slot, bytes.next() % 5);
                break;
            }
            case Event::Countdown:
            case Event::Refresh:
                controller_.timerFired(event == Event::Countdown ? Timer::Countdown
                                                                 : Timer::Refresh);
                break;
            case Event::Key: {
                const std::uint8_t byte = bytes.next();
                const auto key = static_cast<Key>(byte % 5);
                const bool autoRepeat = (byte & 0x80) != 0;
                // Only the key that presses a focused Next Ball, and not its repeats.
                if (key == Key::Activate && !autoRepeat &&
                    controller_.focus().kind == Focus::Kind::NextBall) {
                    mayThrowAway();
                }
                controller_.keyPressed(key, autoRepeat);
                break;
            }
            case Event::FocusMoved:
                moveFocus(bytes.next());
                break;
            case Event::BoxClosed:
                window_.closeBox();
                break;
            case Event::Draws:
                for (int n = bytes.next() % 64 + 1; n > 0; --n) {
                    random_.pushDraw(static_cast<float>(bytes.next()) / 256.0f);
                }
                break;
            case Event::DisplayAnswers: {
                // The next switch to the game's mode may be refused; putting the desktop's mode
                // back never is, so that the display must be back whenever the game is done.
                const std::int32_t answer = kChangeResults[bytes.next() % 8];
                if (display_.currentMode() != kGameMode) {
                    display_.scriptChangeResults({answer});
                }
                break;
            }
            case Event::CountdownBurst:
            case Event::Count:
                break;
        }
    }

    // The toolkit moves the focus itself, as Tab or a click does, to a control that can take it
    // (a shown, free ball; Next Ball; Take Score while enabled), or away from the board.
    void moveFocus(std::uint8_t which) {
        Focus target = Focus::nextBall();
        if (which < 0x10) {
            target = Focus::none();
        } else if (which < 0x20) {
            target = window_.scoreEnabled ? Focus::takeScore() : Focus::nextBall();
        } else if (which >= 0x30) {
            const int slot = which % layout::kSlotCount;
            const layout::SlotView& box = window_.slot(slot);
            if (box.shown && box.occupied && box.free) {
                target = Focus::ball(slot);
            }
        }
        window_.focus = target;
        controller_.focusChanged(target);
    }

    void check(Event event) {
        const Game& game = controller_.game();
        testing::expectRulesHold(game);

        // What reached the window.
        if (!startedUp_) {
            EXPECT_EQ(window_.progress, -1) << "the window was drawn before start-up";
            EXPECT_TRUE(window_.boxes.seen.empty()) << "a box before start-up";
            EXPECT_FALSE(window_.running[0] || window_.running[1]) << "a timer before start-up";
            for (const std::string& step : window_.steps) {
                EXPECT_TRUE(step == "close help" || step == "ended" || step.starts_with("help "))
                    << "\"" << step << "\" before start-up";
            }
        }
        for (const std::string& step : window_.steps) {
            windowShown_ = windowShown_ || step == "show";
        }
        window_.steps.clear();

        for (const Timer timer : kTimers) {
            EXPECT_EQ(window_.running[static_cast<std::size_t>(timer)],
                      controller_.timerRunning(timer))
                << nameOf(timer);
        }
        if (controller_.hasEnded()) {
            EXPECT_TRUE(window_.hasEnded);
        } else {
            EXPECT_EQ(window_.boxOpen, controller_.messageOpen());
        }
        if (controller_.messageOpen()) {
            EXPECT_FALSE(window_.running[0] || window_.running[1]) << "a timer runs under a box";
        }
        const layout::Form1View& shown = controller_.shownView();
        if (window_.progress != -1) {
            EXPECT_EQ(window_.slots, shown.slots);
            EXPECT_EQ(window_.labels, shown.labels);
            EXPECT_EQ(window_.progress, shown.progressValue);
            EXPECT_EQ(window_.scoreEnabled, shown.scoreEnabled);
        }
        EXPECT_EQ(window_.focus, controller_.focus());
        const bool playing = windowShown_ && !controller_.messageOpen() && !controller_.hasEnded();
        if (playing) {
            const layout::Form1View now = layout::viewOf(game);
            EXPECT_EQ(shown, now) << "the window is behind the rules";
            EXPECT_EQ(window_.running[0], now.timer1Running);
            EXPECT_EQ(window_.running[1], now.timer2Running);
            const Focus& focus = controller_.focus();
            if (focus.isBall()) {
                EXPECT_TRUE(controller_.canTakeFocus(focus.slot)) << nameOf(focus);
            } else if (focus.kind == Focus::Kind::TakeScore) {
                EXPECT_TRUE(shown.scoreEnabled) << "the focus on a disabled Take Score";
            }
        }

        // Once the game has ended, or the session is ending, the display is as it was.
        if (knowsItsMode_ &&
            (controller_.hasEnded() || (event == Event::SessionEnding && startedUp_))) {
            EXPECT_EQ(display_.currentMode(), kDesktop) << "the display was left switched";
        }
    }

    // Next Ball is about to be pressed: on a full heap it may throw the next ball away.
    void mayThrowAway() { throwsAllowed_ += Balls(controller_.game()).heapFull ? 1 : 0; }

    // Every ball is accounted for since the last look; a new deal starts whole.
    void checkBalls() {
        const Game& game = controller_.game();
        const Balls before = std::exchange(balls_, Balls(game));
        const Balls& after = balls_;
        const int throwsAllowed = std::exchange(throwsAllowed_, 0);
        if (after.newDealSince(before)) {
            EXPECT_EQ(after.goneTotal(), 0) << "a new deal with balls missing";
            if (after.round != RoundState::GameOver) {
                EXPECT_EQ(after.removed, 0);
            }
            return;
        }
        for (std::size_t value = 1; value <= kMaxValue; ++value) {
            EXPECT_GE(after.gone[value], before.gone[value]) << "a ball of " << value << " is back";
        }
        const int lost =
            (after.goneTotal() - before.goneTotal()) - (after.removed - before.removed);
        EXPECT_TRUE(lost >= 0 && lost <= throwsAllowed)
            << lost << " balls gone without a set of eleven";
    }

    FakeWindow window_;
    testing::ScriptedRandom random_;
    display::ScriptedDisplayDriver display_;
    Form1Controller controller_{window_, random_, display_};
    Balls balls_{controller_.game()};  // as they stood at the last look
    int throwsAllowed_ = 0;            // Next Ball pressed on a full heap since then
    bool knowsItsMode_;
    bool startedUp_ = false;
    bool windowShown_ = false;
    Bytes* bytes_ = nullptr;
    int depth_ = 0;
};

void printEvents() {
    std::fprintf(stderr, "zentrix: %lld events run\n", eventsRun);
}

}  // namespace
}  // namespace zentrix::controller

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // A failed check ends the run at once, as a crash that libFuzzer keeps the input of.
    GTEST_FLAG_SET(throw_on_failure, true);
    std::atexit(zentrix::controller::printEvents);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    zentrix::controller::Bytes bytes(data, size);
    zentrix::controller::Run run(bytes.next());
    run.play(bytes);
    return 0;
}
