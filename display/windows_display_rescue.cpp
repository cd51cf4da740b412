#ifdef _WIN32

#include "display/windows_display_rescue.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

#include "display/windows_display_driver.h"

namespace zentrix::display {

namespace {

// How long a crash waits for the display to come back: the change takes a moment, and telling
// every window of it up to a few seconds when one of them belongs to the thread that crashed,
// which no longer answers.
constexpr DWORD kRescueWait = 5000;

std::atomic<DisplayRescue*> installed{nullptr};
std::terminate_handler previousTerminate = nullptr;
std::atomic<bool> crashing{false};
HANDLE crashed = nullptr;     // set by the first crash that claimed the mode
HANDLE restored = nullptr;    // set by the rescuer once the mode is back
DisplayMode modeToRestore{};  // written by that crash before it sets `crashed`

DWORD WINAPI rescuer(void*) {
    if (WaitForSingleObject(crashed, INFINITE) == WAIT_OBJECT_0) {
        changeModeTemporarilyTo(modeToRestore);
        SetEvent(restored);
    }
    return 0;
}

// The display put back by the rescuer, if the rescue is armed, once for the whole process; a
// crash on another thread meanwhile waits for it.
void putDisplayBack() noexcept {
    if (crashing.exchange(true)) {
        WaitForSingleObject(restored, kRescueWait);
        return;
    }
    DisplayRescue* rescue = installed.load();
    if (rescue == nullptr || restored == nullptr) {
        return;
    }
    if (const std::optional<DisplayMode> mode = rescue->claim()) {
        modeToRestore = *mode;
        if (SetEvent(crashed)) {
            WaitForSingleObject(restored, kRescueWait);
        }
    }
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception) {
    endInACrash(exception->ExceptionRecord->ExceptionCode);
}

[[noreturn]] void onTerminate() {
    putDisplayBack();
    if (previousTerminate != nullptr) {
        previousTerminate();
    }
    std::abort();
}

}  // namespace

void endInACrash(unsigned long status) noexcept {
    putDisplayBack();
    TerminateProcess(GetCurrentProcess(), status);
    for (;;) {
        Sleep(INFINITE);  // the process is ending
    }
}

bool crashInProgress() noexcept {
    return crashing.load();
}

void installDisplayRescue(DisplayRescue& rescue) {
    DisplayRescue* none = nullptr;
    if (!installed.compare_exchange_strong(none, &rescue)) {
        return;
    }
    crashed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    restored = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE thread = crashed != nullptr && restored != nullptr
                              ? CreateThread(nullptr, 0, &rescuer, nullptr, 0, nullptr)
                              : nullptr;
    if (thread != nullptr) {
        CloseHandle(thread);
    } else {
        restored = nullptr;  // no rescuer: a crash leaves the display to the system
    }
    SetUnhandledExceptionFilter(&onUnhandledException);
    previousTerminate = std::set_terminate(&onTerminate);
}

}  // namespace zentrix::display

#endif  // _WIN32
