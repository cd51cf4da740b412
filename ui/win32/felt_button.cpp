#include "ui/win32/felt_button.h"

#include <algorithm>

#include "ui/layout/board_geometry.h"
#include "ui/layout/form1_layout.h"
#include "ui/win32/handles.h"

namespace zentrix::win32 {

namespace {

// The felt made lighter or darker, for the buttons' bevel.
COLORREF shade(layout::Rgb rgb, int percent) {
    const auto channel = [percent](std::uint8_t value) {
        return static_cast<BYTE>(std::clamp(value * percent / 100, 0, 255));
    };
    return RGB(channel(rgb.red), channel(rgb.green), channel(rgb.blue));
}

void drawLine(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    Selection selected(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

HWND createFeltButton(HWND parent, HINSTANCE instance, int id, const std::wstring& caption,
                      const RECT& at, bool enabled) {
    return CreateWindowExW(
        0, L"BUTTON", caption.c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY |
            (enabled ? 0 : WS_DISABLED),
        at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),  // a child's menu is its id
        instance, nullptr);
}

void drawFeltButton(const DRAWITEMSTRUCT& item, HBRUSH felt, const Picture& picture,
                    int pictureSize) {
    HDC dc = item.hDC;
    const RECT face = item.rcItem;
    FillRect(dc, &face, felt);

    // A two-pixel bevel: light above and left, dark below and right; the other way round while
    // pressed, when the face's contents also move down and right by a pixel.
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const COLORREF light = shade(layout::kFeltGreen, 160);
    const COLORREF dark = shade(layout::kFeltGreen, 40);
    const COLORREF shadow = shade(layout::kFeltGreen, 62);
    const int l = face.left;
    const int t = face.top;
    const int r = face.right - 1;
    const int b = face.bottom - 1;
    drawLine(dc, pressed ? dark : light, l, t, r, t);
    drawLine(dc, pressed ? dark : light, l, t, l, b);
    drawLine(dc, pressed ? light : dark, l, b, r + 1, b);
    drawLine(dc, pressed ? light : dark, r, t, r, b + 1);
    if (!pressed) {
        drawLine(dc, shadow, l + 1, b - 1, r, b - 1);
        drawLine(dc, shadow, r - 1, t + 1, r - 1, b);
    }

    const int shift = pressed ? 1 : 0;
    constexpr int bevel = layout::kFeltBevelPixels;
    RECT content{l + bevel + shift, t + bevel + shift, face.right - bevel + shift,
                 face.bottom - bevel + shift};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    Selection selectedFont(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int textHeight = metrics.tmHeight;

    RECT textRect = content;
    if (picture) {
        // The picture centred with the caption below it, the two together centred in the face.
        const int block = pictureSize + textHeight;
        const int top = content.top + std::max(0L, (content.bottom - content.top - block) / 2);
        const int left = content.left + (content.right - content.left - pictureSize) / 2;
        drawPicture(dc, picture, RECT{left, top, left + pictureSize, top + pictureSize});
        textRect =
            RECT{content.left, top + pictureSize, content.right, top + pictureSize + textHeight};
    }

    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, 64);
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (!disabled) {
        SetTextColor(dc, colorOf(layout::kTextColour));
        DrawTextW(dc, caption, -1, &textRect, format);
    } else {
        // Greyed out: the caption embossed into the felt.
        RECT raised = textRect;
        OffsetRect(&raised, 1, 1);
        SetTextColor(dc, light);
        DrawTextW(dc, caption, -1, &raised, format);
        SetTextColor(dc, shadow);
        DrawTextW(dc, caption, -1, &textRect, format);
    }
    // The focus is shown however it came, by key or by mouse.
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = face;
        InflateRect(&focus, -layout::kFeltFocusInsetPixels, -layout::kFeltFocusInsetPixels);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace zentrix::win32
