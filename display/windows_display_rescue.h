// Puts the display back when the Windows program dies from inside: an access violation or any
// other fault on one of its threads (the unhandled-exception filter), and std::terminate (an
// exception nobody caught, a noexcept broken). Built only for Windows.
//
// Install it first thing in the program, with a rescue that lives as long as the process, and
// give the same rescue to the DisplaySession:
//
//     static DisplayRescue rescue;
//     installDisplayRescue(rescue);
//     DisplaySession session(driver, messages, &rescue);
//
// The handlers claim the mode from the rescue and switch to it with nothing but a record on the
// stack and ChangeDisplaySettingsA, then hand over to whatever handler was there before (the
// runtime's, which ends the process). Nothing helps when the process is killed from outside.
#pragma once

#ifdef _WIN32

#include "display/display_rescue.h"

namespace zentrix::display {

// Installs the unhandled-exception filter and the terminate handler for `rescue`. Only the first
// call in a process does anything.
void installDisplayRescue(DisplayRescue& rescue);

}  // namespace zentrix::display

#endif  // _WIN32
