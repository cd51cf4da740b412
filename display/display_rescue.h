// The way back for the display when the program dies from inside: an access violation on one of
// its threads, std::terminate, anything that skips the orderly ways out DisplaySession covers.
//
// The session arms the rescue with the mode it found at start-up just before it switches, and
// disarms it when it puts that mode back itself. A crash handler (Windows: the unhandled-exception
// filter and the terminate handler, see windows_display_rescue.h) claims the mode and switches to
// it. Every call is lock-free and allocates nothing, so a handler may use it from any thread,
// whatever state the rest of the program is in.
#pragma once

#include <atomic>
#include <optional>

#include "display/display_mode.h"

namespace zentrix::display {

class DisplayRescue {
public:
    DisplayRescue() = default;
    DisplayRescue(const DisplayRescue&) = delete;
    DisplayRescue& operator=(const DisplayRescue&) = delete;

    // The display is about to leave `mode`: a crash from now on puts it back. Arming again
    // replaces the mode. Does nothing once the mode has been claimed: the program is ending.
    void arm(const DisplayMode& mode) noexcept;

    // The display is back (or was never switched): a crash changes nothing.
    void disarm() noexcept;

    // For a crash handler: the mode to put back, the first time it is asked while armed, and
    // nothing after that or while disarmed, so that two threads failing at once do not both
    // switch the display.
    std::optional<DisplayMode> claim() noexcept;

    bool armed() const noexcept { return state_.load() == kArmed; }

private:
    enum State : int { kIdle, kArmed, kClaimed };
    std::atomic<int> state_{kIdle};
    // Written only while the state is kIdle, read only by the one claim that took it from kArmed.
    DisplayMode mode_{};
};

}  // namespace zentrix::display
