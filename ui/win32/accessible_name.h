// What a screen reader reads for a control of ours, whatever the control shows: a label reads
// "Total score 54500" while it shows "54500", the countdown bar "Time left". The control answers
// the screen reader's WM_GETOBJECT with the system's own accessible object for it, but with this
// name (and role). The accessibility libraries are loaded only once a screen reader asks.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zentrix::win32 {

enum class AccessibleRole {
    AsTheSystemSays,  // the system's role for the control
    PushButton,       // a ball box: pressed with a click, Space or Enter
};

// Names `control` for screen readers; called again, renames it and tells any listening screen
// reader. The name goes with the window.
void setAccessibleName(HWND control, std::wstring_view name,
                       AccessibleRole role = AccessibleRole::AsTheSystemSays);

// The name given, or empty when none was.
std::wstring accessibleNameOf(HWND control);

}  // namespace zentrix::win32
