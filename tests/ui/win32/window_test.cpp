// Form1 driven for real under Wine: what it shows when it opens, a whole game played through its
// controls, and the same window on a high-DPI screen.
#include <windows.h>
// The common controls' header needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/display_session.h"
#include "display/scripted_display_driver.h"
#include "game/board.h"
#include "tests/ui/win32/window_bench.h"
#include "ui/layout/form1_layout.h"
#include "ui/win32/text.h"

namespace zentrix::win32::testing {
namespace {

using zentrix::testing::kClearingOrder;
using zentrix::testing::kClearingRoundPoints;
using zentrix::testing::plainDeal;
using zentrix::testing::scriptClearingRound;

// Where `child` lies in the window's client area.
layout::PixelRect placeOf(HWND window, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string menuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return narrow(text);
}

int fontHeight(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW info{};
    GetObjectW(font, sizeof info, &info);
    return -info.lfHeight;
}

int hiddenHeapBoxes(const WindowBench& bench) {
    int hidden = 0;
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        hidden += IsWindowVisible(bench.ballBox(slot)) ? 0 : 1;
    }
    return hidden;
}

TEST(Win32Form1, OpensAsDesignedAndSwitchesTheDisplayForItsLife) {
    WindowBench bench;
    {
        bench.open();
        const HWND form = bench.window();
        EXPECT_EQ(windowText(form), "Zentrix");
        EXPECT_TRUE(IsWindowVisible(form));
        const auto style = GetWindowLongW(form, GWL_STYLE);
        EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

        // Menus from the design, plain captions.
        HMENU bar = GetMenu(form);
        ASSERT_EQ(GetMenuItemCount(bar), 2);
        EXPECT_EQ(menuText(bar, 0), "File");
        EXPECT_EQ(menuText(GetSubMenu(bar, 0), 0), "New");
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 1);
        EXPECT_EQ(menuText(bar, 1), "Help");
        EXPECT_EQ(menuText(GetSubMenu(bar, 1), 0), "Rules");
        EXPECT_EQ(menuText(GetSubMenu(bar, 1), 1), "About");

        // At 96 dpi every control stands where the design puts it, pixel for pixel.
        RECT client{};
        GetClientRect(form, &client);
        EXPECT_EQ(client.right, layout::requiredClientArea().width);
        EXPECT_EQ(client.bottom, layout::requiredClientArea().height);
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            SCOPED_TRACE(slot);
            const HWND box = bench.ballBox(slot);
            EXPECT_EQ(placeOf(form, box), layout::toPixels(layout::ballBoxRect(slot)));
            EXPECT_FALSE(IsWindowEnabled(box));
            EXPECT_EQ(windowText(box),
                      slot == layout::kNextBallSlot ? "No next ball" : "Empty slot");
        }
        for (int i = 0; i < 7; ++i) {
            const layout::LabelDesign& design = layout::labels()[static_cast<std::size_t>(i)];
            EXPECT_EQ(placeOf(form, bench.label(i + 1)), layout::toPixels(design.rect))
                << design.name;
            EXPECT_EQ(fontHeight(bench.label(i + 1)), design.font.pixelSize()) << design.name;
        }
        const HWND next = bench.control(kNextBallId);
        const HWND score = bench.control(kScoreId);
        const HWND progress = bench.control(kProgressBarId);
        EXPECT_EQ(placeOf(form, next), layout::toPixels(layout::nextBallButton().rect));
        EXPECT_EQ(placeOf(form, score), layout::toPixels(layout::scoreButton().rect));
        EXPECT_EQ(placeOf(form, progress), layout::toPixels(layout::progressBar().rect));

        // What the player reads before the first New.
        EXPECT_EQ(windowText(next), "Next Ball");
        EXPECT_EQ(windowText(score), "Take Score");
        EXPECT_TRUE(IsWindowEnabled(next));
        EXPECT_FALSE(IsWindowEnabled(score));
        EXPECT_EQ(GetFocus(), next);
        EXPECT_EQ(windowText(bench.label(2)), "0");
        EXPECT_EQ(windowText(bench.label(3)), "Score");
        EXPECT_EQ(windowText(bench.label(5)), "11'S");
        PBRANGE range{};
        SendMessageW(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, 0);
        EXPECT_EQ(range.iHigh, 90);
        EXPECT_EQ(progressValue(progress), 90);
        EXPECT_FALSE(bench.form().timerRunning(controller::Timer::Countdown));
        EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Refresh));

        // The game's screen while it runs.
        const display::DisplayMode during = currentDisplayMode();
        EXPECT_EQ(during.width, 1024u);
        EXPECT_EQ(during.height, 768u);
        EXPECT_EQ(during.bitsPerPixel, 16u);

        // Alt+F4: the system's close, which ends the game and puts the display back.
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindow(form));
        EXPECT_TRUE(bench.form().hasEnded());
        EXPECT_EQ(currentDisplayMode(), bench.startMode);
    }
    EXPECT_TRUE(bench.messages.seen.empty());
}

// The window's controls stand among its children in the layout's tab order, which Tab follows:
// every ball box, label, button and the bar once, each where its tab stop puts it.
TEST(Win32Form1, ControlsStandInTheLayoutsTabOrder) {
    WindowBench bench;
    bench.open();
    std::vector<int> expected;
    for (const layout::TabStop& stop : layout::tabStops()) {
        switch (stop.kind) {
            case layout::TabStop::Kind::Ball:
                expected.push_back(kFirstBallBoxId + stop.index);
                break;
            case layout::TabStop::Kind::NextBall:
                expected.push_back(kNextBallId);
                break;
            case layout::TabStop::Kind::TakeScore:
                expected.push_back(kScoreId);
                break;
            case layout::TabStop::Kind::ProgressBar:
                expected.push_back(kProgressBarId);
                break;
            case layout::TabStop::Kind::Label:
                expected.push_back(kFirstLabelId + stop.index);
                break;
        }
    }
    std::vector<int> children;
    for (HWND child = GetWindow(bench.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(GetDlgCtrlID(child));
    }
    EXPECT_EQ(children, expected);
}

TEST(Win32Form1, PlaysAWholeGameThroughItsControls) {
    WindowBench bench;
    bench.open();
    const HWND form = bench.window();
    const HWND next = bench.control(kNextBallId);
    const HWND score = bench.control(kScoreId);

    // A deal made while another window is active, read back the way a screen reader reads the
    // boxes. When the game's window is active again, Next Ball has the focus as it had before,
    // though free balls could take it now.
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPED | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(bench.pumpUntil([&] { return GetForegroundWindow() == other; }));
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    DestroyWindow(other);
    SetForegroundWindow(form);
    EXPECT_TRUE(bench.pumpUntil([&] { return GetForegroundWindow() == form; }));
    EXPECT_EQ(GetFocus(), next);
    EXPECT_TRUE(IsWindowEnabled(score));
    EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
    EXPECT_EQ(windowText(bench.ballBox(0)), "Ball 1, not free");
    EXPECT_EQ(windowText(bench.ballBox(20)), "Ball 5, free");
    EXPECT_EQ(windowText(bench.ballBox(22)), "Next ball 1, free");
    EXPECT_FALSE(IsWindowEnabled(bench.ballBox(0)));
    EXPECT_TRUE(IsWindowEnabled(bench.ballBox(20)));

    // Tab follows the design's order among the controls that can take the focus now: the next
    // ball, then Next Ball, the free bottom row from the right, the free ball in the middle,
    // and Take Score.
    const HWND nextBallBox = bench.ballBox(layout::kNextBallSlot);
    EXPECT_EQ(GetNextDlgTabItem(form, nextBallBox, FALSE), next);
    EXPECT_EQ(GetNextDlgTabItem(form, next, FALSE), bench.ballBox(21));
    EXPECT_EQ(GetNextDlgTabItem(form, bench.ballBox(21), FALSE), bench.ballBox(20));
    EXPECT_EQ(GetNextDlgTabItem(form, bench.ballBox(20), FALSE), bench.ballBox(9));
    EXPECT_EQ(GetNextDlgTabItem(form, bench.ballBox(9), FALSE), score);

    // A click in a ball's middle selects it; its box's corner, outside the ellipse, reaches the
    // felt of the window beneath and changes nothing.
    EXPECT_EQ(bench.clickAt(bench.ballCentre(20)), bench.ballBox(20));
    EXPECT_EQ(windowText(bench.ballBox(20)), "Ball 5, free, selected");
    EXPECT_EQ(windowText(bench.label(1)), "5");
    const layout::PixelRect box21 = layout::toPixels(layout::ballBoxRect(21));
    EXPECT_EQ(bench.clickAt({box21.x + 3, box21.y + 3}), form);
    EXPECT_EQ(windowText(bench.ballBox(21)), "Ball 6, free");
    bench.screenshot("dealt-96dpi");
    // 5 + 6 is a set: both go, and the refresh hides their boxes.
    EXPECT_EQ(bench.clickAt(bench.ballCentre(21)), bench.ballBox(21));
    EXPECT_EQ(windowText(bench.ballBox(20)), "Empty slot");
    EXPECT_EQ(windowText(bench.label(1)), "0");
    EXPECT_EQ(windowText(bench.label(2)), "1");
    EXPECT_TRUE(IsWindowVisible(bench.ballBox(20)));
    bench.refreshTick();
    EXPECT_FALSE(IsWindowVisible(bench.ballBox(20)));
    EXPECT_FALSE(IsWindowVisible(bench.ballBox(21)));
    EXPECT_EQ(windowText(bench.label(6)), "200");

    // Two whole rounds that empty the heap, then the bonus round, all through the window.
    // Round 1 is dealt afresh by New; round 2 and the bonus round by Take Score.
    scriptClearingRound(bench.random, 16);
    bench.menu(kMenuFileNew);
    int expectedTotal = 0;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        for (int i = 0; i < 16; ++i) {
            bench.press(next);
        }
        for (int slot : kClearingOrder) {
            ASSERT_EQ(bench.clickAt(bench.ballCentre(slot)), bench.ballBox(slot)) << slot;
            ASSERT_EQ(bench.clickAt(bench.ballCentre(layout::kNextBallSlot)),
                      bench.ballBox(layout::kNextBallSlot))
                << slot;
            ASSERT_EQ(windowText(bench.ballBox(slot)), "Empty slot") << slot;
        }
        bench.refreshTick();
        EXPECT_EQ(hiddenHeapBoxes(bench), kBoardSlotCount);
        EXPECT_EQ(windowText(bench.ballBox(layout::kNextBallSlot)), "No next ball");
        EXPECT_EQ(windowText(bench.label(6)), std::to_string(kClearingRoundPoints));

        // The total as the rules count it from what the window shows: 1000 a cleared slot and
        // 10,000 for the level, 1000 per "11'S", 250 a second left, and the round's points.
        expectedTotal += 1000 * kBoardSlotCount + 10000 +
                         1000 * std::stoi(windowText(bench.label(2))) +
                         250 * progressValue(bench.control(kProgressBarId)) + kClearingRoundPoints;
        bench.messages.seen.clear();
        if (round == 1) {
            scriptClearingRound(bench.random, 16);  // round 2's deal
        }
        bench.press(score);
        ASSERT_GE(bench.messages.seen.size(), 2u);
        EXPECT_EQ(bench.messages.seen[0].text, "BONUS, Level Clear 10,000");
        for (const auto& seen : bench.messages.seen) {
            EXPECT_EQ(seen.title, "Zentrix");
            EXPECT_FALSE(seen.timer1) << seen.text;
            EXPECT_FALSE(seen.timer2) << seen.text;
        }
        EXPECT_EQ(windowText(bench.label(4)), std::to_string(expectedTotal));
        EXPECT_EQ(progressValue(bench.control(kProgressBarId)), 90);
        EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
    }
    EXPECT_EQ(bench.messages.texts().back(), "BONUS ROUND!!!");
    EXPECT_EQ(bench.messages.seen.back().style, 48);

    // Take Score in the bonus round ends the game: Take Score goes grey, no ball takes clicks.
    bench.messages.seen.clear();
    bench.press(score);
    EXPECT_EQ(bench.messages.texts(), std::vector<std::string>{"Game Over"});
    EXPECT_FALSE(IsWindowEnabled(score));
    EXPECT_FALSE(bench.form().timerRunning(controller::Timer::Countdown));
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        EXPECT_FALSE(IsWindowEnabled(bench.ballBox(slot))) << slot;
    }
}

TEST(Win32Form1, TimersTickByThemselvesAndADoubleClickIsOneClick) {
    WindowBench bench;
    bench.openOnPlainDeal();
    const HWND bar = bench.control(kProgressBarId);
    // Timer1 takes a second off the bar; Label7 shows the seconds left. Timer2 ticks too, more
    // often: how many times by then depends on how busy the machine is, so each is waited for.
    ASSERT_TRUE(bench.pumpUntil([&] {
        return progressValue(bar) <= 89 && bench.timerTicks(controller::Timer::Refresh) >= 5;
    }));
    EXPECT_EQ(windowText(bench.label(7)), std::to_string(progressValue(bar)));

    // A double-click selects the ball once rather than selecting and dropping it.
    const HWND box = bench.ballBox(20);
    POINT centre = bench.ballCentre(20);
    MapWindowPoints(bench.window(), box, &centre, 1);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
    SendMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(windowText(box), "Ball 5, free, selected");
    // A press inside and a release outside the ellipse is no click.
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(windowText(box), "Ball 5, free, selected");
}

TEST(Win32Form1, ScalesEverythingOnAHighDpiScreen) {
    // At 1.5 times the design the window is larger than the game's 1024 x 768 screen, so the
    // display stays as large as the test's desktop.
    const display::DisplayMode desktop = currentDisplayMode();
    display::ScriptedDisplayDriver driver({desktop}, desktop);
    WindowBench bench(&driver);
    bench.open(144);
    const double scale = 1.5;
    const HWND form = bench.window();
    RECT client{};
    GetClientRect(form, &client);
    const layout::PixelRect area = layout::scaled(layout::requiredClientArea(), scale);
    EXPECT_EQ(client.right, area.width);
    EXPECT_EQ(client.bottom, area.height);
    for (int slot : {0, 15, layout::kNextBallSlot}) {
        EXPECT_EQ(placeOf(form, bench.ballBox(slot)),
                  layout::scaled(layout::toPixels(layout::ballBoxRect(slot)), scale));
    }
    EXPECT_EQ(placeOf(form, bench.control(kNextBallId)),
              layout::scaled(layout::toPixels(layout::nextBallButton().rect), scale));
    EXPECT_EQ(fontHeight(bench.label(1)), layout::scaled(48, scale));

    // The ball's region grew with it: the centre takes the click, a corner does not.
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    const layout::PixelRect box = layout::scaled(layout::toPixels(layout::ballBoxRect(20)), scale);
    EXPECT_EQ(bench.clickAt({box.x + 6, box.y + 6}), form);
    EXPECT_EQ(bench.clickAt({box.x + 6, box.y + box.height / 2}), bench.ballBox(20));
    EXPECT_EQ(windowText(bench.ballBox(20)), "Ball 5, free, selected");

    // The ring shows outside the ball, a scaled pen's width around it.
    UpdateWindow(form);
    bench.screenshot("dealt-144dpi");
    const layout::PixelRect ring = layout::scaled(layout::toPixels(layout::ringRect(20)), scale);
    HDC dc = GetDC(form);
    const COLORREF onRing = GetPixel(dc, ring.x - 3, ring.y + ring.height / 2);
    const COLORREF felt = GetPixel(dc, ring.x - 12, ring.y + ring.height / 2);
    ReleaseDC(form, dc);
    EXPECT_EQ(onRing, colorOf(layout::kRingColour));
    EXPECT_EQ(felt, colorOf(layout::kFeltGreen));
}

TEST(Win32Form1, OnTheGamesScreenAHighDpiWindowShrinksToFit) {
    WindowBench bench;
    bench.open(144);
    ASSERT_EQ(currentDisplayMode().width, 1024u);
    RECT frame{};
    GetWindowRect(bench.window(), &frame);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    EXPECT_LE(frame.right, 1024);
    EXPECT_LE(frame.bottom, 768);
    const double scale = bench.form().scale();
    EXPECT_GT(scale, 1.0);
    EXPECT_LT(scale, 1.5);
    EXPECT_EQ(placeOf(bench.window(), bench.ballBox(22)),
              layout::scaled(layout::toPixels(layout::ballBoxRect(22)), scale));
    // The shrunk boxes are round at their new size, and the bottom of the board takes clicks.
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    const layout::PixelRect box = layout::scaled(layout::toPixels(layout::ballBoxRect(22)), scale);
    EXPECT_EQ(bench.clickAt({box.x + 4, box.y + 4}), bench.window());
    EXPECT_EQ(bench.clickAt({box.x + box.width / 2, box.y + box.height - 5}), bench.ballBox(22));
    EXPECT_EQ(windowText(bench.ballBox(22)), "Next ball 1, free, selected");
    bench.screenshot("fitted-144dpi");
}

}  // namespace
}  // namespace zentrix::win32::testing
