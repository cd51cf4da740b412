// What the yardstick windows of bench/win32-performance share: the same felt window, the same
// class registered, the same message loop, so that they differ only in what each measures.
#pragma once

#include <windows.h>

namespace yardstick {

// The client area's part still to be painted, filled with the felt's colour.
inline void paintFelt(HWND hwnd) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd, &paint);
    const HBRUSH felt = CreateSolidBrush(RGB(82, 139, 105));
    FillRect(dc, &paint.rcPaint, felt);
    DeleteObject(felt);
    EndPaint(hwnd, &paint);
}

// A window that paints its felt and ends the message loop when it goes.
inline LRESULT CALLBACK feltWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintFelt(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

inline bool registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

inline int runMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace yardstick
