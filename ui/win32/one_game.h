// One game at a time on a desktop. A second start of zentrix.exe (a double click too many, a
// second shortcut) brings the running game's window to the front and ends before it switches
// anything; two copies that both switched the display would each remember the mode in force when
// they started, the second the game's own, and whichever ended last put its mode back.
//
// The lock is a mutex local to the desktop session, taken before the display switch and held
// until the program ends (the process ending lets it go, after the display is back):
//
//     OneGameLock oneGame;
//     if (!oneGame.held()) return 0;  // the running game is in front
#pragma once

#include <windows.h>

#include "ui/win32/handles.h"

namespace zentrix::win32 {

inline constexpr const wchar_t* kOneGameMutex = L"Local\\Pellary.Zentrix.OneGame";

class OneGameLock {
public:
    // Takes the lock if no other game holds it. Otherwise waits up to `patience` milliseconds for
    // that game's window, which it brings to the front (restored if minimised), and gives up:
    // at once when the window shows, quietly when the other game ends first or is still starting
    // or ending at the end of the wait. Holds it when the lock cannot be made.
    explicit OneGameLock(DWORD patience = 10000);
    ~OneGameLock();

    OneGameLock(const OneGameLock&) = delete;
    OneGameLock& operator=(const OneGameLock&) = delete;

    bool held() const { return held_; }

private:
    UniqueHandle mutex_;
    bool held_ = false;
};

}  // namespace zentrix::win32
