#include "ui/win32/help_windows.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "resources/picture_ids.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/help_layout.h"
#include "ui/layout/rules_text.h"
#include "ui/win32/handles.h"
#include "ui/win32/pictures.h"
#include "ui/win32/text.h"
#include "ui/win32/window_geometry.h"
#include "ui/win32/window_object.h"

namespace zentrix::win32 {

namespace {

// A drawing of the title picture resized once to `scale` times the picture's 600 x 450 pixels,
// so that painting is a plain copy. Empty when the picture is missing.
Picture titleAtScale(Picture drawing, double scale) {
    const int width = layout::scaled(pictures::kTitleWidth, scale);
    const int height = layout::scaled(pictures::kTitleHeight, scale);
    if (!drawing || (drawing.width == width && drawing.height == height)) {
        return drawing;
    }
    const WindowDc screen(nullptr);
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    Picture result;
    result.bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
    if (!dc || !result.bitmap) {
        return {};
    }
    result.width = width;
    result.height = height;
    const Selection selected(dc.get(), result.bitmap.get());
    drawPicture(dc.get(), drawing, RECT{0, 0, width, height});
    return result;
}

// ---- The two windows ----

constexpr wchar_t kAboutClass[] = L"frmAbout";
constexpr wchar_t kRulesClass[] = L"frmRules";
// The Ok button answers to the dialog keys' own command: Enter sends IDOK, Escape IDCANCEL.
constexpr int kCommand1Id = IDOK;
constexpr int kText1Id = 100;

// Both windows: a fixed dialog frame with a title bar and a close box, no minimise or maximise
// box; children are left out of the background painting.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

// The outer size of a help window whose client area is `client`, with the frame drawn for `dpi`.
SIZE outerSize(const layout::PixelRect& client, UINT dpi) {
    const SIZE frame = frameSize(kFrameStyle, kFrameExStyle, false, dpi);
    return {client.width + frame.cx, client.height + frame.cy};
}

// The screen's scale, made smaller where the window would not fit the owner's screen at it (the
// game switches to 1024 x 768 even on a high-DPI screen), but never below the design's own size.
double fittedScale(HWND owner, UINT dpi, const layout::TwipsRect& clientArea) {
    return scaleToFit(scaleForDpi(dpi), screenWorkArea(owner),
                      frameSize(kFrameStyle, kFrameExStyle, false, dpi),
                      layout::toPixels(clientArea));
}

// Where a help window's handler failed: the window closes and the program hears of it.
using FailureReport = std::function<void(const std::string&)>;

// What every help window is opened with: the program, the main window whose screen and DPI it
// takes, the hidden window that owns it, and who hears of a failure in its handlers.
struct Opening {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND owner = nullptr;
    FailureReport failed;
};

// One help window's class, caption and client area as designed.
struct TitleDesign {
    const wchar_t* className = nullptr;
    std::string_view caption;
    layout::TwipsRect clientArea;
};

// What both windows share: the frame, the title picture behind everything, the scale of the
// main window's screen, and a life that ends when the window is destroyed. Each class handles its
// own messages in handleOwn(); this part holds the common ones.
class TitleWindow : public WindowObject {
public:
    // Shows the window, or brings it to the front when it is already showing.
    void bringUp() const {
        if (IsIconic(hwnd())) {
            ShowWindow(hwnd(), SW_RESTORE);
        } else {
            ShowWindow(hwnd(), SW_SHOW);
        }
        SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwnd());
    }

    // Registers the window's class on first use, then makes the window of `Window::kDesign`
    // with its client area as designed. Null when the window or its controls cannot be made.
    template <typename Window>
    static std::unique_ptr<Window> open(const Opening& opening) {
        const TitleDesign& design = Window::kDesign;
        if (!WindowObject::registerClass(opening.instance, design.className)) {
            return nullptr;
        }
        std::unique_ptr<Window> window(new Window(opening));
        if (!window->createFrame(design.className, design.caption, design.clientArea) ||
            window->control_ == nullptr) {
            return nullptr;
        }
        return window;
    }

protected:
    TitleWindow(const Opening& opening, const TitleDesign& design)
        : instance_(opening.instance),
          owner_(opening.owner),
          failed_(opening.failed),
          dpi_(windowDpi(opening.mainWindow)),
          scale_(fittedScale(opening.mainWindow, dpi_, design.clientArea)) {}

    // The final classes destroy their window in their own destructors, while the handlers it
    // calls on the way out still have a whole object to work on.
    ~TitleWindow() = default;

    void destroy() const {
        if (hwnd() != nullptr) {
            DestroyWindow(hwnd());
        }
    }

    double scale() const { return scale_; }
    layout::PixelRect toScreen(const layout::TwipsRect& design) const {
        return layout::scaled(layout::toPixels(design), scale());
    }

    // Creates the window of `className` with its client area as designed; the object is handed to
    // the window procedure through the creation parameter.
    bool createFrame(const wchar_t* className, std::string_view caption,
                     const layout::TwipsRect& clientArea) {
        const SIZE outer = outerSize(toScreen(clientArea), dpi_);
        if (createWindow(kFrameExStyle, className, widen(caption).c_str(), kFrameStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy, owner_, nullptr,
                         instance_) == nullptr) {
            return false;
        }
        keepOnScreen();
        return true;
    }

    // The system's first position may push a large window past the screen's edge (the game's
    // screen is small): it is moved back, where it fits.
    void keepOnScreen() const {
        RECT frame{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (!GetWindowRect(hwnd(), &frame) ||
            !GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) {
            return;
        }
        const POINT kept =
            keptInside({frame.left, frame.top},
                       {frame.right - frame.left, frame.bottom - frame.top}, monitor.rcWork);
        if (kept.x != frame.left || kept.y != frame.top) {
            SetWindowPos(hwnd(), nullptr, kept.x, kept.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // Every message of both classes: the title picture, the window's one control and Escape
    // here, the rest in the class's own handleOwn().
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) final {
        switch (message) {
            case WM_CREATE: {
                const GdiplusSession gdiplus;
                background_ = titleAtScale(loadTitlePicture(gdiplus, instance_, dpi_), scale());
                if (!build(gdiplus)) {
                    return -1;
                }
                SetFocus(control_);
                return 0;
            }
            case WM_SETFOCUS:
                SetFocus(control_);
                return 0;
            case WM_PAINT:
                paintTitle();
                return 0;
            case WM_ERASEBKGND:
                return 1;  // the picture covers it in WM_PAINT
            case WM_COMMAND:
                // Escape, the dialog keys' cancel, closes either window as its close box does.
                if (LOWORD(wParam) == IDCANCEL) {
                    DestroyWindow(hwnd());
                    return 0;
                }
                break;
            default:
                break;
        }
        return handleOwn(message, wParam, lParam);
    }
    virtual LRESULT handleOwn(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // WM_CREATE, once the title picture is there: the window's one control, made with
    // makeControl(). False when it cannot be made.
    virtual bool build(const GdiplusSession& gdiplus) = 0;
    // The window is gone: what the class keeps of its own goes with it.
    virtual void releaseResources() {}

    // The window's one control, which holds the focus, where the design puts it at the screen's
    // scale, in its font. Null when Windows refuses it.
    HWND makeControl(DWORD exStyle, const wchar_t* className, std::string_view text, DWORD style,
                     int id, const layout::TwipsRect& design, const layout::FontDesign& font) {
        font_ = createFont(font, scale());
        const layout::PixelRect rect = toScreen(design);
        control_ = CreateWindowExW(
            exStyle, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
            rect.x, rect.y, rect.width, rect.height, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        if (control_ != nullptr) {
            SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
        return control_;
    }
    HWND control() const { return control_; }
    HFONT font() const { return font_.get(); }

    void failed(const std::string& what) final {
        destroy();
        if (failed_) {
            failed_(what);
        }
    }
    void destroyed() final {
        releaseResources();
        control_ = nullptr;
        font_.reset();
        background_ = {};
    }

    // Both windows' Paint: the title picture unscaled (at the screen's scale) from the top-left
    // corner, cut off by the client area; anything it does not cover in the system's face colour.
    void paintTitle() const {
        const PaintScope paint(hwnd());
        const HDC dc = paint.dc();
        RECT client{};
        GetClientRect(hwnd(), &client);
        drawPicture(dc, background_, RECT{0, 0, background_.width, background_.height});
        ExcludeClipRect(dc, 0, 0, background_.width, background_.height);
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    }

    HINSTANCE instance_;
    HWND owner_;
    FailureReport failed_;
    UINT dpi_;
    double scale_;
    Picture background_;
    HWND control_ = nullptr;
    UniqueFont font_;
};

}  // namespace

// ---- frmAbout ----

class AboutWindow final : public TitleWindow {
public:
    static constexpr TitleDesign kDesign{kAboutClass, layout::kAboutCaption,
                                         layout::kAboutClientArea};
    ~AboutWindow() { destroy(); }

private:
    friend class TitleWindow;
    explicit AboutWindow(const Opening& opening) : TitleWindow(opening, kDesign) {}

    LRESULT handleOwn(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_DRAWITEM:
                drawOkButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case WM_COMMAND:
                // Ok by mouse, Enter or Space.
                if (LOWORD(wParam) == kCommand1Id) {
                    onOk();
                }
                return 0;
            default:
                return DefWindowProcW(hwnd(), message, wParam, lParam);
        }
    }

    bool build(const GdiplusSession& gdiplus) override {
        // The Ok button's face is the title picture again, centred on the button, so a piece of
        // its middle shows: the classic bitmap below 144 dots per inch, the double-size drawing
        // from there up.
        face_ = titleAtScale(dpi_ >= kDoubleSizeDpi ? loadTitlePicture(gdiplus, instance_, dpi_)
                                                    : loadTitleBitmap(instance_),
                             scale());
        return makeControl(0, L"BUTTON", layout::kAboutOkCaption, BS_OWNERDRAW, kCommand1Id,
                           layout::kAboutOkButton, layout::kAboutOkFont) != nullptr;
    }

    // Ok unloads the window, as the close box does.
    void onOk() const { DestroyWindow(hwnd()); }

    // The Ok button Command1's face: the middle of the title picture, a raised edge (sunken while
    // pressed), the caption centred on it and the focus rectangle inside the edge.
    void drawOkButton(const DRAWITEMSTRUCT& item) const {
        const HDC dc = item.hDC;
        RECT rect = item.rcItem;
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        const int shift = pressed ? 1 : 0;

        FillRect(dc, &rect, GetSysColorBrush(COLOR_3DFACE));
        if (face_) {
            const UniqueMemoryDc source(CreateCompatibleDC(dc));
            const Selection selected(source.get(), face_.bitmap.get());
            BitBlt(dc, rect.left + shift, rect.top + shift, width, height, source.get(),
                   (face_.width - width) / 2, (face_.height - height) / 2, SRCCOPY);
        }
        DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

        wchar_t caption[32] = {};
        GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
        RECT text = rect;
        OffsetRect(&text, shift, shift);
        const Selection selectedFont(dc, font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(
            dc, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            const int inset = std::max(3, layout::scaled(3, scale()));
            RECT focus = rect;
            InflateRect(&focus, -inset, -inset);
            DrawFocusRect(dc, &focus);
        }
    }

    void releaseResources() override { face_ = {}; }

    Picture face_;
};

// ---- frmRules ----

class RulesWindow final : public TitleWindow {
public:
    static constexpr TitleDesign kDesign{kRulesClass, layout::kRulesCaption,
                                         layout::kRulesClientArea};
    ~RulesWindow() { destroy(); }

private:
    friend class TitleWindow;
    explicit RulesWindow(const Opening& opening) : TitleWindow(opening, kDesign) {}

    LRESULT handleOwn(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CTLCOLORSTATIC:
                return onTextColours(reinterpret_cast<HDC>(wParam));
            case WM_CLOSE:
                onClose();
                return 0;
            default:
                return DefWindowProcW(hwnd(), message, wParam, lParam);
        }
    }

    bool build(const GdiplusSession& /*gdiplus*/) override {
        // Without ES_AUTOHSCROLL the box wraps its long lines at word boundaries.
        const HWND text1 = makeControl(WS_EX_CLIENTEDGE, L"EDIT", "",
                                       WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                       kText1Id, layout::kRulesTextBox, layout::kRulesFont);
        if (text1 != nullptr) {
            SetWindowTextW(text1, widen(layout::rulesText()).c_str());
        }
        return text1 != nullptr;
    }

    // A read-only box asks for the colours of a static control; it keeps the white page of a text
    // box, as the game's always did, rather than turning grey.
    LRESULT onTextColours(HDC dc) const {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }

    // The close box: the window unloads itself and never refuses.
    void onClose() const { DestroyWindow(hwnd()); }
};

// ---- HelpWindows ----

namespace {

// One window's open-or-raise: a window that was closed is gone, and a fresh one takes its place.
// False when it cannot be opened.
template <typename Window>
bool openOrRaise(std::unique_ptr<Window>& window, const Opening& opening) {
    if (window == nullptr || window->hwnd() == nullptr) {
        window.reset();
        if (opening.owner != nullptr) {
            window = TitleWindow::open<Window>(opening);
        }
    }
    if (window == nullptr) {
        return false;
    }
    window->bringUp();
    return true;
}

bool belongsTo(HWND window, HWND target) {
    return window != nullptr && target != nullptr && (target == window || IsChild(window, target));
}

}  // namespace

HelpWindows::HelpWindows(HINSTANCE instance, HWND mainWindow,
                         std::function<void(const std::string&)> failed)
    : instance_(instance), mainWindow_(mainWindow), failed_(std::move(failed)) {}

HelpWindows::~HelpWindows() = default;

HWND HelpWindows::ownerForNewWindow() {
    // A top-level window that is never shown: what it owns stays off the taskbar, and nothing
    // ties the help windows to the main window's minimising or its place in the z-order.
    if (!hiddenOwner_) {
        hiddenOwner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                           nullptr, instance_, nullptr));
    }
    return hiddenOwner_.get();
}

bool HelpWindows::showAbout() {
    return openOrRaise(about_, {instance_, mainWindow_, ownerForNewWindow(), failed_});
}

bool HelpWindows::showRules() {
    return openOrRaise(rules_, {instance_, mainWindow_, ownerForNewWindow(), failed_});
}

void HelpWindows::closeAll() {
    about_.reset();
    rules_.reset();
}

HWND HelpWindows::aboutWindow() const {
    return about_ != nullptr ? about_->hwnd() : nullptr;
}

HWND HelpWindows::rulesWindow() const {
    return rules_ != nullptr ? rules_->hwnd() : nullptr;
}

bool HelpWindows::translateDialogMessage(MSG& message) {
    for (const HWND window : {aboutWindow(), rulesWindow()}) {
        if (!belongsTo(window, message.hwnd)) {
            continue;
        }
        // Escape closes either window from any of its controls. Left to the dialog manager, a
        // multi-line text box would take the key for itself.
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            SendMessageW(window, WM_CLOSE, 0, 0);
            return true;
        }
        return IsDialogMessageW(window, &message) != FALSE;
    }
    return false;
}

}  // namespace zentrix::win32
