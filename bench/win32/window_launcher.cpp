// Starts Windows programs as a player would and watches them from outside, so that the game and
// a minimal window are measured the same way with nothing added to either:
//
//   window_launcher startup RUNS GAME.exe MINIMAL.exe [OTHER.exe ...]
//       starts them in turn (the minimal window, the game, then any others), RUNS times each, and
//       prints "startup <name> <ms>" for every run: the time from asking Windows to start the
//       program to its first window being shown and painted (visible, with nothing left to
//       paint).
//   window_launcher idle SECONDS PROGRAM.exe
//       starts the program, waits for its painted window, chooses File > New where the window
//       has it (a round then runs with nobody at the mouse), prints "ready <pid>" and, SECONDS
//       later, closes it. The CPU it uses meanwhile is read from outside (bench/win32-performance).
//
// Every program is closed as a player closes it (WM_CLOSE to its window), so the game restores
// the display as it does on any way out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double milliseconds = 0.0;
};

double now() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

struct Search {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK noteVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's first shown top-level window once it has been painted: Windows keeps a window's
// region still to be painted until the program has drawn it.
HWND paintedWindow(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(&noteVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr || GetUpdateRect(search.found, nullptr, FALSE)) {
        return nullptr;
    }
    return search.found;
}

bool start(const wchar_t* program, Started& started) {
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    const double begin = now();
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started.process)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program, GetLastError());
        return false;
    }
    const double deadline = begin + 60000.0;
    while ((started.window = paintedWindow(started.process.dwProcessId)) == nullptr) {
        if (now() > deadline || WaitForSingleObject(started.process.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls showed no painted window\n", program);
            return false;
        }
        Sleep(1);
    }
    started.milliseconds = now() - begin;
    return true;
}

void finish(Started& started) {
    if (started.process.hProcess == nullptr) {
        return;  // it never started
    }
    if (started.window != nullptr) {
        PostMessageW(started.window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(started.process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 1);
        WaitForSingleObject(started.process.hProcess, 5000);
    }
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

// The command of the menu item captioned `caption` anywhere under the window's menu bar; 0 when
// there is none.
UINT menuCommand(HWND window, const wchar_t* caption) {
    const HMENU bar = GetMenu(window);
    for (int i = 0; bar != nullptr && i < GetMenuItemCount(bar); ++i) {
        const HMENU menu = GetSubMenu(bar, i);
        for (int j = 0; menu != nullptr && j < GetMenuItemCount(menu); ++j) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(j), text, 64, MF_BYPOSITION);
            if (std::wcscmp(text, caption) == 0) {
                return GetMenuItemID(menu, j);
            }
        }
    }
    return 0;
}

const wchar_t* nameOf(const wchar_t* program) {
    const wchar_t* slash = std::wcsrchr(program, L'\\');
    const wchar_t* other = std::wcsrchr(program, L'/');
    if (other != nullptr && (slash == nullptr || other > slash)) {
        slash = other;
    }
    return slash != nullptr ? slash + 1 : program;
}

int startupRuns(int runs, const std::vector<const wchar_t*>& programs) {
    for (int run = 0; run < runs; ++run) {
        for (const wchar_t* program : programs) {
            Started started;
            if (!start(program, started)) {
                finish(started);
                return 1;
            }
            finish(started);
            std::printf("startup %ls %.1f\n", nameOf(program), started.milliseconds);
            std::fflush(stdout);
        }
    }
    return 0;
}

int idle(int seconds, const wchar_t* program) {
    Started started;
    if (!start(program, started)) {
        finish(started);
        return 1;
    }
    if (const UINT newGame = menuCommand(started.window, L"New"); newGame != 0) {
        PostMessageW(started.window, WM_COMMAND, newGame, 0);
    }
    // A second to settle, then the outside reading begins.
    Sleep(1000);
    std::printf("ready %lu\n", started.process.dwProcessId);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000 + 500);
    finish(started);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 5 && std::wcscmp(argv[1], L"startup") == 0) {
        std::vector<const wchar_t*> programs{argv[4], argv[3]};
        programs.insert(programs.end(), argv + 5, argv + argc);
        return startupRuns(static_cast<int>(std::wcstol(argv[2], nullptr, 10)), programs);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"idle") == 0) {
        return idle(static_cast<int>(std::wcstol(argv[2], nullptr, 10)), argv[3]);
    }
    std::fprintf(stderr,
                 "usage: window_launcher startup RUNS GAME.exe MINIMAL.exe [OTHER.exe ...]\n"
                 "       window_launcher idle SECONDS PROGRAM.exe\n");
    return 2;
}
