// The least the game's window must do before its first paint, with nothing of the game's own
// code: the common controls of the game's manifest, the game's menu bar, its 33 controls where
// the design puts them (23 round ball windows, two buttons, the countdown bar and seven labels),
// and the switch to the game's display mode, then the window shown and its felt painted. The
// game's start-up can come near this, not below it; bench/win32-performance measures the three
// side by side.
#include <windows.h>

// after windows.h, whose types it uses
#include <commctrl.h>

#include <string>
#include <string_view>

#include "display/display_session.h"
#include "ui/layout/form1_layout.h"
#include "yardstick.h"

namespace {

using namespace zentrix;

std::wstring widen(std::string_view text) {
    return {text.begin(), text.end()};  // the design's captions are plain ASCII
}

LRESULT CALLBACK ballProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        const HDC dc = BeginPaint(hwnd, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HMENU menuBar() {
    const HMENU bar = CreateMenu();
    int id = 1;
    for (const layout::MenuDesign& design : layout::menus()) {
        const HMENU popup = CreatePopupMenu();
        for (const layout::MenuItemDesign& item : design.items) {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id++), widen(item.caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    widen(design.caption).c_str());
    }
    return bar;
}

HWND child(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
           const layout::TwipsRect& twips) {
    const layout::PixelRect at = layout::toPixels(twips);
    return CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.x, at.y,
                           at.width, at.height, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void createControls(HWND window) {
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        const HWND ball = child(window, L"FloorBall", L"", WS_DISABLED, layout::ballBoxRect(slot));
        const layout::PixelRect at = layout::toPixels(layout::ballBoxRect(slot));
        SetWindowRgn(ball, CreateEllipticRgn(0, 0, at.width + 1, at.height + 1), FALSE);
    }
    for (const layout::ButtonDesign* button : {&layout::nextBallButton(), &layout::scoreButton()}) {
        child(window, L"BUTTON", widen(button->caption), BS_OWNERDRAW, button->rect);
    }
    const HWND bar = child(window, PROGRESS_CLASSW, L"", 0, layout::progressBar().rect);
    SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(layout::progressBar().minimum),
                 layout::progressBar().maximum);
    for (const layout::LabelDesign& label : layout::labels()) {
        child(window, L"STATIC", widen(label.caption), SS_NOPREFIX, label.rect);
    }
}

// Switches to the game's mode, found as the game finds it (the first listed mode that matches);
// true when the display has been switched.
bool switchDisplay() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD index = 0; EnumDisplaySettingsW(nullptr, index, &mode) != 0; ++index) {
        if (mode.dmPelsWidth == static_cast<DWORD>(display::kGameScreenWidth) &&
            mode.dmPelsHeight == static_cast<DWORD>(display::kGameScreenHeight) &&
            mode.dmBitsPerPel == static_cast<DWORD>(display::kGameBitsPerPixel)) {
            return ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
        }
    }
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!yardstick::registerWindowClass(instance, L"FloorWindow", &yardstick::feltWindowProc) ||
        !yardstick::registerWindowClass(instance, L"FloorBall", &ballProc)) {
        return 1;
    }
    const layout::PixelRect client = layout::requiredClientArea();
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    const HWND window = CreateWindowExW(
        0, L"FloorWindow", L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, menuBar(), instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    createControls(window);
    const bool switched = switchDisplay();
    ShowWindow(window, show);
    UpdateWindow(window);
    const int status = yardstick::runMessageLoop();
    if (switched) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
    return status;
}
