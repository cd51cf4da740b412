#ifdef _WIN32

#include "display/windows_display_rescue.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

#include "display/windows_display_driver.h"

namespace zentrix::display {

namespace {

std::atomic<DisplayRescue*> installed{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

// The mode claimed from the installed rescue, if it is armed, put back.
void putDisplayBack() noexcept {
    DisplayRescue* rescue = installed.load();
    if (rescue == nullptr) {
        return;
    }
    if (const std::optional<DisplayMode> mode = rescue->claim()) {
        changeModeTemporarilyTo(*mode);
    }
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception) {
    putDisplayBack();
    return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void onTerminate() {
    putDisplayBack();
    if (previousTerminate != nullptr) {
        previousTerminate();
    }
    std::abort();
}

}  // namespace

void installDisplayRescue(DisplayRescue& rescue) {
    DisplayRescue* none = nullptr;
    if (!installed.compare_exchange_strong(none, &rescue)) {
        return;
    }
    previousFilter = SetUnhandledExceptionFilter(&onUnhandledException);
    previousTerminate = std::set_terminate(&onTerminate);
}

}  // namespace zentrix::display

#endif  // _WIN32
