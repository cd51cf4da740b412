#include "ui/win32/one_game.h"

#include "ui/win32/form1.h"

namespace zentrix::win32 {

namespace {

constexpr DWORD kStep = 100;  // milliseconds between looks for the other game's window

void bringToFront(HWND window) {
    if (IsIconic(window)) {
        ShowWindowAsync(window, SW_RESTORE);  // a game that does not answer does not hold us up
    }
    // The window the player used last: the game's, or a box or help window it owns.
    const HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup != nullptr ? popup : window);
}

}  // namespace

OneGameLock::OneGameLock(DWORD patience) : mutex_(CreateMutexW(nullptr, FALSE, kOneGameMutex)) {
    if (!mutex_) {
        held_ = true;  // nothing can tell another game from none: play
        return;
    }
    const auto taken = [](DWORD result) {
        return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;  // abandoned: it crashed
    };
    if (taken(WaitForSingleObject(mutex_.get(), 0))) {
        held_ = true;
        return;
    }
    // This copy never plays, even should the other game end meanwhile: it might then read the
    // display's mode while that game was still putting its own back.
    for (const ULONGLONG start = GetTickCount64(); GetTickCount64() - start < patience;) {
        const HWND running = FindWindowW(kForm1Class, nullptr);
        if (running != nullptr && IsWindowVisible(running)) {
            bringToFront(running);
            return;
        }
        if (taken(WaitForSingleObject(mutex_.get(), kStep))) {
            ReleaseMutex(mutex_.get());  // the other game has ended
            return;
        }
    }
}

OneGameLock::~OneGameLock() {
    if (held_ && mutex_) {
        ReleaseMutex(mutex_.get());
    }
}

}  // namespace zentrix::win32
