#include "ui/win32/one_game.h"

// The process snapshots need windows.h first.
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "ui/win32/form1.h"

namespace zentrix::win32 {

namespace {

constexpr DWORD kStep = 100;  // milliseconds between looks for the other game's window

// The full path of the program `process` runs, empty when it cannot be told.
std::wstring programOf(HANDLE process) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        auto size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
            path.resize(size);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

bool samePath(const std::wstring& one, const std::wstring& other) {
    return !one.empty() &&
           CompareStringOrdinal(one.c_str(), static_cast<int>(one.size()), other.c_str(),
                                static_cast<int>(other.size()), TRUE) == CSTR_EQUAL;
}

// The other processes of the session that run this very program.
std::vector<DWORD> otherCopies() {
    std::vector<DWORD> copies;
    const std::wstring ours = programOf(GetCurrentProcess());
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (ours.empty() || snapshot.get() == INVALID_HANDLE_VALUE) {
        return copies;
    }
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        DWORD theirs = 0;
        if (entry.th32ProcessID == GetCurrentProcessId() ||
            !ProcessIdToSessionId(entry.th32ProcessID, &theirs) || theirs != session) {
            continue;
        }
        const UniqueHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (process && samePath(programOf(process.get()), ours)) {
            copies.push_back(entry.th32ProcessID);
        }
    }
    return copies;
}

struct WindowSearch {
    const std::vector<DWORD>* processes;
    HWND main = nullptr;  // the game's main window
    HWND any = nullptr;   // any other window shown, such as a box before the main window
};

BOOL CALLBACK lookAt(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (!IsWindowVisible(window) || std::find(search.processes->begin(), search.processes->end(),
                                              owner) == search.processes->end()) {
        return TRUE;
    }
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) == kForm1Class) {
        search.main = window;
        return FALSE;
    }
    if (search.any == nullptr) {
        search.any = window;
    }
    return TRUE;
}

// A window shown by one of `processes`, the game's main window first; null if none.
HWND windowOf(const std::vector<DWORD>& processes) {
    WindowSearch search{&processes};
    EnumWindows(&lookAt, reinterpret_cast<LPARAM>(&search));
    return search.main != nullptr ? search.main : search.any;
}

void bringToFront(HWND window) {
    if (IsIconic(window)) {
        ShowWindowAsync(window, SW_RESTORE);  // a game that does not answer does not hold us up
    }
    // The window the player used last: the game's, or a box or help window it owns.
    const HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup != nullptr ? popup : window);
}

}  // namespace

OneGameLock::OneGameLock(DWORD patience) : mutex_(CreateMutexW(nullptr, FALSE, kOneGameMutex)) {
    if (!mutex_) {
        held_ = true;  // nothing can tell another game from none: play
        return;
    }
    const auto taken = [](DWORD result) {
        return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    };
    const DWORD first = WaitForSingleObject(mutex_.get(), 0);
    if (taken(first)) {
        held_ = true;
        playing_ = GlobalFindAtomW(kOneGamePlaying);
        abandoned_ = first == WAIT_ABANDONED || playing_ != 0;
        if (playing_ == 0) {
            playing_ = GlobalAddAtomW(kOneGamePlaying);
        }
        return;
    }
    // This copy never plays, even should the other game end meanwhile: it might then read the
    // display's mode while that game was still putting its own back. Each look starts with the
    // lock seen held.
    for (const ULONGLONG start = GetTickCount64(); GetTickCount64() - start < patience;) {
        const std::vector<DWORD> copies = otherCopies();
        if (const HWND running = windowOf(copies)) {
            bringToFront(running);
            return;
        }
        if (copies.empty()) {
            // No copy of the game: either the holder has just ended, or it is no game at all.
            if (taken(WaitForSingleObject(mutex_.get(), 0))) {
                ReleaseMutex(mutex_.get());
            } else {
                heldByAnotherProgram_ = true;
            }
            return;
        }
        if (taken(WaitForSingleObject(mutex_.get(), kStep))) {
            ReleaseMutex(mutex_.get());  // the other game has ended
            return;
        }
    }
}

OneGameLock::~OneGameLock() {
    if (held_ && mutex_) {
        if (playing_ != 0) {
            GlobalDeleteAtom(playing_);
        }
        ReleaseMutex(mutex_.get());
    }
}

}  // namespace zentrix::win32
