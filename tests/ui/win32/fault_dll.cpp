// Loaded into a running game by the crash tests' window hook (process_test.cpp). Sent
// "zentrix-test-fault", the hook hands the game's window procedure a WM_DRAWITEM whose record lies
// where nothing is mapped (wParam 2: with the heap locked; 3: with all but 32 KiB of the stack
// used), and sets the test's event should any message reach the game's windows after that.
#include <windows.h>

namespace {

HANDLE ranAfterFault = nullptr;
volatile bool faulted = false;

LRESULT fault(HWND window, WPARAM kind) {
    if (kind == 2) {
        HeapLock(GetProcessHeap());
    }
    faulted = true;
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    return CallWindowProcW(procedure, window, WM_DRAWITEM, 0, 0x10);
}

LRESULT faultDeep(HWND window) {
    volatile char page[4096];
    page[0] = 1;
    MEMORY_BASIC_INFORMATION stack{};
    VirtualQuery(const_cast<char*>(page), &stack, sizeof stack);
    if (page - static_cast<volatile char*>(stack.AllocationBase) < 32 * 1024) {
        return fault(window, 3);
    }
    return faultDeep(window) + page[0];
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
        return sent->wParam == 3 ? faultDeep(sent->hwnd) : fault(sent->hwnd, sent->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
