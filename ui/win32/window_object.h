// The link between a Windows window and the C++ object behind it, made once when the window is
// created, and the guards that keep an exception from crossing back into Windows' code. Form1,
// its ball boxes and the help windows are all built on it. (The screen readers' subclass in
// accessible_name.cpp, the program's one other window procedure, has a guard of its own.)
#pragma once

#include <windows.h>

#include <string>

namespace zentrix::win32 {

// Calls the window procedure `procedure` for the system. A fault inside it (an access violation,
// the stack used up) is a crash of the game: the display goes back and the process ends with the
// fault's status (display/windows_display_rescue.h). Without this guard the fault would reach
// the system's code that called the procedure, which swallows it, on Windows as under Wine, and
// the game would go on in whatever state the fault left it. Once a crash is ending the program,
// every message goes to DefWindowProcW and `procedure` is not called. `procedure` must not throw.
LRESULT callGuarded(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam) noexcept;

class WindowObject {
public:
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // The window, from WM_NCCREATE until WM_NCDESTROY; null before and after.
    HWND hwnd() const { return hwnd_; }

    // Registers window class `name` (if this program has not yet) with the procedure that
    // reaches the object. False when Windows refuses.
    static bool registerClass(HINSTANCE instance, const wchar_t* name, UINT style = 0);

protected:
    WindowObject() = default;
    ~WindowObject() = default;

    // Creates a window of a class registered above with this object behind it. Null when
    // Windows refuses; a creation refused half-way leaves hwnd() null too.
    HWND createWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                      HINSTANCE instance);

    // Every message, from WM_NCCREATE on. What it does not handle goes to DefWindowProcW.
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // An exception left handle(): the window's part of the game must stop here.
    virtual void failed(const std::string& what) = 0;
    // After WM_NCDESTROY: the window is gone and hwnd() is null again.
    virtual void destroyed() {}

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static LRESULT CALLBACK dispatch(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
};

}  // namespace zentrix::win32
