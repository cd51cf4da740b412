// Work the toolkit does before the window can show, done ahead on a thread of its own.
//
// Two pieces of it dwarf everything the window itself does before it shows, and neither has to
// wait for the window:
// - the installed fonts. The first time the window measures text (its menu bar, to size the
//   window) the toolkit lists them, and before that fontconfig parses every file of its
//   configuration and maps its caches. The configuration needs nothing of the toolkit's; the
//   toolkit's font list, which it guards for use from any thread, needs only the application.
// - the session bus. On X11 the first change to any widget's state starts the toolkit's bridge to
//   screen readers, which first connects to the desktop's session bus (or, with none, tries to
//   launch one) and waits for the answer. The toolkit keeps one connection per process, guarded
//   for use from any thread, and the bridge takes the one made here.
// Done on a thread of its own, they run while the application connects to the display and the
// window's widgets are made, and the window waits only for what remains.
#pragma once

#include <atomic>
#include <latch>
#include <thread>

namespace zentrix::ui {

class StartUpWarmUp {
public:
    // Starts reading fontconfig's configuration at once, where the toolkit uses fontconfig;
    // elsewhere does nothing.
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    // The application exists now: the session bus (on X11) and the toolkit's list of the
    // installed fonts are next.
    void applicationStarted();

    // Waits until everything started is done; call before the window first measures text, and
    // before the application ends. Without applicationStarted() first, what needs the
    // application is left to the toolkit.
    void finish();

private:
    void release(bool withApplication);

    std::latch released_{1};
    std::atomic<bool> withApplication_{false};
    std::atomic<bool> onX11_{false};
    bool releasedOnce_ = false;
    std::jthread thread_;
};

}  // namespace zentrix::ui
