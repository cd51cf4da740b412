#include "ui/win32/ball_box.h"

#include <utility>

#include "display/ball_shape.h"
#include "ui/win32/accessible_name.h"
#include "ui/win32/handles.h"

namespace zentrix::win32 {

BallBox::~BallBox() {
    // Normally gone with its parent already.
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

bool BallBox::registerClass(HINSTANCE instance) {
    // A double-click arrives as one click and a double-click message, which the box ignores.
    return WindowObject::registerClass(instance, kBallBoxClass, CS_DBLCLKS);
}

HWND BallBox::create(HWND parent, HINSTANCE instance, int id, const RECT& at, std::wstring name) {
    name_ = std::move(name);
    // Born disabled, as the game disables every box before the first deal: disabling it again
    // then costs nothing, where Wine would tell its server and the box of each change.
    return createWindow(
        0, kBallBoxClass, name_.c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, at.left, at.top,
        at.right - at.left, at.bottom - at.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),  // a child's menu is its id
        instance);
}

void BallBox::rename(std::wstring_view name) {
    if (name == name_ || hwnd() == nullptr) {
        return;
    }
    name_.assign(name);
    SetWindowTextW(hwnd(), name_.c_str());
    announceNameChange(hwnd());
}

bool BallBox::clipToEllipse(float sizeTwips, float twipsPerPixel) {
    display::MakeRound(hwnd(), sizeTwips, sizeTwips, twipsPerPixel, twipsPerPixel);
    // MakeRound leaves a failure unexamined; a square ball would take clicks meant for its
    // neighbours' rings and the felt.
    const UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    return shape && GetWindowRgn(hwnd(), shape.get()) == COMPLEXREGION;
}

LRESULT BallBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND box = hwnd();
    switch (message) {
        case WM_NCPAINT:
            // The box has no frame: nothing to draw, and Windows' own handling would fetch a
            // device context clipped to the round region for every box, for nothing.
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            onMouseDown(message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
            onMouseUp(lParam);
            return 0;
        case WM_GETDLGCODE:
            // The arrows move among the balls and Enter presses the ball, rather than the dialog
            // keys' own meanings; Tab still leaves the box.
            if (lParam != 0) {
                const auto* key = reinterpret_cast<const MSG*>(lParam);
                if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                    return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE;
                }
            }
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (onKeyDown(wParam, lParam)) {
                return 0;
            }
            return DefWindowProcW(box, message, wParam, lParam);
        case WM_CHAR:
            return 0;  // Space and Enter acted on their key-down
        case WM_SETFOCUS:
            InvalidateRect(box, nullptr, FALSE);
            host_.ballBoxFocused(slot_);
            return 0;
        case WM_KILLFOCUS:
            InvalidateRect(box, nullptr, FALSE);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer = answerAccessibleObject(box, wParam, lParam, name_,
                                                              AccessibleRole::PushButton)) {
                return answer;
            }
            return DefWindowProcW(box, message, wParam, lParam);
        default:
            return DefWindowProcW(box, message, wParam, lParam);
    }
}

void BallBox::onPaint() {
    const PaintScope paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    host_.paintBallBox(slot_, paint.dc(), client, GetFocus() == hwnd());
}

void BallBox::onMouseDown(bool doubleClick) {
    // The click counts on release inside the ball, like a button's; the second press of a
    // double-click is told as such, and the game decides what it means.
    clickCount_ = doubleClick ? 2 : 1;
    SetCapture(hwnd());
}

void BallBox::onMouseUp(LPARAM lParam) {
    if (GetCapture() != hwnd()) {
        return;
    }
    ReleaseCapture();
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    const bool inside =
        GetWindowRgn(hwnd(), shape.get()) == ERROR || PtInRegion(shape.get(), at.x, at.y) != FALSE;
    if (inside) {
        host_.ballBoxClicked(slot_, clickCount_);
    }
}

bool BallBox::onKeyDown(WPARAM key, LPARAM flags) {
    // Bit 30: the key was already down, so this press is one a held key repeats.
    const bool repeat = (flags & (LPARAM{1} << 30)) != 0;
    switch (key) {
        case VK_UP:
            return host_.ballBoxKey(slot_, controller::Key::Up, repeat);
        case VK_DOWN:
            return host_.ballBoxKey(slot_, controller::Key::Down, repeat);
        case VK_LEFT:
            return host_.ballBoxKey(slot_, controller::Key::Left, repeat);
        case VK_RIGHT:
            return host_.ballBoxKey(slot_, controller::Key::Right, repeat);
        case VK_SPACE:
        case VK_RETURN:  // the keypad's Enter too
            return host_.ballBoxKey(slot_, controller::Key::Activate, repeat);
        default:
            return false;
    }
}

}  // namespace zentrix::win32
