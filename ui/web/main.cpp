// The web page's entry points: the page's script calls these, one at a time, for everything the
// player and the page's timers do; the controller decides, and answers through WebPort.
//
// The page builds its window from the layout it carries (layout_json.h) before this module has
// loaded, and calls zx_start once it has.
//
// Calls that may show a message box (every one below but zx_focus) suspend while
// the box is open, so the page calls them asynchronously and holds every other call until the
// suspended one has finished.
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

bool running() {
    return page != nullptr;
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
    if (running() && command >= 0 && command <= 2) {
        page->controller->menuChosen(static_cast<zentrix::layout::MenuCommand>(command));
    }
}

// `clickCount`: the click event's count of quick clicks in a row (its detail).
EMSCRIPTEN_KEEPALIVE void zx_button(int button, int clickCount) {
    if (running() && (button == 0 || button == 1)) {
        page->controller->buttonPressed(static_cast<Button>(button), clickCount);
    }
}

EMSCRIPTEN_KEEPALIVE void zx_ball(int slot, int clickCount) {
    if (running()) {
        page->controller->ballClicked(slot, clickCount);
    }
}

EMSCRIPTEN_KEEPALIVE void zx_timer(int timer) {
    if (running() && (timer == 0 || timer == 1)) {
        page->controller->timerFired(static_cast<Timer>(timer));
    }
}

// `autoRepeat` non-zero for the presses a held key repeats. Returns 1 when the key was used.
EMSCRIPTEN_KEEPALIVE int zx_key(int key, int autoRepeat) {
    if (!running() || key < 0 || key > 4) {
        return 0;
    }
    return page->controller->keyPressed(static_cast<Key>(key), autoRepeat != 0) ? 1 : 0;
}

// The browser moved the focus itself: kind as Focus::Kind (0 none, 1 ball, 2 Next Ball,
// 3 Take Score).
EMSCRIPTEN_KEEPALIVE void zx_focus(int kind, int slot) {
    if (!running() || kind < 0 || kind > 3) {
        return;
    }
    page->controller->focusChanged(Focus{static_cast<Focus::Kind>(kind), kind == 1 ? slot : -1});
}

}  // extern "C"
