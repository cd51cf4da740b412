#include "ui/win32/window_geometry.h"

#include <algorithm>

#include "ui/win32/handles.h"

namespace zentrix::win32 {

double scaleForDpi(UINT dpi) {
    return static_cast<double>(dpi) / kClassicDpi;
}

UINT screenDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kClassicDpi;
}

UINT windowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    const WindowDc screen(window);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kClassicDpi;
}

RECT screenWorkArea(HWND window) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return screen;
    }
    RECT work = monitor.rcWork;
    // The primary screen's work area as the system keeps it too, where the monitor's has not
    // caught up with the taskbar (Wine keeps the two apart). A taskbar stands along one edge, so
    // a work area that reaches neither the right nor the bottom edge of the screen is one left
    // over from another display mode, and is not used.
    RECT system{};
    if ((monitor.dwFlags & MONITORINFOF_PRIMARY) != 0 &&
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &system, 0) != FALSE &&
        (system.right == screen.right || system.bottom == screen.bottom)) {
        IntersectRect(&work, &work, &system);
    }
    IntersectRect(&work, &work, &screen);
    return work;
}

double scaleToFit(double scale, const RECT& work, SIZE frame, const layout::PixelRect& design) {
    if (scale <= 1.0) {
        return scale;
    }
    const double fits = layout::fitScale((work.right - work.left) - frame.cx,
                                         (work.bottom - work.top) - frame.cy, design);
    return std::max(1.0, std::min(scale, fits));
}

SIZE frameSize(DWORD style, DWORD exStyle, bool menu, UINT dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjustForDpi = reinterpret_cast<AdjustForDpiFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, 0, 0};
    const BOOL hasMenu = menu ? TRUE : FALSE;
    if (adjustForDpi != nullptr) {
        adjustForDpi(&frame, style, hasMenu, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

POINT keptInside(POINT topLeft, SIZE size, const RECT& work) {
    return {std::max(work.left, std::min(topLeft.x, work.right - size.cx)),
            std::max(work.top, std::min(topLeft.y, work.bottom - size.cy))};
}

RECT toRect(const layout::PixelRect& rect) {
    return RECT{rect.x, rect.y, rect.right(), rect.bottom()};
}

}  // namespace zentrix::win32
