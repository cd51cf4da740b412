// Form1's controller: everything the main window does that is not drawing. It owns the game and
// the display switch, decides when each timer runs, runs the start-up and shut-down steps in
// their order, shows the message boxes, and decides where the keyboard focus goes. A front end
// (Qt, Windows, the web page) implements Form1Port's few primitives and forwards what the player
// and its timers do; it works nothing out itself.
//
// Message boxes: nothing here waits for the player. A step of the rules runs to its end and
// leaves the boxes it raised, each with the window as it stood at that moment of the step. The
// controller shows the first: the window takes that moment's view, both timers stop, and
// Form1Port::showMessage returns at once. When the front end reports the box closed
// (messageClosed), the next box's view is applied and that box shown; after the last, the step's
// own outcome is applied and the timers run again as the rules say. While a box is open every
// tick, click, key and menu choice that still arrives is dropped, here and nowhere else; so is
// every one that comes before the load step (the help windows aside).
#pragma once

#include <array>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "display/display_mode.h"
#include "display/display_session.h"
#include "game/game.h"
#include "game/message.h"
#include "game/random_source.h"
#include "ui/layout/ball_neighbours.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"

namespace zentrix::controller {

enum class Timer {
    Countdown,  // Timer1, once a second
    Refresh,    // Timer2, ten times a second
};
inline constexpr std::array<Timer, 2> kTimers{Timer::Countdown, Timer::Refresh};
std::chrono::milliseconds intervalOf(Timer timer);

enum class Button {
    NextBall,   // cmdNext
    TakeScore,  // cmdScore
};

enum class HelpWindow { About, Rules };

// The help window a menu command opens, if it opens one. Help windows need nothing of the game, so
// a front end may open them before the game has started (a web page whose code is still loading).
std::optional<HelpWindow> helpWindowOpenedBy(layout::MenuCommand command);

// The keys the controller gives a meaning to; a front end maps its toolkit's keys (the keypad's
// Enter and arrows too) onto these and leaves every other key, Tab among them, to its toolkit.
enum class Key {
    Up,
    Down,
    Left,
    Right,
    Activate,  // Space or Enter: presses the focused ball or button
};

// A control of Form1 that can hold the keyboard focus.
struct Focus {
    enum class Kind { None, Ball, NextBall, TakeScore };
    Kind kind = Kind::None;
    int slot = -1;  // 0..22 when kind is Ball

    static Focus none() { return {}; }
    static Focus ball(int slot) { return {Kind::Ball, slot}; }
    static Focus nextBall() { return {Kind::NextBall, -1}; }
    static Focus takeScore() { return {Kind::TakeScore, -1}; }
    bool isBall() const { return kind == Kind::Ball; }

    friend bool operator==(const Focus&, const Focus&) = default;
};

// The control at a tab stop as a focus target; none for the labels and the bar, which never hold
// the focus.
Focus focusAt(const layout::TabStop& stop);

// A front end's control that `focus` names: `ballBox(slot)` for a ball, `nextBall` or
// `takeScore`; `none` for no control or a slot out of range.
template <typename Control, typename BallBoxOf>
Control controlFor(const Focus& focus, BallBoxOf ballBox, Control nextBall, Control takeScore,
                   Control none = {}) {
    switch (focus.kind) {
        case Focus::Kind::Ball:
            return focus.slot >= 0 && focus.slot < layout::kSlotCount ? ballBox(focus.slot) : none;
        case Focus::Kind::NextBall:
            return nextBall;
        case Focus::Kind::TakeScore:
            return takeScore;
        case Focus::Kind::None:
            break;
    }
    return none;
}

// A message box for a front end to show, with one OK button.
struct Message {
    std::string text;
    std::string title;  // "Zentrix", or "Pellary" for the display's messages
    MessageStyle style = MessageStyle::Information;

    friend bool operator==(const Message&, const Message&) = default;
};

// What a front end does for the controller. Every call comes on the user-interface thread.
class Form1Port {
public:
    virtual ~Form1Port() = default;

    // Start-up, before the display is switched: the markers' pictures, the rack on Next Ball,
    // every ball box made round and disabled, each ring styled and put under its box. May throw
    // to stop the start-up; the display is then left as it was.
    virtual void prepareControls() = 0;
    // Start-up, after the display switch: the window is shown.
    virtual void showWindow() = 0;

    // The controls take what the view says. Called only for what changed since the last call,
    // and for everything the first time. While these calls run, Form1Controller::shownView()
    // still holds what the window showed before them.
    virtual void applySlot(int slot, const layout::SlotView& view) = 0;
    virtual void applyLabel(int index, const layout::LabelView& view) = 0;  // 0 is Label1
    virtual void applyProgress(int secondsLeft) = 0;                        // ProgressBar1
    virtual void applyScoreEnabled(bool enabled) = 0;                       // cmdScore

    // A timer started delivers timerFired() every interval until it is stopped. Called only
    // when the timer's state changes, so a running countdown keeps its beat.
    virtual void startTimer(Timer timer, std::chrono::milliseconds interval) = 0;
    virtual void stopTimer(Timer timer) = 0;

    // A box with one OK button, modal to the window, shown without waiting for the player:
    // the call returns at once, and the front end calls Form1Controller::messageClosed() once
    // the player has closed it (see the top of this file). Never called while another is open.
    virtual void showMessage(const Message& box) = 0;

    // The keyboard focus goes to `target` (never Focus::Kind::None).
    virtual void moveFocus(const Focus& target) = 0;

    // About or Rules: opened, or brought to the front when it is open already. False when the
    // window could not be opened; the controller then tells the player in a box, as it shows
    // every box.
    virtual bool showHelp(HelpWindow window) = 0;
    virtual void closeHelpWindows() = 0;

    // Shut-down has run: the program ends.
    virtual void ended() = 0;
};

class Form1Controller final : private MessagePresenter, private display::DisplayMessages {
public:
    // Keeps references to all four; they must outlive the controller. `rescue` (may be null) is
    // armed while the display is switched, for a crash handler (display/display_rescue.h).
    Form1Controller(Form1Port& port, RandomSource& random, display::DisplayDriver& display,
                    display::DisplayRescue* rescue = nullptr);
    ~Form1Controller() override;

    Form1Controller(const Form1Controller&) = delete;
    Form1Controller& operator=(const Form1Controller&) = delete;

    // The load step, once: the controls prepared, the display switched (which may show a box),
    // the window shown with the focus on Next Ball, then a full countdown bar and "0" removed.
    // The refresh timer runs from here on. When the display switch raised a box, the window is
    // shown once the player has closed it.
    void startUp();
    // The unload step, once, from whichever way out comes first: both timers stopped, the
    // display put back, the help windows closed, then Form1Port::ended(). Safe while a box is
    // open; nothing reaches the port afterwards.
    void shutDown();
    // The display put back alone, when the desktop session ends and the window may never be
    // closed.
    void restoreDisplay();
    // The desktop session did not end after all (a log-off cancelled): the game's mode again,
    // as start-up made it, unless the game has ended.
    void resumeDisplay();

    // What the player and the timers do. A front end reports the raw event as its toolkit saw it,
    // and the controller decides what it means, the same on every front end:
    // - `clickCount` is the toolkit's count of quick clicks in a row on the same control (1 for a
    //   single click, 2 for the second press of a double-click, and so on). The second press of
    //   a double-click on a ball is no click: the first already toggled it. On Next Ball and Take
    //   Score every press counts, however quick.
    // - `autoRepeat` is set on the presses a held key repeats: a held Space or Enter presses its
    //   control once, while a held arrow keeps moving the focus.
    void menuChosen(layout::MenuCommand command);
    void buttonPressed(Button button, int clickCount);
    // A click on ball box `slot`: the ball takes the focus when it can, then the rules see it.
    void ballClicked(int slot, int clickCount);
    void timerFired(Timer timer);
    // A key pressed while the window has the focus. Returns whether it was used; a key that was
    // not is the toolkit's to handle. A repeated Space or Enter is used, and does nothing.
    bool keyPressed(Key key, bool autoRepeat);
    // The toolkit moved the focus itself (Tab, a click on a button).
    void focusChanged(const Focus& focus);
    // The window has the keyboard focus back: activated again, or a menu or a help window has
    // let it go. The control the focus lives on takes it again; Next Ball when it had left the
    // board.
    void focusReturned();
    // The player has closed the box Form1Port::showMessage last showed: the next box raised by
    // the same step, or the step's outcome.
    void messageClosed();

    const Game& game() const { return game_; }
    const layout::Form1View& shownView() const { return shown_; }
    const display::DisplaySession& displaySession() const { return session_; }
    bool timerRunning(Timer timer) const { return timerRunning_[index(timer)]; }
    const Focus& focus() const { return focus_; }
    bool messageOpen() const { return messageOpen_; }
    bool started() const { return started_; }
    bool hasEnded() const { return ended_; }

    // Whether ball box `slot` can hold the focus now: it is on screen, holds a ball and is free.
    bool canTakeFocus(int slot) const;

private:
    static std::size_t index(Timer timer) { return static_cast<std::size_t>(timer); }

    // A box raised by a step, with the window as it stood when the box was raised.
    struct RaisedBox {
        Message box;
        layout::Form1View view;
    };

    // Whether what the player and the timers do reaches the rules now: the one guard every input
    // passes; what may come before the load step says so.
    bool takesInput(bool beforeTheLoadStep = false) const;
    // Runs one step of the rules (a member of Game, or a call on it), then shows its outcome.
    template <typename Step>
    void forward(Step&& step);
    // After a step: the first box it raised, or else what comes after the step.
    void showOutcome();
    void showFirstBox();
    // Brings every control, the timers and the focus in line with the rules' state.
    void sync();
    // Brings every control and the focus in line with `view`.
    void apply(const layout::Form1View& view);
    void syncTimers(bool countdown, bool refresh);
    void setTimer(Timer timer, bool running);
    void moveFocus(const Focus& target);
    // The focus always has a home: a focused ball that has left the heap hands it to a free ball
    // nearby, and a control that can no longer hold it (a ball with none free nearby, Take Score
    // disabled at the end of the game) hands it to Next Ball.
    void keepFocusAtHome();
    // Whether the control `focus` names can hold the focus now.
    bool canHoldFocus(const Focus& focus) const;
    bool focusNeighbour(int from, layout::Direction direction);
    // The focused control pressed from the keyboard: one press, as a single click.
    void press(const Focus& target);
    void raise(Message box);

    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override;
    void showDisplayMessage(std::string_view text, std::string_view title,
                            display::DisplayMessageStyle style) override;

    Form1Port& port_;
    Game game_;
    display::DisplaySession session_;
    layout::Form1View shown_ = layout::initialView();
    bool applied_ = false;   // the port has been given the whole view once
    bool applying_ = false;  // inside sync(), handing the view to the port
    std::array<bool, 2> timerRunning_{};
    Focus focus_;
    bool started_ = false;
    bool ended_ = false;
    bool messageOpen_ = false;     // the first of boxes_ is on screen
    std::deque<RaisedBox> boxes_;  // raised and not yet closed, in order
    bool windowPending_ = false;   // start-up shows the window after the display's boxes
};

}  // namespace zentrix::controller
