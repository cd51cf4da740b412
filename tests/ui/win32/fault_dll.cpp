// Loaded into a running game by the crash tests' window hook (process_test.cpp). Sent
// "zentrix-test-fault", the hook hands the game's window procedure a WM_DRAWITEM whose record lies
// where nothing is mapped (wParam 2: with the heap locked first; 3: instead a WM_PAINT with the
// stack all but used up, so that the game's painting overflows it), and sets the test's event
// should any message reach the game's windows after that.
#include <windows.h>

namespace {

HANDLE ranAfterFault = nullptr;
volatile bool faulted = false;
WNDPROC gameProcedure = nullptr;

WNDPROC procedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

ULONG_PTR stackBottom = 0;
// What is left of the stack above its guard pages when the game paints: more than calling its
// window procedure takes, less than its painting takes before it calls into the system. Wine
// ignores a fault inside a call back from the system; a test that finds the game going on after
// the fault means this no longer lies between the two.
constexpr ULONG_PTR kLeft = 1280;

// Goes deeper into the stack until only kLeft bytes are left above its guard pages, then paints
// the game's window there.
LRESULT paintDeep(HWND window) {
    volatile char room[256];
    room[0] = 1;
    if (reinterpret_cast<ULONG_PTR>(&room[0]) - stackBottom < 2 * 4096 + kLeft) {
        return CallWindowProcW(gameProcedure, window, WM_PAINT, 0, 0);
    }
    return paintDeep(window) + room[0];
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    zentrixFaultHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (faulted) {
        SetEvent(ranAfterFault);
    } else if (code == HC_ACTION &&
               sent->message == RegisterWindowMessageW(L"zentrix-test-fault")) {
        ranAfterFault =
            OpenEventW(EVENT_MODIFY_STATE, FALSE, L"Local\\zentrix-test-ran-after-fault");
        if (sent->wParam == 2) {
            HeapLock(GetProcessHeap());
        }
        faulted = true;
        if (sent->wParam == 3) {
            gameProcedure = procedureOf(sent->hwnd);
            ULONG_PTR top = 0;
            GetCurrentThreadStackLimits(&stackBottom, &top);
            RedrawWindow(sent->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
            return paintDeep(sent->hwnd);
        }
        return CallWindowProcW(procedureOf(sent->hwnd), sent->hwnd, WM_DRAWITEM, 0, 0x10);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
