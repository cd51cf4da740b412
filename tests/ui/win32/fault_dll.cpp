// A fault inside a running game's main window procedure, for the crash tests (process_test.cpp).
// The test hooks the game's window thread with zentrixFaultHook (WH_CALLWNDPROC), which loads
// this DLL into the game; sending the window kFaultMessage with wParam kWrap then wraps the
// window's procedure, and sending it again with a kind of fault has the wrapper hand the game's
// procedure a WM_DRAWITEM whose record lies where nothing is mapped, on the window's own thread:
// the game faults reading it. The wrapper sees every later message to the window: one that comes
// after the fault sets the event kRanAfterFault. Nothing of this is in the game.
#include <windows.h>

namespace {

constexpr const wchar_t* kFaultMessage = L"zentrix-test-fault";
constexpr const wchar_t* kRanAfterFault = L"Local\\zentrix-test-ran-after-fault";
enum Fault : WPARAM { kWrap, kAccessViolation, kHeapLocked, kStackNearlyUsedUp };

WNDPROC gameProcedure = nullptr;
HANDLE ranAfterFault = nullptr;
volatile bool faulted = false;
constexpr LPARAM kNowhere = 0x10;

LRESULT fault(HWND window) {
    faulted = true;
    return CallWindowProcW(gameProcedure, window, WM_DRAWITEM, 0, kNowhere);
}

// Uses up the stack a page at a time, until less than `left` bytes of it remain, then faults.
LRESULT faultDeep(HWND window, SIZE_T left) {
    volatile char page[4096];
    page[0] = 1;
    MEMORY_BASIC_INFORMATION stack{};
    VirtualQuery(const_cast<char*>(page), &stack, sizeof stack);
    if (static_cast<SIZE_T>(page - static_cast<volatile char*>(stack.AllocationBase)) < left) {
        return fault(window);
    }
    return faultDeep(window, left) + page[0];
}

LRESULT CALLBACK faultingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (faulted) {
        SetEvent(ranAfterFault);
    } else if (message == RegisterWindowMessageW(kFaultMessage) && wParam != kWrap) {
        if (wParam == kHeapLocked) {
            HeapLock(GetProcessHeap());
        }
        return wParam == kStackNearlyUsedUp ? faultDeep(window, 32 * 1024) : fault(window);
    }
    return CallWindowProcW(gameProcedure, window, message, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    zentrixFaultHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && gameProcedure == nullptr && sent->wParam == kWrap &&
        sent->message == RegisterWindowMessageW(kFaultMessage)) {
        ranAfterFault = CreateEventW(nullptr, TRUE, FALSE, kRanAfterFault);
        gameProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            sent->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&faultingProcedure)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
