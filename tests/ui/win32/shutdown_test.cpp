// The ways out of the game and the faults it meets: a real message box answered by a hook, a
// close while one is open, the end of the session, a display that refuses the game's mode, a
// missing picture, a window that cannot be made; and a smoke test with real input.
#include <gtest/gtest.h>

#include <string>

#include "display/scripted_display_driver.h"
#include "tests/ui/win32/window_bench.h"
#include "ui/layout/form1_layout.h"
#include "ui/win32/text.h"

namespace zentrix::win32::testing {
namespace {

using zentrix::testing::plainDeal;

// Message boxes as a WH_CBT hook sees them made; what to do with each is up to the test. The
// hook procedure has no context of its own, so the one box watcher of the thread is found here.
// The box is looked at when it is made and again once it has stood open for a while, whether
// or not the desktop ever activates it.
class BoxWatcher {
public:
    // With the window behind it as the bench's recorder reads it.
    struct Box : zentrix::testing::WindowBehind {
        std::string title;
        std::string text;
        HWND owner = nullptr;
        int ticksWhileOpen = -1;  // WM_TIMER messages Form1 got while the box stood open
    };

    // `answer` runs once the box has stood open for a while, and must close it or its owner.
    // `bench` may open its window after this: the boxes of its start-up are watched too.
    BoxWatcher(WindowBench& bench, std::function<void(HWND box)> answer)
        : bench_(bench), answer_(std::move(answer)) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &BoxWatcher::cbt, nullptr, GetCurrentThreadId());
    }
    ~BoxWatcher() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

    std::vector<Box> boxes;

private:
    static LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current_ != nullptr) {
            const auto box = reinterpret_cast<HWND>(wParam);
            wchar_t className[32] = {};
            GetClassNameW(box, className, 32);
            if (std::wstring_view(className) == L"#32770") {
                current_->opened(box);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK answerTimer(HWND box, UINT, UINT_PTR id, DWORD) {
        KillTimer(box, id);
        if (current_ != nullptr) {
            Box& seen = current_->boxes.back();
            seen.title = windowText(box);
            seen.text = windowText(GetDlgItem(box, 0xFFFF));  // the box's message text
            seen.owner = GetWindow(box, GW_OWNER);
            seen.ticksWhileOpen = current_->ticks() - current_->ticksAtOpen_;
            current_->answer_(box);
        }
    }

    int ticks() const {
        return bench_.timerTicks(controller::Timer::Countdown) +
               bench_.timerTicks(controller::Timer::Refresh);
    }

    void opened(HWND box) {
        Box seen;
        static_cast<zentrix::testing::WindowBehind&>(seen) = bench_.messages.behind();
        boxes.push_back(seen);
        ticksAtOpen_ = ticks();
        // Long enough for both timers to have ticked, had they been left running.
        SetTimer(box, 1, 1200, &BoxWatcher::answerTimer);
    }

    static inline BoxWatcher* current_ = nullptr;
    WindowBench& bench_;
    std::function<void(HWND)> answer_;
    HHOOK hook_ = nullptr;
    int ticksAtOpen_ = 0;
};

TEST(Win32Shutdown, RealMessageBoxesOpenWithTheTimersKilledAndCloseWithTheGame) {
    WindowBench bench;
    bench.open(96, /*recordMessages=*/false);
    bench.random.pushValues(plainDeal());
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    ASSERT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));

    {
        // Take Score in round 1: "Ready for Round 2", then the hint, each answered with OK.
        BoxWatcher watcher(bench, [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
        bench.press(bench.control(kScoreId));
        ASSERT_EQ(watcher.boxes.size(), 2u);
        EXPECT_EQ(watcher.boxes[0].text, "Ready for Round 2");
        EXPECT_EQ(watcher.boxes[1].text, "Score 90,000 for BONUS ROUND!!");
        for (const auto& box : watcher.boxes) {
            EXPECT_EQ(box.title, "Zentrix");
            EXPECT_EQ(box.owner, bench.window());
            EXPECT_FALSE(box.timer1);
            EXPECT_FALSE(box.timer2);
            EXPECT_EQ(box.ticksWhileOpen, 0);
        }
        // Round 2 runs with both timers again.
        EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
        EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Refresh));
    }

    {
        // Take Score again ends the game; the player closes the window while "Game Over" is
        // open. The box goes with it, the display comes back, and nothing else opens.
        const HWND form = bench.window();
        BoxWatcher watcher(bench, [form](HWND) { PostMessageW(form, WM_CLOSE, 0, 0); });
        bench.press(bench.control(kScoreId));
        ASSERT_EQ(watcher.boxes.size(), 1u);
        EXPECT_EQ(watcher.boxes[0].text, "Game Over");
        EXPECT_FALSE(IsWindow(form));
        EXPECT_TRUE(bench.form().hasEnded());
        EXPECT_EQ(currentDisplayMode(), bench.startMode);
        // The window is gone: nothing the player could still send reaches the rules.
        bench.pump(std::chrono::milliseconds(200));
        EXPECT_EQ(watcher.boxes.size(), 1u);
    }
}

// A box open is no step of the game half done: a log-off asked for and cancelled, a menu choice
// and a close that come while one is open are handled as at any other time.
// So is the end of the session while the display's own box is open, before the window shows.
TEST(Win32Shutdown, WaysOutTakenWhileABoxIsOpenAreHandledAsAtAnyOtherTime) {
    const display::DisplayMode start{1280, 1024, 32, 60};
    const display::DisplayMode game{1024, 768, 16, 60};
    {
        display::ScriptedDisplayDriver driver({start, game}, start);
        WindowBench bench(&driver);
        bench.open(96, /*recordMessages=*/false);
        bench.random.pushValues(plainDeal());
        bench.random.pushValues(plainDeal());
        bench.menu(kMenuFileNew);
        const HWND form = bench.window();
        BoxWatcher watcher(bench, [&](HWND box) {
            if (watcher.boxes.size() == 1) {
                SendMessageW(form, WM_QUERYENDSESSION, 0, 0);
                SendMessageW(form, WM_ENDSESSION, FALSE, 0);
                PostMessageW(form, WM_COMMAND, MAKEWPARAM(kMenuFileNew, 0), 0);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            } else {
                PostMessageW(form, WM_CLOSE, 0, 0);
            }
        });
        bench.press(bench.control(kScoreId));
        ASSERT_EQ(watcher.boxes.size(), 2u);
        EXPECT_EQ(watcher.boxes[1].text, "Score 90,000 for BONUS ROUND!!");
        EXPECT_FALSE(IsWindow(form));
        EXPECT_TRUE(bench.form().hasEnded());
        // New, chosen while the first box was open, dealt nothing; round 2 was dealt once.
        EXPECT_EQ(bench.random.pending(), 0u);
        EXPECT_EQ(bench.random.fallbackDraws(), 0);
        EXPECT_EQ(driver.changes(), (std::vector<display::DisplayMode>{game, start, game, start}));
    }
    {
        display::ScriptedDisplayDriver driver({start, game}, start);
        driver.scriptChangeResults({display::kChangeRestart});
        WindowBench bench(&driver);
        BoxWatcher watcher(bench, [&](HWND box) {
            SendMessageW(bench.window(), WM_QUERYENDSESSION, 0, 0);
            SendMessageW(bench.window(), WM_ENDSESSION, TRUE, 0);
            // The session's end takes the program and its box along; here the box is closed.
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        bench.open(96, /*recordMessages=*/false);
        ASSERT_EQ(watcher.boxes.size(), 1u);
        EXPECT_EQ(watcher.boxes[0].title, "Pellary");
        EXPECT_EQ(watcher.boxes[0].owner, nullptr);
        EXPECT_TRUE(bench.form().hasEnded());
        EXPECT_FALSE(IsWindowVisible(bench.window()));
        EXPECT_EQ(driver.currentMode(), start);
    }
}

TEST(Win32Shutdown, TheEndOfTheSessionPutsTheDisplayBack) {
    WindowBench bench;
    bench.open();
    ASSERT_EQ(currentDisplayMode().bitsPerPixel, 16u);
    // Asked whether it may end: it never refuses, and puts the display back at once.
    EXPECT_EQ(SendMessageW(bench.window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(currentDisplayMode(), bench.startMode);
    SendMessageW(bench.window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(bench.form().hasEnded());
    EXPECT_FALSE(bench.form().timerRunning(controller::Timer::Refresh));
    EXPECT_EQ(currentDisplayMode(), bench.startMode);
}

TEST(Win32Shutdown, ACancelledEndOfTheSessionSwitchesToTheGamesModeAgain) {
    WindowBench bench;
    bench.open();
    const display::DisplayMode game = currentDisplayMode();
    ASSERT_EQ(game.width, 1024u);
    ASSERT_EQ(game.height, 768u);
    ASSERT_EQ(game.bitsPerPixel, 16u);
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);

    // Asked to end, then told the session goes on (a log-off cancelled), twice over: the game's
    // mode each time, and the game plays on.
    for (int time = 0; time < 2; ++time) {
        EXPECT_EQ(SendMessageW(bench.window(), WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_EQ(currentDisplayMode(), bench.startMode);
        SendMessageW(bench.window(), WM_ENDSESSION, FALSE, 0);
        EXPECT_EQ(currentDisplayMode(), game);
        EXPECT_FALSE(bench.form().hasEnded());
        EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
    }
    EXPECT_TRUE(bench.messages.seen.empty());
    bench.random.pushValue(7);
    bench.press(bench.control(kNextBallId));
    EXPECT_EQ(windowText(bench.ballBox(22)), "Next ball 7, free");

    // Closed, it puts the desktop's mode back as ever.
    SendMessageW(bench.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(bench.form().hasEnded());
    EXPECT_EQ(currentDisplayMode(), bench.startMode);
}

TEST(Win32Shutdown, ARefusedDisplayModeIsReportedAndTheGameRunsOn) {
    const display::DisplayMode start{1280, 1024, 32, 60};
    display::ScriptedDisplayDriver driver({start, {1024, 768, 16, 60}}, start);
    driver.scriptChangeResults({display::kChangeBadMode});
    WindowBench bench(&driver);
    bench.open();
    ASSERT_EQ(bench.messages.seen.size(), 1u);
    EXPECT_EQ(bench.messages.seen[0].text, "The graphics mode is not supported");
    EXPECT_EQ(bench.messages.seen[0].title, "Pellary");
    EXPECT_EQ(bench.messages.seen[0].style, 16);

    // The window opened all the same and plays.
    EXPECT_TRUE(IsWindowVisible(bench.window()));
    bench.random.pushValues(plainDeal());
    bench.menu(kMenuFileNew);
    EXPECT_EQ(windowText(bench.ballBox(22)), "Next ball 1, free");
    // On the way out the mode found at start-up is asked for again, exactly.
    SendMessageW(bench.window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(driver.changes().size(), 2u);
    EXPECT_EQ(driver.changes()[1], start);
}

// Refuses to create the `count`th window of class `className` on this thread.
class CreationRefuser {
public:
    CreationRefuser(const wchar_t* className, int count) : className_(className), left_(count) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &CreationRefuser::cbt, nullptr, GetCurrentThreadId());
    }
    ~CreationRefuser() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

private:
    static LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current_ != nullptr) {
            wchar_t className[64] = {};
            GetClassNameW(reinterpret_cast<HWND>(wParam), className, 64);
            if (current_->className_ == className && --current_->left_ == 0) {
                return 1;  // refused
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CreationRefuser* current_ = nullptr;
    std::wstring className_;
    int left_;
    HHOOK hook_ = nullptr;
};

TEST(Win32Faults, AWindowThatCannotBeMadeOrAMissingPictureStopsStartUpCleanly) {
    struct Fault {
        const char* what;
        const wchar_t* refusedClass;  // nullptr: no refusal
        bool noPictures;
        const char* message;
    };
    const Fault faults[] = {
        {"main window", kForm1Class, false, "Zentrix could not open its window."},
        {"ninth ball box", kBallBoxClass, false,
         "Zentrix could not open the controls of its window."},
        {"pictures", nullptr, true, "missing from zentrix.exe"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        const display::DisplayMode start{1280, 1024, 32, 60};
        display::ScriptedDisplayDriver driver({{1024, 768, 16, 60}, start}, start);
        WindowBench bench(&driver);
        std::optional<CreationRefuser> refuser;
        if (fault.refusedClass != nullptr) {
            refuser.emplace(fault.refusedClass, fault.refusedClass == kBallBoxClass ? 9 : 1);
        }
        // A module without the game's pictures stands in for a damaged program.
        const HINSTANCE pictures = fault.noPictures ? GetModuleHandleW(L"kernel32.dll") : nullptr;
        try {
            bench.open(96, true, pictures);
            ADD_FAILURE() << "start-up went on";
        } catch (const StartUpError& error) {
            EXPECT_NE(std::string(error.what()).find(fault.message), std::string::npos)
                << error.what();
        }
        // No window left behind, the display never switched, the game ended.
        EXPECT_EQ(FindWindowW(kForm1Class, nullptr), nullptr);
        EXPECT_TRUE(driver.changes().empty());
        EXPECT_TRUE(bench.form().hasEnded());
        EXPECT_TRUE(bench.messages.seen.empty());
    }
}

TEST(Win32Smoke, RealMouseInputSelectsABall) {
    WindowBench bench;
    bench.openOnPlainDeal();
    bench.pump(std::chrono::milliseconds(100));

    POINT target = bench.ballCentre(20);
    ClientToScreen(bench.window(), &target);
    // The window in front and the ball under the point, then the pointer moved there and the
    // system agreeing where it is, before the button goes down.
    SetForegroundWindow(bench.window());
    ASSERT_TRUE(bench.pumpUntil([&] {
        return GetForegroundWindow() == bench.window() &&
               WindowFromPoint(target) == bench.ballBox(20);
    }));
    SetCursorPos(target.x, target.y);
    ASSERT_TRUE(bench.pumpUntil([&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == target.x && now.y == target.y;
    }));
    // Each event carries the point itself, so a pointer that the display has not moved yet
    // cannot send the press somewhere else. Absolute coordinates run 0..65535 across the screen.
    const auto absolute = [](LONG value, int extent) {
        return static_cast<LONG>((static_cast<long long>(value) * 65535 + extent / 2) /
                                 (extent - 1));
    };
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT clicks[3] = {};
    const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dx = absolute(target.x, width);
        clicks[i].mi.dy = absolute(target.y, height);
        clicks[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    ASSERT_EQ(SendInput(3, clicks, sizeof(INPUT)), 3u);
    EXPECT_TRUE(bench.pumpUntil([&] {
        return windowText(bench.ballBox(20)) == "Ball 5, free, selected";
    })) << windowText(bench.ballBox(20));
}

}  // namespace
}  // namespace zentrix::win32::testing
