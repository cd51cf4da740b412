// What a screen reader reads for a control of ours, whatever the control shows: a label reads
// "Total score 54500" while it shows "54500", the countdown bar "Time left". The control answers
// the screen reader's WM_GETOBJECT with the system's own accessible object for it, but with its
// name (and role). The accessibility libraries are loaded only once a screen reader asks.
//
// The name is kept by the object that owns the control: a window of our own classes answers in
// its own window procedure; a system control (a static label, the countdown bar) through a
// NamedControl, which wraps the control's window procedure once and keeps the name beside it.
// Neither asks Windows for the name again, so that naming and every message the control gets
// cost no more than the control itself.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zentrix::win32 {

enum class AccessibleRole {
    AsTheSystemSays,  // the system's role for the control
    PushButton,       // a ball box: pressed with a click, Space or Enter
};

// WM_GETOBJECT for `control`: the system's accessible object for its client area with `name`
// and `role` in place of its own; 0 when the question is another one or cannot be answered,
// and the system's own answer is to be given.
LRESULT answerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam, std::wstring_view name,
                               AccessibleRole role) noexcept;

// Tells any listening screen reader that `control`'s name has changed.
void announceNameChange(HWND control);

// A system control named for screen readers. Lives as long as its owner's window; the control
// goes back to its own window procedure when either goes.
class NamedControl {
public:
    NamedControl() = default;
    ~NamedControl();
    NamedControl(const NamedControl&) = delete;
    NamedControl& operator=(const NamedControl&) = delete;

    // Names `control` (no screen reader can have asked yet). False when Windows refuses the
    // wrapping; the control then reads as the system says.
    bool attach(HWND control, std::wstring name);
    // Renames the control and tells any listening screen reader; nothing when unchanged.
    void rename(std::wstring_view name);

    HWND hwnd() const { return control_; }

private:
    // Through callGuarded (window_object.h) to dispatch().
    static LRESULT CALLBACK windowProc(HWND control, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static LRESULT CALLBACK dispatch(HWND control, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
    void detach();

    HWND control_ = nullptr;
    WNDPROC original_ = nullptr;
    std::wstring name_;
};

}  // namespace zentrix::win32
