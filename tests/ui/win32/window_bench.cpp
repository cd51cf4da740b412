#include "tests/ui/win32/window_bench.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

#include "display/windows_display_driver.h"
#include "ui/layout/form1_layout.h"
#include "ui/win32/text.h"

namespace zentrix::win32::testing {

void RecordedMessages::watch(const Form1& form) {
    behind = [&form] {
        zentrix::testing::WindowBehind window;
        window.timer1 = form.timerRunning(controller::Timer::Countdown);
        window.timer2 = form.timerRunning(controller::Timer::Refresh);
        return window;
    };
}

void RecordedMessages::show(HWND /*owner*/, const controller::Message& box) {
    record(box.text, box.title, static_cast<int>(box.style));
    if (whileOpen) {
        whileOpen();
    }
}

display::DisplayMode currentDisplayMode() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    EXPECT_NE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode), FALSE);
    return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
}

WindowBench::WindowBench(display::DisplayDriver* driver) : driver_(driver) {
    if (driver_ == nullptr) {
        ownDriver_ = std::make_unique<display::WindowsDisplayDriver>();
        driver_ = ownDriver_.get();
    }
    startMode = currentDisplayMode();
    current_ = this;
    tickHook_ =
        SetWindowsHookExW(WH_GETMESSAGE, &WindowBench::countTicks, nullptr, GetCurrentThreadId());
}

WindowBench::~WindowBench() {
    form_.reset();
    pump(std::chrono::milliseconds(0));
    UnhookWindowsHookEx(tickHook_);
    current_ = nullptr;
}

LRESULT CALLBACK WindowBench::countTicks(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && current_ != nullptr &&
        current_->form_ != nullptr && message->message == WM_TIMER &&
        message->hwnd == current_->form_->window()) {
        if (message->wParam == kTimer1) {
            ++current_->ticks_[static_cast<std::size_t>(controller::Timer::Countdown)];
        } else if (message->wParam == kTimer2) {
            ++current_->ticks_[static_cast<std::size_t>(controller::Timer::Refresh)];
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int WindowBench::timerTicks(controller::Timer timer) const {
    return ticks_[static_cast<std::size_t>(timer)];
}

void WindowBench::open(UINT dpi, bool recordMessages, HINSTANCE pictures) {
    form_ = std::make_unique<Form1>(Form1Services{.instance = GetModuleHandleW(nullptr),
                                                  .pictures = pictures,
                                                  .random = &random,
                                                  .display = driver_,
                                                  .gdiplus = &gdiplus_,
                                                  .dpi = dpi,
                                                  .boxes = recordMessages ? &messages : nullptr});
    ticks_ = {};
    messages.watch(*form_);
    form_->startUp(SW_SHOWNORMAL);
    // The window comes to the front so that points on it reach it.
    SetForegroundWindow(form_->window());
    pump(std::chrono::milliseconds(50));
}

void WindowBench::openOnPlainDeal() {
    open();
    random.pushValues(zentrix::testing::plainDeal());
    menu(kMenuFileNew);
}

void WindowBench::menu(int id) {
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    showMessages();
}

void WindowBench::press(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    showMessages();
}

void WindowBench::showMessages() {
    // The window posts itself its message boxes; nothing else is taken from the queue, so that
    // no tick comes in between.
    MSG message;
    while (form_ != nullptr && form_->window() != nullptr &&
           PeekMessageW(&message, form_->window(), WM_APP, 0xBFFF, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

HWND WindowBench::clickAt(POINT client) {
    POINT screen = client;
    ClientToScreen(window(), &screen);
    HWND target = WindowFromPoint(screen);
    if (target == nullptr) {
        return nullptr;
    }
    POINT local = screen;
    ScreenToClient(target, &local);
    const LPARAM at = MAKELPARAM(local.x, local.y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
    return target;
}

POINT WindowBench::ballCentre(int slot) const {
    RECT box{};
    GetWindowRect(ballBox(slot), &box);
    POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(window(), &centre);
    return centre;
}

void WindowBench::key(WPARAM virtualKey, bool extended) {
    const HWND target = GetFocus();
    const LPARAM flags = 1 | (extended ? LPARAM{1} << 24 : 0);
    PostMessageW(target, WM_KEYDOWN, virtualKey, flags);
    PostMessageW(target, WM_KEYUP, virtualKey, flags | static_cast<LPARAM>(0xC0000000u));
    pump(std::chrono::milliseconds(0));
}

void WindowBench::keyHeld(WPARAM virtualKey, int repeats) {
    const HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    // Bit 30: the key was already down.
    for (int i = 0; i < repeats; ++i) {
        PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (LPARAM{1} << 30));
    }
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | static_cast<LPARAM>(0xC0000000u));
    pump(std::chrono::milliseconds(0));
}

void WindowBench::refreshTick() {
    SendMessageW(window(), WM_TIMER, kTimer2, 0);
}

void WindowBench::pump(std::chrono::milliseconds time) {
    const auto until = std::chrono::steady_clock::now() + time;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            // As the program's own loop does: the dialog keys first.
            if (form_ != nullptr && form_->translateDialogMessage(message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    } while (std::chrono::steady_clock::now() < until);
}

bool WindowBench::pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        pump(std::chrono::milliseconds(20));
    }
    return true;
}

void WindowBench::screenshot(const char* name) {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ZENTRIX_SCREENSHOTS", folder, MAX_PATH) == 0) {
        return;
    }
    UpdateWindow(window());
    pump(std::chrono::milliseconds(100));
    RECT frame{};
    GetWindowRect(window(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a .bmp file keeps its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDc screen(nullptr);
    UniqueBitmap canvas(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    {
        Selection selected(dc.get(), canvas.get());
        BitBlt(dc.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
    }
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) / 4 * 4);
    header.biSizeImage = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    const std::string path = std::string(folder) + "/" + name + ".bmp";
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot write " << path;
        return;
    }
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, bits, header.biSizeImage, &written, nullptr);
    CloseHandle(out);
}

std::string windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return narrow(text);
}

int progressValue(HWND bar) {
    return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
}

}  // namespace zentrix::win32::testing
