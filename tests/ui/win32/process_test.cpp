// zentrix.exe as a process of its own, started the way a player starts it: a crash inside it,
// two copies started, and a stranger's DLLs beside it; and std::terminate in a program with the
// game's display rescue.
//
// Usage: zentrix_win32_process_tests ZENTRIX_EXE PLANTED_DLL FAULT_DLL (Unix paths are taken as
// Wine's Z: drive), or with --terminate-while-switched alone as the child of the terminate test.
// PLANTED_DLL is planted_dll.cpp built: loaded, it leaves "<its path>.loaded". FAULT_DLL is
// fault_dll.cpp built.
#include <gtest/gtest.h>
#include <windows.h>
// The module snapshots need windows.h first.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/display_rescue.h"
#include "display/display_session.h"
#include "display/windows_display_driver.h"
#include "display/windows_display_rescue.h"
#include "tests/wine_paths.h"
#include "ui/win32/form1.h"
#include "ui/win32/handles.h"
#include "ui/win32/one_game.h"
#include "ui/win32/text.h"

namespace zentrix::win32::testing {
namespace {

std::wstring gamePath;
std::wstring plantedDllPath;
std::wstring faultDllPath;

// The help windows' classes (help_windows.cpp).
constexpr const wchar_t* kAboutClass = L"frmAbout";
constexpr const wchar_t* kRulesClass = L"frmRules";

using zentrix::testing::lower;

std::wstring windowsPath(const char* path) {
    return zentrix::testing::onWineDrive(widen(path));
}

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The display's width and height now.
using ScreenSize = std::pair<DWORD, DWORD>;
constexpr ScreenSize kGameScreen{1024, 768};

ScreenSize screenSize() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    EXPECT_NE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode), FALSE);
    return {mode.dmPelsWidth, mode.dmPelsHeight};
}

// How long a test waits for the game to do what it will do, and then only to end a game that
// hangs before the test's own time runs out: never a deadline the game could miss on a busy
// machine.
constexpr DWORD kHangGuard = 120000;

// Polls `done` every 50 ms for up to `limit` milliseconds.
template <typename Done>
bool waitUntil(Done done, DWORD limit = kHangGuard) {
    for (DWORD waited = 0; !done(); waited += 50) {
        if (waited >= limit) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

// One run of the game. The destructor closes it once it has shown its window (or ends), and
// waits for it to end: a game killed would leave the display at its mode. Only a game that hangs
// is killed.
class GameProcess {
public:
    // Returns once the game has shown its window or ended, unless told not to wait.
    explicit GameProcess(const std::wstring& program, bool waitForWindow = true) {
        std::wstring command = L"\"" + program + L"\"";
        // Its output, and a crash report on it, go nowhere.
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        nowhere_ = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherited, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = nowhere_;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &info_)) {
            ADD_FAILURE() << "could not start " << narrow(program) << ": " << GetLastError();
            return;
        }
        if (waitForWindow) {
            waitForWindowOrEnd();
        }
    }
    ~GameProcess() {
        if (nowhere_ != INVALID_HANDLE_VALUE) {
            CloseHandle(nowhere_);
        }
        if (info_.hProcess == nullptr) {
            return;
        }
        waitForWindowOrEnd();
        if (!ended() && window_ != nullptr) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        if (!waitForExit(kHangGuard)) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 10000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    void waitForWindowOrEnd() {
        waitUntil([this] {
            return ended() || (window_ != nullptr && IsWindow(window_)) ||
                   (window_ = topWindow(kForm1Class)) != nullptr;
        });
    }
    HANDLE process() const { return info_.hProcess; }
    // The main window, once shown; null if it never was.
    HWND window() const { return window_; }
    bool ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    bool waitForExit(DWORD limit = kHangGuard) const {
        return WaitForSingleObject(info_.hProcess, limit) == WAIT_OBJECT_0;
    }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

    // A visible top-level window of class `className` that belongs to the game.
    HWND topWindow(const wchar_t* className) const {
        Search search{info_.dwProcessId, className, nullptr};
        EnumWindows(&GameProcess::found, reinterpret_cast<LPARAM>(&search));
        return search.window;
    }

    // The full paths of the DLLs (and the program) loaded in the game now, in lower case.
    std::vector<std::wstring> modules() const {
        std::vector<std::wstring> paths;
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, info_.dwProcessId);
        if (snapshot == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "no module snapshot of the game: " << GetLastError();
            return paths;
        }
        MODULEENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Module32FirstW(snapshot, &entry); more;
             more = Module32NextW(snapshot, &entry)) {
            paths.push_back(lower(entry.szExePath));
        }
        CloseHandle(snapshot);
        return paths;
    }

private:
    struct Search {
        DWORD process;
        const wchar_t* className;
        HWND window;
    };
    static BOOL CALLBACK found(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == search->process && IsWindowVisible(window) &&
            std::wstring_view(name) == search->className) {
            search->window = window;
            return FALSE;
        }
        return TRUE;
    }

    HANDLE nowhere_ = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// An access violation on a thread of the game's own, as a fault in the game or in a DLL it
// loaded would raise: the game dies, and the display is as it was before it started.
TEST(Win32Process, ACrashInsideTheGamePutsTheDisplayBack) {
    // Seen from another process, Wine's virtual desktop tells its size; its colour depth stays
    // what the desktop was made with.
    const ScreenSize before = screenSize();
    ASSERT_NE(before, kGameScreen);
    GameProcess game(gamePath);
    ASSERT_NE(game.window(), nullptr) << "the game showed no window";
    ASSERT_EQ(screenSize(), kGameScreen);

    // A thread started in the game at an address where nothing is mapped.
    const auto nowhere = reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<ULONG_PTR>(0x10));
    const HANDLE thread =
        CreateRemoteThread(game.process(), nullptr, 0, nowhere, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr) << "no thread in the game: " << GetLastError();
    CloseHandle(thread);
    ASSERT_TRUE(game.waitForExit()) << "the game did not die of the access violation";
    EXPECT_EQ(game.exitCode(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(screenSize(), before) << "the display was left at the game's mode";
}

// A fault inside the main window's procedure, on the window's own thread, while it handles a
// message another program sent, as fault_dll.cpp makes it (2: with the heap locked; 3: the stack
// overflowing): the game dies with the fault's status, the display is as it was, and no message
// reaches its windows after it.
class Win32ProcessWindowFault : public ::testing::TestWithParam<WPARAM> {};

TEST_P(Win32ProcessWindowFault, PutsTheDisplayBackAndEndsWithTheFaultsStatus) {
    const ScreenSize before = screenSize();
    GameProcess game(gamePath);
    ASSERT_NE(game.window(), nullptr) << "the game showed no window";
    const UniqueHandle ranAfterFault(
        CreateEventW(nullptr, TRUE, FALSE, L"Local\\zentrix-test-ran-after-fault"));
    ResetEvent(ranAfterFault.get());
    const HMODULE dll = LoadLibraryW(faultDllPath.c_str());
    const auto hookProcedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(dll, "zentrixFaultHook")));
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProcedure, dll,
                                         GetWindowThreadProcessId(game.window(), nullptr));
    ASSERT_NE(hook, nullptr) << GetLastError();
    SendNotifyMessageW(game.window(), RegisterWindowMessageW(L"zentrix-test-fault"), GetParam(), 0);
    const bool died = game.waitForExit();
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(died) << "the game went on after the fault";
    EXPECT_EQ(game.exitCode(), static_cast<DWORD>(GetParam() == 3 ? EXCEPTION_STACK_OVERFLOW
                                                                  : EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(screenSize(), before) << "the display was left at the game's mode";
    EXPECT_EQ(WaitForSingleObject(ranAfterFault.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "a window procedure ran after the fault";
}

INSTANTIATE_TEST_SUITE_P(Faults, Win32ProcessWindowFault, ::testing::Values(1, 2, 3));

// Two starts at once, as a double click too many: one game, and the other copy ends with no
// window of its own. Started again while the game is minimised: the game is back in front. Closed
// and started again at once: the new copy finds the game on its way out (and leaves it to end) or
// gone (and plays). Whichever ends when, the display is as it was once all have ended.
TEST(Win32Process, OneGameAtATime) {
    const ScreenSize before = screenSize();
    {
        GameProcess one(gamePath, false);
        GameProcess other(gamePath, false);
        one.waitForWindowOrEnd();
        other.waitForWindowOrEnd();
        ASSERT_NE(one.window() == nullptr, other.window() == nullptr) << "not one game";
        GameProcess& game = one.window() != nullptr ? one : other;
        for (GameProcess* gone : {&one, &other}) {
            EXPECT_TRUE(gone == &game || (gone->waitForExit() && gone->exitCode() == 0));
        }
        ShowWindow(game.window(), SW_MINIMIZE);
        ASSERT_TRUE(waitUntil([&] { return IsIconic(game.window()) != FALSE; }));
        GameProcess second(gamePath);
        EXPECT_TRUE(second.waitForExit() && second.exitCode() == 0 && !second.window());
        EXPECT_EQ(screenSize(), kGameScreen);
        EXPECT_TRUE(waitUntil([&] {
            return GetForegroundWindow() == game.window() && !IsIconic(game.window());
        })) << "the game was not brought back to the front";
        PostMessageW(game.window(), WM_CLOSE, 0, 0);
        GameProcess again(gamePath);
        EXPECT_TRUE(game.waitForExit());
    }
    EXPECT_EQ(screenSize(), before) << "the display was left at the game's mode";
}

// The test program again as a child of a test, told what to do by one argument: as a game that
// ends while the display is switched, through std::terminate with the game's display rescue
// installed, or killed while it holds the one-game lock, which no rescue survives.
constexpr const char* kTerminateWhileSwitched = "--terminate-while-switched";
constexpr const char* kKilledHoldingTheLock = "--killed-holding-the-lock";
constexpr DWORD kKilled = 9;

class NoMessages final : public display::DisplayMessages {
public:
    void showDisplayMessage(std::string_view, std::string_view,
                            display::DisplayMessageStyle) override {}
};

// The child: the display switched as the game switches it, then ended as `how` says. Exits 5
// instead if the display could not be switched.
int switchAndEnd(std::string_view how) {
    static display::DisplayRescue rescue;
    const bool killed = how == kKilledHoldingTheLock;
    const std::optional<OneGameLock> lock =
        killed ? std::optional<OneGameLock>(std::in_place) : std::nullopt;
    if (!killed) {
        display::installDisplayRescue(rescue);
    }
    display::WindowsDisplayDriver driver;
    NoMessages messages;
    display::DisplaySession session(driver, messages, killed ? nullptr : &rescue);
    session.start();
    if (session.switchResult() != display::kChangeSuccessful || (killed && !lock->held())) {
        return 5;
    }
    if (killed) {
        TerminateProcess(GetCurrentProcess(), kKilled);
    }
    std::terminate();
}

// Runs the test program as the child `how`; returns its exit status.
DWORD runChild(const char* how) {
    wchar_t self[MAX_PATH] = {};
    EXPECT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + widen(how);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child)) {
        ADD_FAILURE() << "could not start the child: " << GetLastError();
        return STILL_ACTIVE;
    }
    if (WaitForSingleObject(child.hProcess, kHangGuard) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the child did not end";
        TerminateProcess(child.hProcess, 1);
    }
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return status;
}

TEST(Win32Process, TerminateWhileSwitchedPutsTheDisplayBack) {
    const ScreenSize before = screenSize();
    ASSERT_NE(before, kGameScreen);
    EXPECT_EQ(runChild(kTerminateWhileSwitched), 3u)
        << "the child did not end in abort()";  // 5: it never switched
    EXPECT_EQ(screenSize(), before) << "the display was left at the game's mode";
}

// A game killed at its own mode, with the lock held (Wine, unlike Windows, leaves a killed
// program's mode in force): the next start plays, and puts the desktop's mode back when it ends,
// not the mode it found.
TEST(Win32Process, AfterAGameKilledAtItsModeTheNextPutsTheDesktopsModeBack) {
    const ScreenSize before = screenSize();
    ASSERT_NE(before, kGameScreen);
    // Whatever happens, the tests after this one start from the desktop's mode.
    struct DesktopsModeBack {
        ~DesktopsModeBack() { ChangeDisplaySettingsW(nullptr, 0); }
    } desktopsModeBack;
    ASSERT_EQ(runChild(kKilledHoldingTheLock), kKilled);
    ASSERT_EQ(screenSize(), kGameScreen) << "the killed game's mode did not stay";
    {
        GameProcess game(gamePath);
        ASSERT_NE(game.window(), nullptr) << "the game showed no window";
        EXPECT_EQ(screenSize(), kGameScreen);
    }
    EXPECT_EQ(screenSize(), before) << "the display was left at the game's mode";
}

BOOL CALLBACK addText(HWND control, LPARAM texts) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    *reinterpret_cast<std::string*>(texts) += narrow(text) + "\n";
    return TRUE;
}

// The texts of a message box's controls, one after another.
std::string textsOf(HWND box) {
    std::string texts;
    EnumChildWindows(box, &addText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Another program of the session: a thread of the test that holds the one-game lock and shows a
// window of the game's class, minimised, until the stranger goes.
class Stranger {
public:
    Stranger() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_.reset(CreateThread(nullptr, 0, &Stranger::run, this, 0, &threadId_));
        EXPECT_EQ(WaitForSingleObject(ready_.get(), kHangGuard), WAIT_OBJECT_0);
    }
    ~Stranger() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.get(), kHangGuard);
    }
    Stranger(const Stranger&) = delete;
    Stranger& operator=(const Stranger&) = delete;

    HWND window() const { return window_; }

private:
    static DWORD WINAPI run(void* context) {
        auto& self = *static_cast<Stranger*>(context);
        const UniqueHandle lock(CreateMutexW(nullptr, TRUE, kOneGameMutex));
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kForm1Class;
        RegisterClassW(&windowClass);
        self.window_ = CreateWindowW(kForm1Class, L"Zentrix", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
        ShowWindow(self.window_, SW_SHOWMINNOACTIVE);
        SetEvent(self.ready_.get());
        MSG message{};
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        DestroyWindow(self.window_);
        ReleaseMutex(lock.get());
        return 0;
    }

    UniqueHandle ready_;
    UniqueHandle thread_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

// Another program holds the one-game lock and shows a window of the game's class, minimised: the
// game brings that window nowhere, switches nothing, tells the player and ends with a failure
// once the box is closed.
TEST(Win32Process, AStrangerHoldingTheLockIsToldOfAndNeverBroughtForward) {
    const ScreenSize before = screenSize();
    const Stranger stranger;
    ASSERT_TRUE(IsIconic(stranger.window()));
    {
        GameProcess game(gamePath, false);
        HWND box = nullptr;
        ASSERT_TRUE(waitUntil([&] { return game.ended() || (box = game.topWindow(L"#32770")); }));
        ASSERT_NE(box, nullptr) << "the game ended untold, status " << game.exitCode();
        EXPECT_NE(textsOf(box).find(kLockHeldByAnotherProgram), std::string::npos) << textsOf(box);
        EXPECT_EQ(screenSize(), before) << "the display was switched";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(game.waitForExit());
        EXPECT_EQ(game.exitCode(), 1u);
        EXPECT_EQ(game.window(), nullptr);
    }
    EXPECT_TRUE(IsIconic(stranger.window())) << "the stranger's window was brought forward";
}

// A folder the test deletes again, with what it holds.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"zentrix-planted-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::wstring& file : files_) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    // Copies `from` into the folder as `name`; returns the copy's path.
    std::wstring copy(const std::wstring& from, const std::wstring& name) {
        const std::wstring to = path_ + L"\\" + name;
        EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE))
            << narrow(from) << " -> " << narrow(to) << ": " << GetLastError();
        files_.push_back(to);
        files_.push_back(to + L".loaded");
        return to;
    }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

// A zip unpacked into Downloads with a gdiplus.dll and an oleacc.dll planted in it: Rules, About
// and a screen reader's questions load the system's copies of GDI+ and the accessibility
// libraries, never the ones beside the program.
TEST(Win32Process, DllsBesideTheProgramAreNeverLoaded) {
    ScratchFolder folder;
    // The planted DLL leaves its mark when it is loaded: seen here under a name of no system DLL.
    {
        const std::wstring control = folder.copy(plantedDllPath, L"control.dll");
        const HMODULE loaded = LoadLibraryW(control.c_str());
        ASSERT_NE(loaded, nullptr) << GetLastError();
        FreeLibrary(loaded);
        ASSERT_TRUE(fileExists(control + L".loaded")) << "the planted DLL leaves no mark";
    }
    const std::wstring program = folder.copy(gamePath, L"zentrix.exe");
    const std::wstring planted[] = {folder.copy(plantedDllPath, L"gdiplus.dll"),
                                    folder.copy(plantedDllPath, L"oleacc.dll")};
    // Wine prefers its own copies of these to any other file of the name: only told to prefer a
    // native one (WINEDLLOVERRIDES, which tools/wine-run --dll-overrides sets for us and the game)
    // does it take one beside the program, as Windows does, wherever the program's search order
    // reaches it.
    if (runningUnderWine()) {
        wchar_t overrides[1024] = {};
        GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
        ASSERT_NE(std::wstring_view(overrides).find(L"gdiplus,oleacc=n,b"), std::wstring_view::npos)
            << "run under tools/wine-run --dll-overrides gdiplus,oleacc=n,b";
    }

    GameProcess game(program);
    ASSERT_NE(game.window(), nullptr) << "the game showed no window";

    // Help > Rules and Help > About, each drawn on the title picture GDI+ decodes.
    for (const auto& [command, className] :
         {std::pair{kMenuHelpRules, kRulesClass}, std::pair{kMenuHelpAbout, kAboutClass}}) {
        PostMessageW(game.window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        EXPECT_TRUE(waitUntil([&] { return game.topWindow(className) != nullptr; }))
            << narrow(className) << " did not open";
    }
    // A screen reader asks a ball and a label what they are.
    for (const int id : {kFirstBallBoxId + 20, kFirstLabelId}) {
        DWORD_PTR answer = 0;
        const LRESULT sent =
            SendMessageTimeoutW(GetDlgItem(game.window(), id), WM_GETOBJECT, 0, OBJID_CLIENT,
                                SMTO_ABORTIFHUNG, kHangGuard, &answer);
        EXPECT_NE(sent, 0) << "control " << id << " did not answer";
        EXPECT_NE(answer, 0u) << "control " << id << " gave the screen reader nothing";
    }

    // The system's copies were loaded, and nothing from the program's folder but the program.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::vector<std::wstring> modules = game.modules();
    for (const std::wstring name : {L"\\gdiplus.dll", L"\\oleacc.dll"}) {
        EXPECT_NE(std::find(modules.begin(), modules.end(), lower(system + name)), modules.end())
            << "the system's" << narrow(name) << " was not loaded";
    }
    const std::wstring here = lower(folder.path() + L"\\");
    for (const std::wstring& module : modules) {
        if (module.starts_with(here)) {
            EXPECT_EQ(module, lower(program)) << "loaded from beside the program";
        }
    }
    for (const std::wstring& dll : planted) {
        EXPECT_FALSE(fileExists(dll + L".loaded")) << narrow(dll) << " was loaded into the game";
    }
}

}  // namespace
}  // namespace zentrix::win32::testing

int main(int argc, char** argv) {
    using namespace zentrix::win32::testing;
    if (argc == 2 && (std::string_view(argv[1]) == kTerminateWhileSwitched ||
                      std::string_view(argv[1]) == kKilledHoldingTheLock)) {
        return switchAndEnd(argv[1]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: zentrix_win32_process_tests ZENTRIX_EXE PLANTED_DLL FAULT_DLL\n");
        return 2;
    }
    zentrix::win32::testing::gamePath = zentrix::win32::testing::windowsPath(argv[1]);
    zentrix::win32::testing::plantedDllPath = zentrix::win32::testing::windowsPath(argv[2]);
    zentrix::win32::testing::faultDllPath = zentrix::win32::testing::windowsPath(argv[3]);
    return RUN_ALL_TESTS();
}
