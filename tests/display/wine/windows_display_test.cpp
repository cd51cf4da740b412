// Runs the Windows display driver against the real display functions: meant for a Wine virtual
// desktop of 1280 x 1024 at 32 bits per pixel. Writes its findings to the file named by its
// first argument, ending with "PASS" or "FAIL", and exits non-zero on any failure.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "display/ball_shape.h"
#include "display/display_mode.h"
#include "display/display_session.h"
#include "display/windows_display_driver.h"

namespace {

using namespace zentrix::display;

std::FILE* out = nullptr;
int failures = 0;

void note(const std::string& line) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

void check(bool ok, const std::string& what) {
    note(std::string(ok ? "ok   " : "FAIL ") + what);
    if (!ok) {
        ++failures;
    }
}

std::string describe(const std::optional<DisplayMode>& mode) {
    if (!mode) {
        return "none";
    }
    return std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
           std::to_string(mode->bitsPerPixel) + "@" + std::to_string(mode->refreshRate);
}

// Forwards to the real driver and counts the change calls.
class CountingDriver final : public DisplayDriver {
public:
    explicit CountingDriver(DisplayDriver& real) : real_(real) {}
    std::optional<DisplayMode> enumerateMode(std::int32_t index) override {
        return real_.enumerateMode(index);
    }
    std::optional<DisplayMode> currentMode() override { return real_.currentMode(); }
    std::int32_t changeModeTemporarily(const DisplayMode& mode) override {
        ++changes;
        return real_.changeModeTemporarily(mode);
    }
    ColorFormat colorFormat() override { return real_.colorFormat(); }
    ScreenSize screenSize() override { return real_.screenSize(); }

    int changes = 0;

private:
    DisplayDriver& real_;
};

class CountingMessages final : public DisplayMessages {
public:
    void showDisplayMessage(std::string_view text, std::string_view, DisplayMessageStyle) override {
        ++shown;
        note("message: " + std::string(text));
    }
    int shown = 0;
};

// What the screen reports now, straight from the platform.
bool screenIs(DisplayDriver& driver, std::uint32_t width, std::uint32_t height,
              std::uint32_t bits) {
    const auto mode = driver.currentMode();
    const ScreenSize size = driver.screenSize();
    const std::int16_t depth = GetColorDepth(driver);
    note("screen: mode " + describe(mode) + ", metrics " + std::to_string(size.width) + "x" +
         std::to_string(size.height) + ", depth " + std::to_string(depth));
    return mode && mode->width == width && mode->height == height && mode->bitsPerPixel == bits &&
           size.width == static_cast<int>(width) && size.height == static_cast<int>(height) &&
           depth == static_cast<int>(bits);
}

std::optional<DisplayMode> registeredMode() {
    DEVMODEA record{};
    record.dmSize = sizeof record;
    if (EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &record) == 0) {
        return std::nullopt;
    }
    return DisplayMode{record.dmPelsWidth, record.dmPelsHeight, record.dmBitsPerPel,
                       record.dmDisplayFrequency};
}

void checkSwitchAndRestore() {
    WindowsDisplayDriver real;
    CountingDriver driver(real);
    CountingMessages messages;

    const auto startMode = driver.currentMode();
    if (!screenIs(driver, 1280, 1024, 32)) {
        check(false, "the desktop starts at 1280x1024x32");
        return;
    }
    const auto registeredBefore = registeredMode();
    note("registered mode before: " + describe(registeredBefore));

    bool offers32 = false;
    bool offers16 = false;
    bool offers8 = false;
    std::int32_t count = 0;
    for (; auto mode = driver.enumerateMode(count); ++count) {
        if (mode->width == 1024 && mode->height == 768) {
            offers32 = offers32 || mode->bitsPerPixel == 32;
            offers16 = offers16 || mode->bitsPerPixel == 16;
            offers8 = offers8 || mode->bitsPerPixel == 8;
        }
    }
    note("modes listed: " + std::to_string(count));
    check(offers32 && offers16 && offers8, "1024x768 is listed at 32, 16 and 8 bits");

    {
        DisplaySession session(driver, messages);
        session.start();
        check(session.switchResult() == kChangeSuccessful, "start-up switch reports success");
        check(session.savedScreenWidth() == 1280 && session.savedScreenHeight() == 1024,
              "start-up remembers 1280x1024");
        check(screenIs(driver, 1024, 768, 16), "the screen is at 1024x768x16 after start-up");
        const auto registeredDuring = registeredMode();
        note("registered mode during the run: " + describe(registeredDuring));
        check(registeredDuring == registeredBefore, "the switch is not registered");

        check(session.restore() == kChangeSuccessful, "restore reports success");
        check(driver.currentMode() == startMode,
              "restore brings back exactly " + describe(startMode));
        check(screenIs(driver, 1280, 1024, 32), "the screen is at 1280x1024x32 after restore");
        check(!session.restore().has_value(), "a second restore has nothing to do");
        check(driver.changes == 2, "two changes in all, switch and restore");
    }
    check(driver.changes == 2, "the session's end after a restore changes nothing");
    check(registeredMode() == registeredBefore, "the registered mode never changed");

    {
        DisplaySession session(driver, messages);
        session.start();
        check(screenIs(driver, 1024, 768, 16), "a second run switches again");
    }
    check(screenIs(driver, 1280, 1024, 32), "the session's end restores when nothing else did");
    check(driver.changes == 4, "that run made two changes");

    driver.changes = 0;
    check(!SetDisplayMode(driver, messages, 1024, 768, 24).has_value(),
          "a mode not listed finds no match");
    check(driver.changes == 0 && messages.shown == 0, "no match: no change, no message");
    check(SetDisplayMode(driver, messages, 1280, 1024, 32) == kChangeSuccessful,
          "asking for the current mode succeeds");
    check(screenIs(driver, 1280, 1024, 32), "the current mode asked again stays in force");
    check(messages.shown == 0, "no message was shown in any of this");

    const std::int32_t bad = real.changeModeTemporarily({1234, 567, 16, 0});
    note("change to 1234x567x16 returned " + std::to_string(bad));
    check(bad != kChangeSuccessful && messageForResult(bad).has_value(),
          "a mode the display lacks is refused with a reported code");
    check(screenIs(driver, 1280, 1024, 32), "a refused change leaves the screen alone");
}

// Two regions cover the same pixels (EqualRgn also compares how they are cut into rectangles).
bool sameArea(HRGN a, HRGN b) {
    HRGN difference = CreateRectRgn(0, 0, 0, 0);
    const int kind = CombineRgn(difference, a, b, RGN_XOR);
    DeleteObject(difference);
    return kind == NULLREGION;
}

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

void checkMakeRound() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = plainWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZentrixBallTest";
    RegisterClassA(&windowClass);

    struct Box {
        float width;
        float height;
        int pixelsWide;
        int pixelsHigh;
    };
    for (const Box box : {Box{1700, 1700, 113, 113}, Box{1700, 900, 113, 60}}) {
        const std::string name = std::to_string(static_cast<int>(box.width)) + "x" +
                                 std::to_string(static_cast<int>(box.height)) + " twips";
        HWND window = CreateWindowExA(0, "ZentrixBallTest", "ball", WS_POPUP | WS_VISIBLE, 10, 10,
                                      box.pixelsWide, box.pixelsHigh, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
        check(window != nullptr, "a window for a ball of " + name);
        if (window == nullptr) {
            continue;
        }
        MakeRound(window, box.width, box.height, 15, 15);

        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(window, shape);
        HRGN expected = CreateEllipticRgn(0, 0, box.pixelsWide, box.pixelsHigh);
        RECT bounds{};
        GetRgnBox(shape, &bounds);
        note("window shape of " + name + ": kind " + std::to_string(kind) + ", box " +
             std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
             std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
        HRGN larger = CreateEllipticRgn(0, 0, box.pixelsWide + 1, box.pixelsHigh + 1);
        check(kind != ERROR && sameArea(shape, expected) && !sameArea(shape, larger),
              "the ball of " + name + " is the ellipse inscribed in 0,0," +
                  std::to_string(box.pixelsWide) + "," + std::to_string(box.pixelsHigh));
        check(PtInRegion(shape, box.pixelsWide / 2, box.pixelsHigh / 2) != FALSE &&
                  PtInRegion(shape, 1, 1) == FALSE &&
                  PtInRegion(shape, box.pixelsWide - 2, box.pixelsHigh - 2) == FALSE,
              "the ball of " + name + " keeps its middle and loses its corners");
        // The window sits at screen position (10, 10): a click on its corner goes past it.
        const POINT middle{10 + box.pixelsWide / 2, 10 + box.pixelsHigh / 2};
        const POINT corner{10 + 1, 10 + 1};
        check(WindowFromPoint(middle) == window && WindowFromPoint(corner) != window,
              "a click reaches the ball of " + name + " in its middle, not on its corner");
        DeleteObject(larger);
        DeleteObject(expected);
        DeleteObject(shape);
        DestroyWindow(window);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "windows_display_test.txt";
    out = std::fopen(path, "w");
    if (out == nullptr) {
        return 2;
    }
    try {
        checkSwitchAndRestore();
        checkMakeRound();
    } catch (const std::exception& error) {
        check(false, std::string("unexpected exception: ") + error.what());
    }
    note(failures == 0 ? "PASS" : "FAIL");
    std::fclose(out);
    return failures == 0 ? 0 : 1;
}
