#include "ui/controller/form1_controller.h"

#include <functional>
#include <utility>

#include "game/timing.h"

namespace zentrix::controller {

std::chrono::milliseconds intervalOf(Timer timer) {
    return timer == Timer::Countdown ? kCountdownInterval : kRefreshInterval;
}

Focus focusAt(const layout::TabStop& stop) {
    switch (stop.kind) {
        case layout::TabStop::Kind::Ball:
            return Focus::ball(stop.index);
        case layout::TabStop::Kind::NextBall:
            return Focus::nextBall();
        case layout::TabStop::Kind::TakeScore:
            return Focus::takeScore();
        case layout::TabStop::Kind::ProgressBar:
        case layout::TabStop::Kind::Label:
            break;
    }
    return Focus::none();
}

Form1Controller::Form1Controller(Form1Port& port, RandomSource& random,
                                 display::DisplayDriver& display, display::DisplayRescue* rescue)
    : port_(port), game_(random, *this), session_(display, *this, rescue) {}

Form1Controller::~Form1Controller() = default;

void Form1Controller::startUp() {
    if (started_ || ended_) {
        return;
    }
    started_ = true;

    // The refresh timer runs from the window's creation; the countdown only once a round is dealt.
    syncTimers(false, true);

    // The pictures, the round ball boxes and their rings.
    port_.prepareControls();
    // The display switch, which may tell the player something first: the window comes once the
    // player has closed that.
    windowPending_ = true;
    session_.start();
    showOutcome();
}

void Form1Controller::shutDown() {
    if (ended_) {
        return;
    }
    ended_ = true;
    boxes_.clear();
    for (const Timer timer : kTimers) {
        setTimer(timer, false);
    }
    restoreDisplay();
    port_.closeHelpWindows();
    port_.ended();
}

void Form1Controller::restoreDisplay() {
    session_.restore();
}

void Form1Controller::resumeDisplay() {
    if (started_ && !ended_) {
        session_.switchAgain();
        showOutcome();
    }
}

std::optional<HelpWindow> helpWindowOpenedBy(layout::MenuCommand command) {
    switch (command) {
        case layout::MenuCommand::HelpRules:
            return HelpWindow::Rules;
        case layout::MenuCommand::HelpAbout:
            return HelpWindow::About;
        case layout::MenuCommand::FileNew:
            break;
    }
    return std::nullopt;
}

void Form1Controller::menuChosen(layout::MenuCommand command) {
    // The help windows touch nothing of the game's: they open before the load step too.
    const std::optional<HelpWindow> window = helpWindowOpenedBy(command);
    if (!takesInput(window.has_value())) {
        return;
    }
    if (window) {
        if (!port_.showHelp(*window)) {
            raise({*window == HelpWindow::About ? "The About window could not be opened."
                                                : "The Rules window could not be opened.",
                   std::string(kGameTitle), MessageStyle::Exclamation});
            // Before the load step the box waits for the window, as the display's boxes do.
            if (started_) {
                showOutcome();
            }
        }
    } else if (command == layout::MenuCommand::FileNew) {
        forward(&Game::newGame);
    }
}

// A quick second click on a felt button presses it again, as the desktop's buttons always did:
// every click counts, whatever its count.
void Form1Controller::buttonPressed(Button button, int /*clickCount*/) {
    if (!takesInput()) {
        return;
    }
    forward(button == Button::NextBall ? &Game::nextBall : &Game::takeScore);
}

void Form1Controller::ballClicked(int slot, int clickCount) {
    if (!takesInput() || slot < 0 || slot >= layout::kSlotCount) {
        return;
    }
    // The second press of a double-click is no click on a ball: the first press already toggled
    // it, and a player who clicks twice quickly means the ball, not its selection undone. A third
    // quick click starts the next pair.
    if (clickCount > 1 && clickCount % 2 == 0) {
        return;
    }
    if (canTakeFocus(slot)) {
        moveFocus(Focus::ball(slot));
    }
    forward([slot](Game& game) { game.clickSlot(slot); });
}

void Form1Controller::timerFired(Timer timer) {
    // A tick that was already queued when its timer stopped, or that comes while a box is open,
    // is dropped: the rules are in the middle of a step.
    if (!takesInput() || !timerRunning(timer)) {
        return;
    }
    forward(timer == Timer::Countdown ? &Game::countdownTick : &Game::refreshTick);
}

bool Form1Controller::keyPressed(Key key, bool autoRepeat) {
    if (!takesInput()) {
        return false;
    }
    if (key == Key::Activate) {
        if (focus_.kind == Focus::Kind::None) {
            return false;
        }
        // A held key presses once; its repeats are still the board's, so that a toolkit does not
        // press the control itself.
        if (!autoRepeat) {
            press(focus_);
        }
        return true;
    }
    if (!focus_.isBall()) {
        return false;  // the arrows move between balls only
    }
    const auto direction = [key] {
        switch (key) {
            case Key::Up:
                return layout::Direction::Up;
            case Key::Down:
                return layout::Direction::Down;
            case Key::Left:
                return layout::Direction::Left;
            default:
                return layout::Direction::Right;
        }
    }();
    focusNeighbour(focus_.slot, direction);
    // At the edge of the heap the key is still the board's: the focus stays where it is.
    return true;
}

void Form1Controller::focusChanged(const Focus& focus) {
    // A toolkit hands the focus on by itself when the focused box is disabled or hidden while
    // the view is applied; that is not the player's doing, and the focus policy below decides.
    if (!applying_) {
        focus_ = focus;
    }
}

void Form1Controller::focusReturned() {
    if (!started_ || ended_) {
        return;
    }
    moveFocus(focus_.kind != Focus::Kind::None && canHoldFocus(focus_) ? focus_
                                                                       : Focus::nextBall());
}

bool Form1Controller::canTakeFocus(int slot) const {
    if (slot < 0 || slot >= layout::kSlotCount) {
        return false;
    }
    const layout::SlotView& view = shown_.slots[static_cast<std::size_t>(slot)];
    return view.shown && view.occupied && view.free;
}

bool Form1Controller::canHoldFocus(const Focus& focus) const {
    switch (focus.kind) {
        case Focus::Kind::Ball:
            return canTakeFocus(focus.slot);
        case Focus::Kind::NextBall:
            return true;  // never disabled nor hidden
        case Focus::Kind::TakeScore:
            return shown_.scoreEnabled;
        case Focus::Kind::None:
            break;
    }
    // The focus is outside the board (a menu, another window): it is not the board's to move.
    return true;
}

// The player's input and the timers' ticks reach the rules only between the load step and the
// end, and never while a box is open. (Before the load step the window is not even shown, and the
// load step would disable a board already dealt.)
bool Form1Controller::takesInput(bool beforeTheLoadStep) const {
    return (started_ || beforeTheLoadStep) && !ended_ && !messageOpen_;
}

template <typename Step>
void Form1Controller::forward(Step&& step) {
    std::invoke(std::forward<Step>(step), game_);
    showOutcome();
}

void Form1Controller::showOutcome() {
    // Nobody is left to see anything once the game has ended, and while a box is open what
    // follows waits for it to be closed.
    if (ended_ || messageOpen_) {
        return;
    }
    if (!boxes_.empty()) {
        showFirstBox();
        return;
    }
    if (windowPending_) {
        // The window. Every ball box is still disabled, so Next Ball is the first control that
        // can hold the focus. Then a full countdown bar and "0" removed.
        windowPending_ = false;
        port_.showWindow();
        moveFocus(Focus::nextBall());
        game_.startUp();
    }
    sync();
}

void Form1Controller::showFirstBox() {
    // The window shows the state as it stood when the box was raised, and no tick may come
    // while the box is open; the step's outcome brings the timers back as the rules then say.
    // Before the window is first shown there is nothing to bring up to date.
    if (applied_) {
        apply(boxes_.front().view);
    }
    for (const Timer timer : kTimers) {
        setTimer(timer, false);
    }
    messageOpen_ = true;
    // A copy, which stays whole whatever the front end reports while it holds it.
    const Message box = boxes_.front().box;
    port_.showMessage(box);
}

void Form1Controller::messageClosed() {
    if (ended_ || !messageOpen_) {
        return;
    }
    messageOpen_ = false;
    boxes_.pop_front();
    showOutcome();
}

void Form1Controller::sync() {
    const layout::Form1View view = layout::viewOf(game_);
    apply(view);
    syncTimers(view.timer1Running, view.timer2Running);
}

void Form1Controller::apply(const layout::Form1View& view) {
    const bool all = !applied_;
    applied_ = true;
    applying_ = true;
    for (std::size_t slot = 0; slot < view.slots.size(); ++slot) {
        if (all || view.slots[slot] != shown_.slots[slot]) {
            port_.applySlot(static_cast<int>(slot), view.slots[slot]);
        }
    }
    for (std::size_t label = 0; label < view.labels.size(); ++label) {
        if (all || view.labels[label] != shown_.labels[label]) {
            port_.applyLabel(static_cast<int>(label), view.labels[label]);
        }
    }
    if (all || view.progressValue != shown_.progressValue) {
        port_.applyProgress(view.progressValue);
    }
    if (all || view.scoreEnabled != shown_.scoreEnabled) {
        port_.applyScoreEnabled(view.scoreEnabled);
    }
    shown_ = view;
    applying_ = false;
    keepFocusAtHome();
}

void Form1Controller::syncTimers(bool countdown, bool refresh) {
    setTimer(Timer::Countdown, countdown);
    setTimer(Timer::Refresh, refresh);
}

void Form1Controller::setTimer(Timer timer, bool running) {
    bool& state = timerRunning_[index(timer)];
    if (state == running) {
        return;
    }
    state = running;
    if (running) {
        port_.startTimer(timer, intervalOf(timer));
    } else {
        port_.stopTimer(timer);
    }
}

void Form1Controller::moveFocus(const Focus& target) {
    if (target.kind == Focus::Kind::None) {
        return;
    }
    focus_ = target;
    port_.moveFocus(target);
}

void Form1Controller::keepFocusAtHome() {
    if (canHoldFocus(focus_)) {
        return;
    }
    if (focus_.isBall()) {
        // Upwards first: taking a ball away frees the balls it held down, just above it.
        for (const layout::Direction direction :
             {layout::Direction::Up, layout::Direction::Left, layout::Direction::Right,
              layout::Direction::Down}) {
            if (focusNeighbour(focus_.slot, direction)) {
                return;
            }
        }
    }
    // No free ball is near: Next Ball, which is always there, never Take Score, where a Space
    // meant for the balls would end the round.
    moveFocus(Focus::nextBall());
}

bool Form1Controller::focusNeighbour(int from, layout::Direction direction) {
    layout::ReachableSlots reachable{};
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        reachable[static_cast<std::size_t>(slot)] = canTakeFocus(slot);
    }
    const std::optional<int> next = layout::neighbourSlot(from, direction, reachable);
    if (!next) {
        return false;
    }
    moveFocus(Focus::ball(*next));
    return true;
}

void Form1Controller::press(const Focus& target) {
    switch (target.kind) {
        case Focus::Kind::Ball:
            ballClicked(target.slot, 1);
            break;
        case Focus::Kind::NextBall:
            buttonPressed(Button::NextBall, 1);
            break;
        case Focus::Kind::TakeScore:
            if (shown_.scoreEnabled) {
                buttonPressed(Button::TakeScore, 1);
            }
            break;
        case Focus::Kind::None:
            break;
    }
}

void Form1Controller::raise(Message box) {
    // Once the game has ended nobody is there to see it.
    if (!ended_) {
        boxes_.push_back({std::move(box), layout::viewOf(game_)});
    }
}

void Form1Controller::showMessage(std::string_view text, std::string_view title,
                                  MessageStyle style) {
    raise({std::string(text), std::string(title), style});
}

void Form1Controller::showDisplayMessage(std::string_view text, std::string_view title,
                                         display::DisplayMessageStyle style) {
    const MessageStyle icon = style == display::DisplayMessageStyle::Question
                                  ? MessageStyle::Question
                                  : MessageStyle::Critical;
    raise({std::string(text), std::string(title), icon});
}

}  // namespace zentrix::controller
