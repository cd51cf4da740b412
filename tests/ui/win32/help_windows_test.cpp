// The About and Rules windows driven as a player drives them: through the Help menu's calls, the
// mouse's button messages, the dialog keys going through the message loop, and the close box.
#include "ui/win32/help_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "resources/picture_ids.h"
#include "tests/ui/win32/window_bench.h"
#include "ui/layout/help_layout.h"
#include "ui/layout/rules_text.h"
#include "ui/win32/handles.h"
#include "ui/win32/pictures.h"
#include "ui/win32/window_geometry.h"

namespace zentrix::win32 {
namespace {

std::wstring wide(std::string_view text) {
    // The texts here are plain ASCII.
    return std::wstring(text.begin(), text.end());
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// The child's rectangle in its parent's client coordinates.
RECT childRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT scaledPoint(POINT design, double scale) {
    return {layout::scaled(static_cast<int>(design.x), scale),
            layout::scaled(static_cast<int>(design.y), scale)};
}

// The colour at (x, y) of `picture` drawn whole into a bitmap of `width` x `height`.
COLORREF pixelDrawn(const Picture& picture, int width, int height, int x, int y) {
    const WindowDc screen(nullptr);
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    const UniqueBitmap canvas(CreateCompatibleBitmap(screen.get(), width, height));
    const Selection selected(dc.get(), canvas.get());
    drawPicture(dc.get(), picture, RECT{0, 0, width, height});
    return GetPixel(dc.get(), x, y);
}

class HelpWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        instance_ = GetModuleHandleW(nullptr);
        // A plain top-level window stands in for the main window as the owner.
        owner_ = CreateWindowExW(0, L"STATIC", L"Zentrix", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 900, 700, nullptr, nullptr, instance_, nullptr);
        ASSERT_NE(owner_, nullptr);
        ShowWindow(owner_, SW_SHOW);
        SetForegroundWindow(owner_);
        help_ = std::make_unique<HelpWindows>(instance_, owner_);
        dpi_ = screenDpi();
        scale_ = scaleForDpi(dpi_);
    }

    void TearDown() override {
        help_.reset();
        if (owner_ != nullptr) {
            DestroyWindow(owner_);
        }
    }

    // Runs the message loop as the game's does, dialog keys first, for a little while.
    void pump(std::chrono::milliseconds duration = std::chrono::milliseconds(50)) {
        const auto end = std::chrono::steady_clock::now() + duration;
        do {
            MSG message{};
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (!help_->translateDialogMessage(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < end);
    }

    // A key pressed and released while `target` has the keyboard focus, through the queue.
    void pressKey(HWND target, WPARAM key) {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        pump();
    }

    // Which of the two windows is nearer the top of the z-order.
    static HWND upper(HWND first, HWND second) {
        for (HWND window = GetTopWindow(nullptr); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (window == first || window == second) {
                return window;
            }
        }
        return nullptr;
    }

    // Where the design puts a rectangle on this screen.
    layout::PixelRect onScreen(const layout::TwipsRect& design) const {
        return layout::scaled(layout::toPixels(design), scale_);
    }

    // The frame both windows share: owned by a hidden window of the program, not the main window
    // (so no taskbar button, and no tie to the main window), a fixed dialog frame with a close box
    // and no minimise or maximise box, the design's caption and client area.
    void expectHelpFrame(HWND window, std::string_view caption,
                         const layout::TwipsRect& clientArea) const {
        const HWND owner = GetWindow(window, GW_OWNER);
        EXPECT_NE(owner, nullptr);
        EXPECT_NE(owner, owner_);
        EXPECT_EQ(owner, help_->hiddenOwner());
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_EQ(GetParent(owner), nullptr);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        EXPECT_EQ(style & WS_CHILD, 0u);
        EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u);
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
        EXPECT_NE(style & WS_SYSMENU, 0u);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(windowText(window), wide(caption));
        const RECT client = clientRect(window);
        const layout::PixelRect designed = onScreen(clientArea);
        EXPECT_EQ(client.right, designed.width);
        EXPECT_EQ(client.bottom, designed.height);
    }

    void expectPlaced(HWND child, const layout::TwipsRect& design) const {
        const layout::PixelRect expected = onScreen(design);
        const RECT placed = childRect(child);
        EXPECT_EQ(placed.left, expected.x);
        EXPECT_EQ(placed.top, expected.y);
        EXPECT_EQ(placed.right - placed.left, expected.width);
        EXPECT_EQ(placed.bottom - placed.top, expected.height);
    }

    // The character height of the font a control draws with, in pixels.
    static int fontPixels(HWND control) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW description{};
        if (font == nullptr || GetObjectW(font, sizeof(description), &description) == 0) {
            return 0;
        }
        return description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
    }

    HINSTANCE instance_ = nullptr;
    HWND owner_ = nullptr;
    UINT dpi_ = kClassicDpi;
    double scale_ = 1.0;
    std::unique_ptr<HelpWindows> help_;
};

TEST_F(HelpWindowsTest, RulesOpenOnceComeToTheFrontAndStartAtTheTopAfterClosing) {
    EXPECT_EQ(help_->rulesWindow(), nullptr);
    help_->showRules();
    pump();
    const HWND rules = help_->rulesWindow();
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(className(rules), L"frmRules");
    expectHelpFrame(rules, layout::kRulesCaption, layout::kRulesClientArea);

    // Text1: the whole text with its CR LF line ends, read-only, scrolling, where designed, and
    // holding the focus.
    const HWND text1 = GetFocus();
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(GetParent(text1), rules);
    EXPECT_EQ(className(text1), L"Edit");
    EXPECT_EQ(windowText(text1), wide(layout::rulesText()));
    const auto textStyle = static_cast<DWORD>(GetWindowLongPtrW(text1, GWL_STYLE));
    EXPECT_NE(textStyle & ES_READONLY, 0u);
    EXPECT_NE(textStyle & ES_MULTILINE, 0u);
    EXPECT_NE(textStyle & WS_VSCROLL, 0u);
    expectPlaced(text1, layout::kRulesTextBox);
    EXPECT_EQ(fontPixels(text1), layout::scaled(layout::kRulesFont.pixelSize(), scale_));

    // The text is longer than the box; scrolled to the end, the contact line shows.
    EXPECT_EQ(SendMessageW(text1, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageW(text1, WM_VSCROLL, SB_BOTTOM, 0);
    pump();
    EXPECT_GT(SendMessageW(text1, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    const std::string text = layout::rulesText();
    const auto contactLine = text.rfind("\r\n", text.size() - 3) + 2;
    const auto where = static_cast<DWORD>(SendMessageW(text1, EM_POSFROMCHAR, contactLine, 0));
    const int contactTop = static_cast<short>(HIWORD(where));
    EXPECT_GE(contactTop, 0);
    EXPECT_LT(contactTop, clientRect(text1).bottom);

    // About on top of it; Help > Rules again brings back the same window, in front.
    help_->showAbout();
    pump();
    const HWND about = help_->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(upper(about, rules), about);
    help_->showRules();
    pump();
    EXPECT_EQ(help_->rulesWindow(), rules);
    EXPECT_EQ(upper(about, rules), rules);
    EXPECT_EQ(GetForegroundWindow(), rules);
    EXPECT_EQ(GetFocus(), text1);

    // The close box closes it; the next Help > Rules is a fresh window, scrolled to the top.
    SendMessageW(rules, WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    EXPECT_EQ(help_->rulesWindow(), nullptr);
    EXPECT_FALSE(IsWindow(rules));
    EXPECT_EQ(help_->aboutWindow(), about) << "closing Rules leaves About alone";
    help_->showRules();
    pump();
    const HWND reopened = help_->rulesWindow();
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(IsWindowVisible(reopened));
    const HWND freshText = GetFocus();
    ASSERT_NE(freshText, nullptr);
    EXPECT_EQ(GetParent(freshText), reopened);
    EXPECT_EQ(SendMessageW(freshText, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(windowText(freshText), wide(text));

    // Escape, pressed in the text box, closes the window through the message loop.
    pressKey(freshText, VK_ESCAPE);
    EXPECT_EQ(help_->rulesWindow(), nullptr);
    EXPECT_FALSE(IsWindow(reopened));
    EXPECT_TRUE(IsWindow(about));
}

TEST_F(HelpWindowsTest, AboutClosesByOkEnterSpaceEscapeAndItsCloseBox) {
    help_->showAbout();
    pump();
    HWND about = help_->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(className(about), L"frmAbout");
    expectHelpFrame(about, layout::kAboutCaption, layout::kAboutClientArea);

    // Command1: "Ok" where designed, the only control, with the focus.
    const HWND command1 = GetDlgItem(about, IDOK);
    ASSERT_NE(command1, nullptr);
    EXPECT_EQ(GetFocus(), command1);
    EXPECT_EQ(windowText(command1), wide(layout::kAboutOkCaption));
    EXPECT_EQ(GetWindow(command1, GW_HWNDNEXT), nullptr);
    expectPlaced(command1, layout::kAboutOkButton);
    EXPECT_EQ(fontPixels(command1), layout::scaled(layout::kAboutOkFont.pixelSize(), scale_));

    // Choosing About again while it is open makes no second copy.
    help_->showAbout();
    pump();
    EXPECT_EQ(help_->aboutWindow(), about);
    EXPECT_EQ(FindWindowExW(nullptr, about, L"frmAbout", nullptr), nullptr);

    // A click on Ok; Enter, Space and Escape with the focus on it; the close box. Each closes
    // the window, and the next Help > About makes a fresh one.
    const struct {
        const char* way;
        WPARAM key;  // 0: a click on Ok, 1: the close box
    } ways[] = {{"click", 0},
                {"Enter", VK_RETURN},
                {"Space", VK_SPACE},
                {"Escape", VK_ESCAPE},
                {"close box", 1}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        help_->showAbout();
        pump();
        about = help_->aboutWindow();
        ASSERT_NE(about, nullptr);
        ASSERT_EQ(GetFocus(), GetDlgItem(about, IDOK));
        if (way.key == 0) {
            SendMessageW(GetFocus(), BM_CLICK, 0, 0);
        } else if (way.key == 1) {
            SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            pressKey(GetFocus(), way.key);
        }
        pump();
        EXPECT_EQ(help_->aboutWindow(), nullptr);
        EXPECT_FALSE(IsWindow(about));
    }

    // Tab keeps the focus on the only stop and closes nothing.
    help_->showAbout();
    pump();
    about = help_->aboutWindow();
    pressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(help_->aboutWindow(), about);
    EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
}

TEST_F(HelpWindowsTest, BothShowTheTitlePictureAndGoWhenTheGameEnds) {
    // The windows' backgrounds are the title picture from the client area's top-left corner, at
    // the screen's scale (the double-size drawing from 144 dots per inch); Ok's face is a piece
    // of the middle of the same picture, the classic bitmap below 144. Read back from the
    // windows' own drawing.
    const GdiplusSession gdiplus;
    const int width = layout::scaled(pictures::kTitleWidth, scale_);
    const int height = layout::scaled(pictures::kTitleHeight, scale_);
    const Picture title = loadTitlePicture(gdiplus, instance_, dpi_);
    const Picture face = dpi_ >= kDoubleSizeDpi ? loadTitlePicture(gdiplus, instance_, dpi_)
                                                : loadTitleBitmap(instance_);
    ASSERT_TRUE(title);
    ASSERT_TRUE(face);
    const auto expectPictureAt = [&](HWND window, POINT design, const Picture& picture,
                                     POINT inPicture) {
        const POINT at{layout::scaled(static_cast<int>(design.x), scale_),
                       layout::scaled(static_cast<int>(design.y), scale_)};
        UpdateWindow(window);
        const HDC dc = GetDC(window);
        const COLORREF shown = GetPixel(dc, at.x, at.y);
        ReleaseDC(window, dc);
        EXPECT_EQ(shown, pixelDrawn(picture, width, height, inPicture.x, inPicture.y))
            << "at " << at.x << "," << at.y;
        EXPECT_NE(shown, GetSysColor(COLOR_3DFACE));
    };
    // The window's background, at points given in the window's design.
    const auto expectTitleBehind = [&](HWND window, std::initializer_list<POINT> points) {
        for (const POINT at : points) {
            expectPictureAt(window, at, title, scaledPoint(at, scale_));
        }
    };

    help_->showRules();
    pump(std::chrono::milliseconds(200));
    const HWND rules = help_->rulesWindow();
    ASSERT_NE(rules, nullptr);
    expectTitleBehind(rules, {POINT{0, 0}, POINT{300, 200}, POINT{597, 295}});

    help_->showAbout();
    pump(std::chrono::milliseconds(200));
    const HWND about = help_->aboutWindow();
    ASSERT_NE(about, nullptr);
    expectTitleBehind(about, {POINT{0, 0}, POINT{123, 45}, POINT{595, 298}});
    // Left of the caption and inside the raised edge and the focus rectangle.
    const HWND command1 = GetDlgItem(about, IDOK);
    const RECT button = clientRect(command1);
    const POINT onFace{layout::scaled(6, scale_), button.bottom - layout::scaled(5, scale_)};
    UpdateWindow(command1);
    const HDC dc = GetDC(command1);
    const COLORREF shown = GetPixel(dc, onFace.x, onFace.y);
    ReleaseDC(command1, dc);
    EXPECT_EQ(shown, pixelDrawn(face, width, height, (width - button.right) / 2 + onFace.x,
                                (height - button.bottom) / 2 + onFace.y));

    // Closing the main window closes both; so does the end of the help windows' owner.
    help_->closeAll();
    EXPECT_FALSE(IsWindow(about));
    EXPECT_FALSE(IsWindow(rules));
    EXPECT_EQ(help_->aboutWindow(), nullptr);
    EXPECT_EQ(help_->rulesWindow(), nullptr);
    help_->showAbout();
    help_->showRules();
    pump();
    const HWND lastAbout = help_->aboutWindow();
    const HWND lastRules = help_->rulesWindow();
    help_.reset();
    EXPECT_FALSE(IsWindow(lastAbout));
    EXPECT_FALSE(IsWindow(lastRules));

    // Nothing ties them to the main window: it may go first, and they are closed with the game.
    help_ = std::make_unique<HelpWindows>(instance_, owner_);
    help_->showAbout();
    help_->showRules();
    pump();
    ASSERT_NE(help_->aboutWindow(), nullptr);
    DestroyWindow(owner_);
    owner_ = nullptr;
    pump();
    const HWND leftAbout = help_->aboutWindow();
    EXPECT_TRUE(IsWindowVisible(leftAbout));
    EXPECT_TRUE(IsWindowVisible(help_->rulesWindow()));
    help_->closeAll();
    EXPECT_FALSE(IsWindow(leftAbout));
    EXPECT_EQ(help_->aboutWindow(), nullptr);
    EXPECT_EQ(help_->rulesWindow(), nullptr);
}

// A window that cannot be made: the first creation of one window class refused through a WH_CBT
// hook, and every message box that opens meanwhile noted and answered at once.
class RefusedCreation {
public:
    explicit RefusedCreation(const wchar_t* className) : className_(className) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &RefusedCreation::cbt, nullptr, GetCurrentThreadId());
    }
    ~RefusedCreation() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    RefusedCreation(const RefusedCreation&) = delete;
    RefusedCreation& operator=(const RefusedCreation&) = delete;

    std::vector<std::pair<std::wstring, HWND>> boxes;  // title and owner of each

private:
    static LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && !current_->refused_ &&
            className(window) == current_->className_) {
            current_->refused_ = true;
            return 1;
        }
        if (code == HCBT_ACTIVATE && className(window) == L"#32770") {
            current_->boxes.emplace_back(windowText(window), GetWindow(window, GW_OWNER));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline RefusedCreation* current_ = nullptr;
    std::wstring className_;
    bool refused_ = false;
    HHOOK hook_ = nullptr;
};

TEST_F(HelpWindowsTest, AWindowThatCannotBeMadeIsReportedAndTheNextTryWorks) {
    // The Rules window itself, then its text box, then the About window's Ok button.
    const struct {
        const wchar_t* refused;
        bool rules;
    } faults[] = {{L"frmRules", true}, {L"Edit", true}, {L"Button", false}};
    for (const auto& fault : faults) {
        SCOPED_TRACE(std::string(fault.refused, fault.refused + std::wcslen(fault.refused)));
        {
            // Reported to the caller, which shows its box the way it shows every box: none
            // opens here.
            const RefusedCreation refusal(fault.refused);
            EXPECT_FALSE(fault.rules ? help_->showRules() : help_->showAbout());
            pump();
            EXPECT_TRUE(refusal.boxes.empty());
        }
        EXPECT_EQ(fault.rules ? help_->rulesWindow() : help_->aboutWindow(), nullptr);
        EXPECT_EQ(FindWindowW(fault.rules ? L"frmRules" : L"frmAbout", nullptr), nullptr);
        EXPECT_TRUE(fault.rules ? help_->showRules() : help_->showAbout());
        pump();
        EXPECT_TRUE(IsWindowVisible(fault.rules ? help_->rulesWindow() : help_->aboutWindow()));
        help_->closeAll();
    }
}

}  // namespace
}  // namespace zentrix::win32

namespace zentrix::win32::testing {
namespace {

// Over the real main window, with a round running: a Rules window that cannot be made is told in
// the window's own box, shown from its queue once the menu's step is over, with the countdown
// stopped while it is open and running again after; the next try opens the window.
TEST(HelpWindowsOverForm1, AWindowThatCannotBeMadeIsToldInTheGamesOwnBox) {
    WindowBench bench;
    bench.openOnPlainDeal();
    {
        const RefusedCreation refusal(L"frmRules");
        SendMessageW(bench.window(), WM_COMMAND, MAKEWPARAM(kMenuHelpRules, 0), 0);
        EXPECT_TRUE(bench.messages.seen.empty()) << "a box inside the menu's step";
        bench.showMessages();
        EXPECT_TRUE(refusal.boxes.empty()) << "a box of the help windows' own";
    }
    ASSERT_EQ(bench.messages.texts(),
              std::vector<std::string>{"The Rules window could not be opened."});
    EXPECT_EQ(bench.messages.seen[0].title, "Zentrix");
    EXPECT_EQ(bench.messages.seen[0].style, static_cast<int>(MessageStyle::Exclamation));
    EXPECT_FALSE(bench.messages.seen[0].timer1);
    EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
    bench.menu(kMenuHelpRules);
    EXPECT_NE(bench.form().helpWindows()->rulesWindow(), nullptr);
    EXPECT_EQ(bench.messages.seen.size(), 1u);
}

// Over the real main window, with a round running: Help > Rules and Help > About open, its
// countdown goes on while the player reads, and closing it takes them along.
TEST(HelpWindowsOverForm1, TheCountdownGoesOnWhileTheyAreOpen) {
    WindowBench bench;
    bench.openOnPlainDeal();
    bench.menu(kMenuHelpRules);
    bench.menu(kMenuHelpAbout);
    HelpWindows& help = *bench.form().helpWindows();
    const HWND bar = bench.control(kProgressBarId);
    const int ticks = bench.timerTicks(controller::Timer::Countdown);
    const int secondsLeft = progressValue(bar);

    // The countdown goes on behind them: a tick of Timer1 comes and takes a second off the bar.
    EXPECT_TRUE(bench.pumpUntil([&] {
        return bench.timerTicks(controller::Timer::Countdown) - ticks >= 1 &&
               progressValue(bar) < secondsLeft;
    }));
    EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Countdown));
    EXPECT_TRUE(bench.form().timerRunning(controller::Timer::Refresh));
    // On the game's 1024 x 768 screen each lies whole on the screen, at least at its designed
    // size: on a high-DPI screen made as large as fits.
    const auto designed = [](HWND window) {
        return layout::toPixels(window == nullptr                     ? layout::TwipsRect{}
                                : GetDlgItem(window, IDOK) != nullptr ? layout::kAboutClientArea
                                                                      : layout::kRulesClientArea);
    };
    for (const HWND window : {help.aboutWindow(), help.rulesWindow()}) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetWindow(window, GW_OWNER), help.hiddenOwner());
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_GE(frame.left, monitor.rcWork.left);
        EXPECT_GE(frame.top, monitor.rcWork.top);
        EXPECT_LE(frame.right, monitor.rcWork.right);
        EXPECT_LE(frame.bottom, monitor.rcWork.bottom);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_GE(client.right, designed(window).width);
        EXPECT_GE(client.bottom, designed(window).height);
    }
    const HWND about = help.aboutWindow();
    const HWND rules = help.rulesWindow();
    SendMessageW(bench.window(), WM_CLOSE, 0, 0);
    bench.pump(std::chrono::milliseconds(100));
    EXPECT_FALSE(IsWindow(about));
    EXPECT_FALSE(IsWindow(rules));
}

}  // namespace
}  // namespace zentrix::win32::testing
