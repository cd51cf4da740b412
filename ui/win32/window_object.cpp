#include "ui/win32/window_object.h"

#include <exception>

#include "display/windows_display_rescue.h"

namespace zentrix::win32 {

namespace {

#if defined(__i386__)
// A frame on the thread's chain of exception handlers (at fs:[0]), as the system walks it: the
// next frame out, and this frame's handler. The system calls a handler so registered only while
// the image carries no SafeSEH table and no no-SEH flag; the build checks both
// (cmake/check-exception-frames.cmake).
struct HandlerFrame {
    HandlerFrame* next;
    EXCEPTION_DISPOSITION(__cdecl* handler)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);
};

// Only what no frame further in handled reaches here; C++ exceptions never do (they unwind by
// tables, and the procedures catch them all).
EXCEPTION_DISPOSITION __cdecl onFault(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
    if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0) {
        return ExceptionContinueSearch;
    }
    display::endInACrash(record->ExceptionCode);
}
#endif

}  // namespace

LRESULT callGuarded(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam) noexcept {
    if (display::crashInProgress()) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
#if defined(__i386__)
    // The frame lies on this function's stack, below every frame already on the chain, and is
    // taken off again before it returns.
    HandlerFrame frame{nullptr, &onFault};
    asm volatile("movl %%fs:0, %0" : "=r"(frame.next));
    asm volatile("movl %0, %%fs:0" : : "r"(&frame) : "memory");
    const LRESULT result = procedure(window, message, wParam, lParam);
    asm volatile("movl %0, %%fs:0" : : "r"(frame.next) : "memory");
    return result;
#else
    return procedure(window, message, wParam, lParam);
#endif
}

bool WindowObject::registerClass(HINSTANCE instance, const wchar_t* name, UINT style) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, name, &windowClass)) {
        return true;
    }
    windowClass.style = style;
    windowClass.lpfnWndProc = &WindowObject::windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND WindowObject::createWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                HMENU menuOrId, HINSTANCE instance) {
    const HWND created = CreateWindowExW(exStyle, className, text, style, x, y, width, height,
                                         parent, menuOrId, instance, this);
    return created != nullptr && created == hwnd_ ? created : nullptr;
}

LRESULT CALLBACK WindowObject::windowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
    return callGuarded(&WindowObject::dispatch, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowObject::dispatch(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<WindowObject*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (object != nullptr) {
            object->hwnd_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        }
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object == nullptr || object->hwnd_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        try {
            result = object->handle(message, wParam, lParam);
        } catch (const std::exception& error) {
            object->failed(error.what());
        } catch (...) {
            object->failed("an unknown error");
        }
    } catch (...) {
        // Not even the window's own way out worked. The program ends here (std::terminate),
        // rather than let the exception into Windows' code; the display is put back on the way
        // (display/windows_display_rescue.h).
        std::terminate();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->hwnd_ = nullptr;
        object->destroyed();
    }
    return result;
}

}  // namespace zentrix::win32
