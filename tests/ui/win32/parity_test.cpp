// The main window played as on every other platform: by keyboard alone after a click, with the
// focus handed on when its ball leaves or its button goes grey, held keys pressing once, read by a
// screen reader through MSAA, whole on a screen whose work area is smaller than the screen, and
// with help windows that the board does not own.
#include <windows.h>
// The accessibility header needs windows.h first.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "tests/ui/win32/window_bench.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/ball_neighbours.h"
#include "ui/layout/board_geometry.h"
#include "ui/win32/text.h"

namespace zentrix::win32::testing {
namespace {

using controller::Focus;
using zentrix::testing::plainDeal;

// The free balls on screen, as the window shows them.
layout::ReachableSlots reachableBalls(const WindowBench& bench) {
    layout::ReachableSlots reachable{};
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        const HWND box = bench.ballBox(slot);
        reachable[static_cast<std::size_t>(slot)] =
            IsWindowVisible(box) && IsWindowEnabled(box) &&
            windowText(box).find("free") != std::string::npos &&
            windowText(box).find("not free") == std::string::npos;
    }
    return reachable;
}

bool selected(const WindowBench& bench, int slot) {
    return windowText(bench.ballBox(slot)).find("selected") != std::string::npos;
}

// Whether the ball box shows the focus ring: both its light and its dark pen on the ring's circle.
bool showsFocusRing(HWND box) {
    UpdateWindow(box);
    RECT client{};
    GetClientRect(box, &client);
    const layout::FocusRing ring = layout::focusRing(client.right);
    const WindowDc dc(box);
    bool light = false;
    bool dark = false;
    // Along the ring's left side, where it runs nearly straight up and down.
    const int x = ring.circle.x + ring.pen / 2;
    for (int y = client.bottom / 2 - 12; y <= client.bottom / 2 + 12; ++y) {
        const COLORREF pixel = GetPixel(dc.get(), x, y);
        light = light || pixel == colorOf(layout::kFocusRingLight);
        dark = dark || pixel == colorOf(layout::kFocusRingDashes);
    }
    return light && dark;
}

TEST(Win32Parity, KeyboardPlayAfterAClickAndTheFocusHandedOnWhenItsBallLeaves) {
    WindowBench bench;
    bench.openOnPlainDeal();
    const HWND next = bench.control(kNextBallId);
    ASSERT_EQ(GetFocus(), next);

    // A click on ball 20 (a 5) selects it and gives it the focus, which shows.
    ASSERT_EQ(bench.clickAt(bench.ballCentre(20)), bench.ballBox(20));
    EXPECT_TRUE(selected(bench, 20));
    EXPECT_EQ(GetFocus(), bench.ballBox(20));
    EXPECT_EQ(bench.form().controller().focus(), Focus::ball(20));
    EXPECT_TRUE(showsFocusRing(bench.ballBox(20)));
    EXPECT_FALSE(showsFocusRing(bench.ballBox(21)));

    // Space now presses that ball, not Next Ball: it drops the selection, and a second Space
    // takes it again.
    const std::string nextBall = windowText(bench.ballBox(layout::kNextBallSlot));
    bench.key(VK_SPACE);
    EXPECT_FALSE(selected(bench, 20));
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), nextBall);
    bench.key(VK_SPACE);
    EXPECT_TRUE(selected(bench, 20));

    // The arrows go to the neighbouring free ball on the board, as the shared rule finds it, not
    // along the order the boxes were made in.
    const std::optional<int> right =
        layout::neighbourSlot(20, layout::Direction::Right, reachableBalls(bench));
    ASSERT_EQ(right, 21);
    bench.key(VK_RIGHT);
    EXPECT_EQ(GetFocus(), bench.ballBox(21));
    bench.key(VK_LEFT);
    EXPECT_EQ(GetFocus(), bench.ballBox(20));
    const std::optional<int> up =
        layout::neighbourSlot(20, layout::Direction::Up, reachableBalls(bench));
    ASSERT_TRUE(up.has_value());
    bench.key(VK_UP);
    EXPECT_EQ(GetFocus(), bench.ballBox(*up));
    EXPECT_TRUE(showsFocusRing(bench.ballBox(*up)));
    // No free ball lies below the bottom row but the next ball's own row.
    bench.key(VK_DOWN);
    bench.key(VK_RIGHT);
    ASSERT_EQ(GetFocus(), bench.ballBox(21)) << windowText(GetFocus());

    // The keypad's Enter presses ball 21 (a 6): 5 + 6 make a set, both go, and the focus moves
    // on to a free ball near it rather than dropping.
    bench.key(VK_RETURN, /*extended=*/true);
    EXPECT_EQ(windowText(bench.ballBox(21)), "Empty slot");
    EXPECT_EQ(windowText(bench.ballBox(20)), "Empty slot");
    EXPECT_EQ(windowText(bench.label(2)), "1");
    const Focus handedTo = bench.form().controller().focus();
    ASSERT_TRUE(handedTo.isBall());
    EXPECT_TRUE(handedTo.slot == 18 || handedTo.slot == 19) << handedTo.slot;
    EXPECT_EQ(GetFocus(), bench.ballBox(handedTo.slot));
    EXPECT_TRUE(IsWindowEnabled(GetFocus()));
    EXPECT_TRUE(showsFocusRing(GetFocus()));
    bench.screenshot("focus-handed-on");

    // The main Enter on it selects it too.
    bench.key(VK_RETURN);
    EXPECT_TRUE(selected(bench, handedTo.slot));

    // Tab reaches the buttons, where Enter and Space press them: Next Ball drops the selection
    // and moves the next ball (a 1) onto the board.
    SetFocus(next);
    bench.pump(std::chrono::milliseconds(0));
    EXPECT_EQ(bench.form().controller().focus(), Focus::nextBall());
    bench.random.pushValue(3);
    bench.key(VK_RETURN);
    EXPECT_FALSE(selected(bench, handedTo.slot));
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "Next ball 3, free");
    bench.random.pushValue(4);
    bench.key(VK_SPACE);
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "Next ball 4, free");

    // Two quick clicks on Next Ball press it twice.
    bench.random.pushValues({5, 6});
    SendMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(next, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageW(next, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(next, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "Next ball 6, free");

    // A held Enter presses it once, and so does a held Space on a ball.
    ASSERT_EQ(GetFocus(), next);
    bench.random.pushValues({7, 8});
    bench.keyHeld(VK_RETURN, 4);
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "Next ball 7, free");
    EXPECT_EQ(bench.random.pending(), 1u);
    // Ball 20, refilled by the first Next Ball above and free, shows again at the next refresh.
    const int ball = 20;
    bench.refreshTick();
    ASSERT_EQ(bench.clickAt(bench.ballCentre(ball)), bench.ballBox(ball));
    ASSERT_TRUE(selected(bench, ball));
    bench.keyHeld(VK_SPACE, 4);
    EXPECT_FALSE(selected(bench, ball));
    bench.screenshot("keyboard-focus");
}

TEST(Win32Parity, AfterTakeScoreEndsTheGameTheKeyboardStillPlays) {
    WindowBench bench;
    bench.openOnPlainDeal();
    const HWND next = bench.control(kNextBallId);
    const HWND score = bench.control(kScoreId);

    // Take Score pressed with the mouse takes the focus; the second press ends the game and
    // disables it, and the focus goes to Next Ball rather than staying on a grey button.
    bench.random.pushValues(plainDeal());
    bench.press(score);
    ASSERT_EQ(GetFocus(), score);
    bench.press(score);
    ASSERT_EQ(bench.messages.texts().back(), "Game Over");
    EXPECT_FALSE(IsWindowEnabled(score));
    EXPECT_EQ(GetFocus(), next);
    EXPECT_EQ(bench.form().controller().focus(), Focus::nextBall());

    // A new game from the menu, and Enter at once presses Next Ball: no Tab needed.
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    ASSERT_EQ(GetFocus(), next);
    bench.random.pushValue(9);
    bench.key(VK_RETURN);
    EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "Next ball 9, free");
}

// What a screen reader gets for a control through MSAA: the object from the window, then its
// name and role.
struct Spoken {
    std::string name;
    long role = 0;
};

Spoken spokenFor(HWND control) {
    IAccessible* object = nullptr;
    const HRESULT found =
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr) {
        ADD_FAILURE() << "no accessible object: " << std::hex << found;
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Spoken spoken;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
        spoken.name = narrow(std::wstring_view(name, SysStringLen(name)));
        SysFreeString(name);
    }
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) {
        spoken.role = role.lVal;
    }
    object->Release();
    return spoken;
}

TEST(Win32Parity, AScreenReaderHearsTheSameNamesAsOnLinux) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        WindowBench bench;
        bench.openOnPlainDeal();
        bench.clickAt(bench.ballCentre(20));
        bench.refreshTick();

        const layout::Form1View& view = bench.form().shownView();
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(spokenFor(bench.label(i + 1)).name,
                      view.labels[static_cast<std::size_t>(i)].accessibleName);
        }
        // The numbers are read with what they count; the label itself still shows the number.
        EXPECT_EQ(spokenFor(bench.label(1)).name, "Selection sum 5");
        EXPECT_EQ(windowText(bench.label(1)), "5");
        EXPECT_EQ(spokenFor(bench.control(kProgressBarId)).name, layout::kProgressBarName);
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            SCOPED_TRACE(slot);
            const Spoken ball = spokenFor(bench.ballBox(slot));
            EXPECT_EQ(ball.name, view.slots[static_cast<std::size_t>(slot)].accessibleName);
            EXPECT_EQ(ball.role, ROLE_SYSTEM_PUSHBUTTON);
        }
        EXPECT_EQ(spokenFor(bench.ballBox(20)).name, "Ball 5, free, selected");
        EXPECT_EQ(spokenFor(bench.control(kNextBallId)).name, "Next Ball");

        // A name that changes is read as it is now.
        bench.clickAt(bench.ballCentre(21));
        EXPECT_EQ(spokenFor(bench.ballBox(21)).name, "Empty slot");
        EXPECT_EQ(spokenFor(bench.label(2)).name,
                  bench.form().shownView().labels[1].accessibleName);
        EXPECT_NE(bench.form().shownView().labels[1].accessibleName, "1");
    }
    CoUninitialize();
}

// The screen's work area set for one test, and put back after it.
class WorkArea {
public:
    explicit WorkArea(RECT area) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0);
        set(area);
    }
    ~WorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, SPIF_SENDCHANGE); }
    static void set(RECT area) {
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE);
    }
    static RECT now() {
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }

private:
    RECT saved_{};
};

TEST(Win32Parity, TheWholeWindowLiesInAWorkAreaSmallerThanTheGamesScreen) {
    // A taskbar along the bottom of the 1024 x 768 screen, then one down the left side; at the
    // design's size and on a high-DPI screen.
    const RECT taskbars[] = {{0, 0, 1024, 728}, {64, 0, 1024, 768}};
    for (const UINT dpi : {96u, 144u}) {
        for (const RECT& area : taskbars) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, work area from " + std::to_string(area.left) +
                         " to " + std::to_string(area.bottom));
            const WorkArea workArea(area);
            WindowBench bench;
            bench.open(dpi);
            ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
            const RECT work = WorkArea::now();
            ASSERT_EQ(work.bottom, area.bottom);
            ASSERT_EQ(work.left, area.left);
            RECT frame{};
            GetWindowRect(bench.window(), &frame);
            EXPECT_GE(frame.left, work.left);
            EXPECT_GE(frame.top, work.top);
            EXPECT_LE(frame.right, work.right);
            EXPECT_LE(frame.bottom, work.bottom);
            // Everything the player needs is inside the client area: the last ring and the
            // bottom of Next Ball.
            RECT client{};
            GetClientRect(bench.window(), &client);
            const layout::PixelRect least =
                layout::scaled(layout::smallestClientArea(), bench.form().scale());
            EXPECT_GE(client.right, least.width);
            EXPECT_GE(client.bottom, least.height);
            bench.screenshot(dpi == 96 ? "work-area-96dpi" : "work-area-144dpi");
        }
    }
}

// Whether `first` lies above `second` in the z-order.
bool above(HWND first, HWND second) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == first) {
            return true;
        }
        if (window == second) {
            return false;
        }
    }
    return false;
}

TEST(Win32Parity, TheHelpWindowsStandApartFromTheBoardAndGoWithTheGame) {
    WindowBench bench;
    bench.open();
    bench.menu(kMenuHelpRules);
    bench.pump(std::chrono::milliseconds(100));
    const HWND form = bench.window();
    const HWND rules = bench.form().helpWindows()->rulesWindow();
    ASSERT_NE(rules, nullptr);

    // No taskbar button: owned by a window of the program that is never shown.
    const HWND owner = GetWindow(rules, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(owner, form);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(GetWindowLongPtrW(rules, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

    // The board minimised: the rules stay on screen.
    ShowWindow(form, SW_MINIMIZE);
    EXPECT_TRUE(bench.pumpUntil([&] { return IsIconic(form) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(rules));
    EXPECT_FALSE(IsIconic(rules));

    // Back again, the board can come in front of them.
    ShowWindow(form, SW_RESTORE);
    SetForegroundWindow(form);
    SetWindowPos(form, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(bench.pumpUntil([&] { return above(form, rules); }));
    EXPECT_TRUE(IsWindowVisible(rules));

    // Help > Rules again brings the same window to the front.
    bench.menu(kMenuHelpRules);
    EXPECT_TRUE(bench.pumpUntil([&] { return above(rules, form); }));
    EXPECT_EQ(bench.form().helpWindows()->rulesWindow(), rules);

    // The end of the game closes them.
    bench.menu(kMenuHelpAbout);
    const HWND about = bench.form().helpWindows()->aboutWindow();
    SendMessageW(form, WM_CLOSE, 0, 0);
    bench.pump(std::chrono::milliseconds(100));
    EXPECT_FALSE(IsWindow(rules));
    EXPECT_FALSE(IsWindow(about));
}

}  // namespace
}  // namespace zentrix::win32::testing
