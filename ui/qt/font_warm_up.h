// The installed fonts, read ahead of the window.
//
// The first time the window measures text (its menu bar, to size the window) the toolkit lists
// the installed fonts, and before that fontconfig parses every file of its configuration and maps
// its caches. Together they are the largest single cost between starting the game and its window
// appearing, and none of it has to wait for the window: the configuration needs nothing of the
// toolkit's, and the toolkit's font list (which it guards for use from any thread) needs only the
// application. Read on a thread of its own, it runs while the application connects to the
// display and the window's widgets are made, and the window waits only for what remains.
#pragma once

#include <atomic>
#include <latch>
#include <thread>

namespace zentrix::ui {

class FontWarmUp {
public:
    // Starts reading fontconfig's configuration at once, where the toolkit uses fontconfig;
    // elsewhere does nothing.
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // The application exists now: the toolkit's list of the installed fonts is read next.
    void applicationStarted();

    // Waits until everything started has been read; call before the window first measures text,
    // and before the application ends. Without applicationStarted() first, the toolkit's list is
    // left for the toolkit to read.
    void finish();

private:
    void release(bool withApplication);

    std::latch released_{1};
    std::atomic<bool> withApplication_{false};
    bool releasedOnce_ = false;
    std::jthread thread_;
};

}  // namespace zentrix::ui
