// The web page's entry points: the page's script calls these, one at a time, for everything the
// player and the page's timers do; the controller decides, and answers through WebPort.
//
// The page builds its window from the layout it carries (layout_json.h) before this module has
// loaded, and calls zx_start once it has.
//
// No call waits for the player: a message box is shown and the call returns, and the page calls
// zx_message_closed once the player has closed it.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "display/current_mode_driver.h"
#include "game/random_source.h"
#include "ui/controller/form1_controller.h"
#include "ui/web/web_port.h"

namespace {

using zentrix::controller::Button;
using zentrix::controller::Focus;
using zentrix::controller::Key;
using zentrix::controller::Timer;

struct Page {
    explicit Page(std::optional<std::uint32_t> seed, const zentrix::display::DisplayMode& screen)
        : display(screen) {
        if (seed) {
            random = std::make_unique<zentrix::SeededRandom>(*seed);
        } else {
            random = std::make_unique<zentrix::ClockSeededRandom>();
        }
        controller = std::make_unique<zentrix::controller::Form1Controller>(port, *random, display);
    }

    zentrix::web::WebPort port;
    // A page cannot change the display: like a Linux desktop, it offers only the mode in force,
    // so asking for another finds nothing to switch and says nothing.
    zentrix::display::CurrentModeDriver display;
    std::unique_ptr<zentrix::RandomSource> random;
    std::unique_ptr<zentrix::controller::Form1Controller> controller;
};

std::unique_ptr<Page> page;

// The last enumerator of each enum the page passes.
constexpr auto kLastMenuCommand = zentrix::layout::MenuCommand::HelpAbout;
constexpr auto kLastButton = Button::TakeScore;
constexpr auto kLastTimer = Timer::Refresh;
constexpr auto kLastKey = Key::Activate;
constexpr auto kLastFocusKind = Focus::Kind::TakeScore;

bool running() {
    return page != nullptr;
}

// The enumerator a number from the page stands for, while the game runs and when it is one of
// `Enum`'s from the first to `last` (the enums the page passes number their enumerators from 0 in
// order). Nothing before zx_start, as for a number that names none.
template <typename Enum>
std::optional<Enum> fromCode(int code, Enum last) {
    if (!running() || code < 0 || code > static_cast<int>(last)) {
        return std::nullopt;
    }
    return static_cast<Enum>(code);
}

}  // namespace

extern "C" {

// Creates the game and runs its start-up. `seeded` non-zero deals from `seed` (tests only).
EMSCRIPTEN_KEEPALIVE void zx_start(int seeded, std::uint32_t seed, int screenWidth,
                                   int screenHeight, int bitsPerPixel) {
    if (running()) {
        return;
    }
    const auto dimension = [](int value) {
        return static_cast<std::uint32_t>(value < 0 ? 0 : value);
    };
    page = std::make_unique<Page>(
        seeded != 0 ? std::optional<std::uint32_t>(seed) : std::nullopt,
        zentrix::display::DisplayMode{dimension(screenWidth), dimension(screenHeight),
                                      dimension(bitsPerPixel), 0});
    page->controller->startUp();
}

EMSCRIPTEN_KEEPALIVE void zx_shut_down() {
    if (running()) {
        page->controller->shutDown();
    }
}

EMSCRIPTEN_KEEPALIVE void zx_menu(int command) {
    if (const auto chosen = fromCode(command, kLastMenuCommand)) {
        page->controller->menuChosen(*chosen);
    }
}

// `clickCount`: the click event's count of quick clicks in a row (its detail).
EMSCRIPTEN_KEEPALIVE void zx_button(int button, int clickCount) {
    if (const auto pressed = fromCode(button, kLastButton)) {
        page->controller->buttonPressed(*pressed, clickCount);
    }
}

EMSCRIPTEN_KEEPALIVE void zx_ball(int slot, int clickCount) {
    if (running()) {
        page->controller->ballClicked(slot, clickCount);
    }
}

EMSCRIPTEN_KEEPALIVE void zx_timer(int timer) {
    if (const auto fired = fromCode(timer, kLastTimer)) {
        page->controller->timerFired(*fired);
    }
}

// `autoRepeat` non-zero for the presses a held key repeats. Returns 1 when the key was used.
EMSCRIPTEN_KEEPALIVE int zx_key(int key, int autoRepeat) {
    const auto pressed = fromCode(key, kLastKey);
    return pressed && page->controller->keyPressed(*pressed, autoRepeat != 0) ? 1 : 0;
}

// The player has closed the message box the game last showed.
EMSCRIPTEN_KEEPALIVE void zx_message_closed() {
    if (running()) {
        page->controller->messageClosed();
    }
}

// The window has the focus back from a menu or a help window.
EMSCRIPTEN_KEEPALIVE void zx_focus_returned() {
    if (running()) {
        page->controller->focusReturned();
    }
}

// The browser moved the focus itself: kind as Focus::Kind, slot for a ball.
EMSCRIPTEN_KEEPALIVE void zx_focus(int kind, int slot) {
    const auto focused = fromCode(kind, kLastFocusKind);
    if (!focused) {
        return;
    }
    page->controller->focusChanged(Focus{*focused, *focused == Focus::Kind::Ball ? slot : -1});
}

}  // extern "C"
