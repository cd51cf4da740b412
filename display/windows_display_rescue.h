// Puts the display back when the Windows program dies from inside: an access violation or any
// other fault on one of its threads (the unhandled-exception filter, and the window procedures'
// own guard, see ui/win32/window_object.h), and std::terminate (an exception nobody caught, a
// noexcept broken). Built only for Windows.
//
// Install it first thing in the program, with a rescue that lives as long as the process, and
// give the same rescue to the DisplaySession:
//
//     static DisplayRescue rescue;
//     installDisplayRescue(rescue);
//     DisplaySession session(driver, messages, &rescue);
//
// The thread that crashed does no more than claim the mode from the rescue, wake the rescuer (a
// thread of its own, started at installation, waiting with its own stack) and wait a few seconds
// for it: no allocation, no lock, a few hundred bytes of stack and no window code, whatever the
// crashed thread held (the heap's lock, the loader's) or ran (a window procedure). The rescuer
// switches the mode back; Windows then tells every top-level window, the game's included, but
// from the moment of the crash the game's window procedures leave every message to Windows
// (crashInProgress()). The process then ends at once with the fault's own status, never through
// a normal exit. Windows puts a mode set for a process back itself when the process ends; Wine
// does not, which is what the rescuer is for. Nothing helps when the process is killed from
// outside.
#pragma once

#ifdef _WIN32

#include "display/display_rescue.h"

namespace zentrix::display {

// Installs the unhandled-exception filter and the terminate handler for `rescue`, and starts the
// rescuer. Only the first call in a process does anything.
void installDisplayRescue(DisplayRescue& rescue);

// A crash with status `status` on this thread: the display is put back (if the installed rescue
// is armed) and the process ends with `status`. For a handler that catches a fault before the
// system does; the unhandled-exception filter calls it too.
[[noreturn]] void endInACrash(unsigned long status) noexcept;

// True from the moment a crash is ending the program.
bool crashInProgress() noexcept;

}  // namespace zentrix::display

#endif  // _WIN32
