// One game at a time on a desktop. A second start of zentrix.exe (a double click too many, a
// second shortcut) brings the running game's window to the front and ends before it switches
// anything; two copies that both switched the display would each remember the mode in force when
// they started, the second the game's own, and whichever ended last put its mode back.
//
// The lock is a mutex local to the desktop session, taken before the display switch and held
// until the program ends (the process ending lets it go, after the display is back). Any program
// of the session can take a mutex of that name, so a start that finds it held looks for the
// holder among the processes of this very program (the same zentrix.exe) and brings forward
// only a window of theirs:
//
//     OneGameLock oneGame;
//     if (oneGame.heldByAnotherProgram()) { tell the player; return 1; }
//     if (!oneGame.held()) return 0;  // the running game is in front
//     if (oneGame.abandoned()) put the display's registered mode back;
#pragma once

#include <windows.h>

#include "ui/win32/handles.h"

namespace zentrix::win32 {

inline constexpr const wchar_t* kOneGameMutex = L"Local\\Pellary.Zentrix.OneGame";
// Left in the session's atom table from the moment a game takes the lock until it ends in order:
// a game that finds it there follows one that crashed or was killed. The mutex goes with its last
// handle, so only a game that waited for it at the time is told it was abandoned.
inline constexpr const wchar_t* kOneGamePlaying = L"Pellary.Zentrix.Playing";

// What the player is told when a program other than the game holds the lock.
inline constexpr const char* kLockHeldByAnotherProgram =
    "Zentrix could not start: another program holds the lock that keeps it to one game at a time.";

class OneGameLock {
public:
    // Takes the lock if no other game holds it. Otherwise, while another copy of this program
    // runs, waits up to `patience` milliseconds for a window of one, which it brings to the front
    // (restored if minimised), and gives up: at once when the window shows, quietly when the
    // other game ends first or is still starting or ending at the end of the wait. When no copy
    // of this program is left to hold it, the lock is another program's (heldByAnotherProgram()).
    // Holds it when the lock cannot be made.
    explicit OneGameLock(DWORD patience = 10000);
    ~OneGameLock();

    OneGameLock(const OneGameLock&) = delete;
    OneGameLock& operator=(const OneGameLock&) = delete;

    bool held() const { return held_; }
    // Held, after a game that ended without letting it go: one that crashed or was ended from
    // outside, which may have left the display at its mode. Ending in order (the destructor)
    // tells the next game otherwise.
    bool abandoned() const { return abandoned_; }
    // Not held, and no copy of this program holds it.
    bool heldByAnotherProgram() const { return heldByAnotherProgram_; }

private:
    UniqueHandle mutex_;
    bool held_ = false;
    bool abandoned_ = false;
    bool heldByAnotherProgram_ = false;
    ATOM playing_ = 0;
};

}  // namespace zentrix::win32
