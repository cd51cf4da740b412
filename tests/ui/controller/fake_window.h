// A front end for Form1's controller that only remembers what it was told, and checks what every
// front end may count on: a timer is started only while stopped and stopped only while running,
// no box is shown over another, and nothing at all comes after the end. Shared by the
// controller's tests and its fuzz target.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/box_recorder.h"
#include "ui/controller/form1_controller.h"

namespace zentrix::controller {

inline std::string nameOf(Timer timer) {
    return timer == Timer::Countdown ? "Timer1" : "Timer2";
}

inline std::string nameOf(const Focus& focus) {
    switch (focus.kind) {
        case Focus::Kind::Ball:
            return "ball " + std::to_string(focus.slot);
        case Focus::Kind::NextBall:
            return "cmdNext";
        case Focus::Kind::TakeScore:
            return "cmdScore";
        case Focus::Kind::None:
            break;
    }
    return "nothing";
}

// The steps it was asked for in order (apply calls aside, which land in the window's state), and
// the state a player would see.
class FakeWindow final : public Form1Port {
public:
    FakeWindow() {
        boxes.behind = [this] {
            zentrix::testing::WindowBehind window{running[0], running[1], labels[3].caption, false};
            for (const layout::SlotView& slot : slots) {
                window.ballsShown = window.ballsShown || slot.occupied;
            }
            return window;
        };
    }
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    void prepareControls() override { step("prepare"); }
    void showWindow() override { step("show"); }
    void applySlot(int slot, const layout::SlotView& view) override {
        beforeTheEnd("a ball box");
        slots[static_cast<std::size_t>(slot)] = view;
        // A toolkit passes the focus along its tab order when the focused box gives it up.
        if (handsOn != nullptr && focus == Focus::ball(slot) && !(view.free && view.occupied)) {
            focus = Focus::takeScore();
            handsOn->focusChanged(focus);
        }
    }
    void applyLabel(int index, const layout::LabelView& view) override {
        beforeTheEnd("a label");
        labels[static_cast<std::size_t>(index)] = view;
    }
    void applyProgress(int secondsLeft) override {
        beforeTheEnd("the countdown bar");
        progress = secondsLeft;
    }
    void applyScoreEnabled(bool enabled) override {
        beforeTheEnd("Take Score");
        scoreEnabled = enabled;
    }
    void startTimer(Timer timer, std::chrono::milliseconds interval) override {
        EXPECT_FALSE(running[index(timer)]) << nameOf(timer) << " started twice";
        EXPECT_EQ(interval, intervalOf(timer));
        running[index(timer)] = true;
        step("start " + nameOf(timer));
    }
    void stopTimer(Timer timer) override {
        EXPECT_TRUE(running[index(timer)]) << nameOf(timer) << " stopped twice";
        running[index(timer)] = false;
        step("stop " + nameOf(timer));
    }
    // Shows the box and returns, as every front end does: the player closes it later.
    void showMessage(const Message& box) override {
        EXPECT_FALSE(boxOpen) << "\"" << box.text << "\" shown over another box";
        step("box " + box.text);
        boxOpen = true;
        boxes.record(box.text, box.title, box.style);
    }
    void moveFocus(const Focus& target) override {
        focus = target;
        step("focus " + nameOf(target));
    }
    bool showHelp(HelpWindow window) override {
        step(window == HelpWindow::Rules ? "help Rules" : "help About");
        return helpOpens;
    }
    void closeHelpWindows() override { step("close help"); }
    void ended() override {
        step("ended");
        hasEnded = true;
        boxOpen = false;
    }

    // What the player does once a call that showed a box has returned: looks at the window
    // (`whileOpen`, where a test acts then), then closes the box, and so on while boxes come,
    // unless the test closes them itself.
    void settle() {
        if (settling_) {
            return;  // what the player does while looking at a box is settled by that look
        }
        settling_ = true;
        while (closesBoxes && boxOpen && !hasEnded) {
            if (whileOpen) {
                whileOpen();
            }
            if (boxOpen) {
                closeBox();
            }
        }
        settling_ = false;
    }

    // The player closes the open box (and tells the controller so, as a front end would also do
    // when no box is open, after a second report of the same close).
    void closeBox() {
        boxOpen = false;
        if (player != nullptr) {
            player->messageClosed();
        }
    }

    const layout::SlotView& slot(int slot) const { return slots[static_cast<std::size_t>(slot)]; }

    std::vector<std::string> steps;
    zentrix::testing::BoxRecorder<MessageStyle> boxes;
    std::array<layout::SlotView, layout::kSlotCount> slots{};
    std::array<layout::LabelView, 7> labels{};
    int progress = -1;
    bool scoreEnabled = false;
    std::array<bool, 2> running{};
    Focus focus;
    bool boxOpen = false;
    bool hasEnded = false;
    std::function<void()> whileOpen;
    bool closesBoxes = true;
    bool helpOpens = true;  // false: the help windows cannot be opened
    Form1Controller* player = nullptr;
    Form1Controller* handsOn = nullptr;

private:
    static std::size_t index(Timer timer) { return static_cast<std::size_t>(timer); }
    bool settling_ = false;
    void beforeTheEnd(const char* what) const {
        EXPECT_FALSE(hasEnded) << what << " changed after the end";
    }
    void step(std::string what) {
        EXPECT_FALSE(hasEnded) << "\"" << what << "\" after the end";
        steps.push_back(std::move(what));
    }
};

// The controller as a front end drives it: each call returns before the player closes a box it
// showed (FakeWindow::settle). What it is asked does not change.
class FrontEnd {
public:
    FrontEnd(Form1Controller& controller, FakeWindow& window)
        : controller_(controller), window_(window) {}

    void startUp() {
        then([&] { controller_.startUp(); });
    }
    void shutDown() {
        then([&] { controller_.shutDown(); });
    }
    void restoreDisplay() {
        then([&] { controller_.restoreDisplay(); });
    }
    void resumeDisplay() {
        then([&] { controller_.resumeDisplay(); });
    }
    void menuChosen(layout::MenuCommand command) {
        then([&] { controller_.menuChosen(command); });
    }
    void buttonPressed(Button button, int clicks) {
        then([&] { controller_.buttonPressed(button, clicks); });
    }
    void ballClicked(int slot, int clicks) {
        then([&] { controller_.ballClicked(slot, clicks); });
    }
    void timerFired(Timer timer) {
        then([&] { controller_.timerFired(timer); });
    }
    bool keyPressed(Key key, bool autoRepeat) {
        bool used = false;
        then([&] { used = controller_.keyPressed(key, autoRepeat); });
        return used;
    }
    void focusChanged(const Focus& focus) {
        then([&] { controller_.focusChanged(focus); });
    }
    void focusReturned() {
        then([&] { controller_.focusReturned(); });
    }

    const Game& game() const { return controller_.game(); }
    const Focus& focus() const { return controller_.focus(); }
    bool timerRunning(Timer timer) const { return controller_.timerRunning(timer); }
    bool messageOpen() const { return controller_.messageOpen(); }
    bool hasEnded() const { return controller_.hasEnded(); }
    bool canTakeFocus(int slot) const { return controller_.canTakeFocus(slot); }

private:
    template <typename Call>
    void then(Call call) {
        call();
        window_.settle();
    }

    Form1Controller& controller_;
    FakeWindow& window_;
};

}  // namespace zentrix::controller
