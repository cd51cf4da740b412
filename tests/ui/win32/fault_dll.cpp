// Loaded into a running game by the crash tests' window hook (process_test.cpp). Sent
// "zentrix-test-fault", the hook hands the game's window procedure a WM_DRAWITEM whose record lies
// where nothing is mapped (wParam 2: with the heap locked first), and sets the test's event should
// any message reach the game's windows after that.
#include <windows.h>

namespace {

HANDLE ranAfterFault = nullptr;
volatile bool faulted = false;

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
        const auto procedure =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(sent->hwnd, GWLP_WNDPROC));
        return CallWindowProcW(procedure, sent->hwnd, WM_DRAWITEM, 0, 0x10);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
