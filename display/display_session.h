// The display switch of one run of the game: made at start-up, undone exactly at shut-down.
//
// Use from the main window:
//
//     DisplaySession session(driver, messages);  // a member of the window, or in main()
//     session.start();     // in the window's start-up, at the point the display is switched
//     ...                  // the game runs
//     session.restore();   // on every way out (see below); later calls do nothing
//
// Call restore() wherever the program can leave: after the event loop returns (closing the
// window, QGuiApplication quitting at session logout), from QCoreApplication::aboutToQuit, and
// after a SIGINT or SIGTERM has been turned into an orderly quit (ShutdownSignals). Calling it
// from several of these places is safe. The destructor restores too, as a last resort when the
// stack unwinds. A session given a DisplayRescue keeps it armed with the start-up mode for as
// long as the display is switched, so that a crash handler can put the mode back when the
// program dies from inside. Nothing restores the display when the process is killed outright:
// the switch is made for this run only and never registered, so the display's registered mode
// is untouched.
//
// When the desktop session was about to end (the display put back) and then did not, after all
// (a log-off cancelled), switchAgain() makes the game's mode again.
#pragma once

#include <cstdint>
#include <optional>

#include "display/display_mode.h"
#include "display/display_rescue.h"

namespace zentrix::display {

// The game's screen size and colour depth.
inline constexpr std::int16_t kGameScreenWidth = 1024;
inline constexpr std::int16_t kGameScreenHeight = 768;
inline constexpr std::int16_t kGameBitsPerPixel = 16;

class DisplaySession {
public:
    // Keeps references to all three; they must outlive the session. `rescue` may be null.
    DisplaySession(DisplayDriver& driver, DisplayMessages& messages,
                   DisplayRescue* rescue = nullptr);
    ~DisplaySession();

    DisplaySession(const DisplaySession&) = delete;
    DisplaySession& operator=(const DisplaySession&) = delete;

    // Start-up: remembers the screen size and the mode in force (width, height, depth and
    // refresh rate), then SetDisplayMode(1024, 768, 16), which may show a message. When the
    // display cannot tell its current mode there would be no exact way back, so nothing is
    // switched. Runs once; later calls do nothing.
    void start();

    // Shut-down: switches back to exactly the mode remembered at start-up if start-up made a
    // change call (whatever it reported); otherwise changes nothing. Shows no message, since it
    // may run while the session is ending. Runs at most once (until switchAgain()): returns the
    // change's result code the first time a change is made, and nothing when there is nothing
    // (left) to do.
    std::optional<std::int32_t> restore();

    // After restore(), when the program goes on all the same (the end of the desktop session was
    // cancelled): SetDisplayMode(1024, 768, 16) again, as start() made it, which may show a
    // message; the next restore() puts the start-up mode back again. Does nothing unless start()
    // switched successfully and restore() has run since. Returns the change's result code, or
    // nothing when no change was made.
    std::optional<std::int32_t> switchAgain();

    // The screen size in pixels as start-up found it (0 before start()).
    std::int16_t savedScreenWidth() const { return savedScreenWidth_; }
    std::int16_t savedScreenHeight() const { return savedScreenHeight_; }

    // The mode in force at start-up, if the display told it.
    const std::optional<DisplayMode>& startMode() const { return startMode_; }

    // The result of the start-up switch, or nothing when no mode matched (or none was tried).
    const std::optional<std::int32_t>& switchResult() const { return switchResult_; }

private:
    DisplayDriver& driver_;
    DisplayMessages& messages_;
    DisplayRescue* rescue_;
    bool started_ = false;
    bool restored_ = false;
    bool switching_ = false;  // inside a switch
    std::int16_t savedScreenWidth_ = 0;
    std::int16_t savedScreenHeight_ = 0;
    std::optional<DisplayMode> startMode_;
    std::optional<std::int32_t> switchResult_;
};

}  // namespace zentrix::display
