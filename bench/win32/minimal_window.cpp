// The yardstick for the game's start-up: the least a Windows program can be that opens a window
// of the game's size and paints it. One window class, one window, one solid fill.
#include <windows.h>

#include "yardstick.h"

namespace {

constexpr int kClientWidth = 963;  // the game's designed client area
constexpr int kClientHeight = 691;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (!yardstick::registerWindowClass(instance, L"MinimalWindow", &yardstick::feltWindowProc)) {
        return 1;
    }
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, L"MinimalWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    return yardstick::runMessageLoop();
}
