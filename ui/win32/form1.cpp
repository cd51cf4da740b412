#include "ui/win32/form1.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <string_view>

#include "display/ball_shape.h"
#include "game/timing.h"
#include "resources/picture_ids.h"
#include "ui/win32/text.h"

namespace zentrix::win32 {

namespace {

// The standard resizable frame with minimise, maximise and close boxes.
constexpr DWORD kForm1Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr std::size_t kTransparentLabel = 6;  // Label7 lies on the felt without a background

UINT iconStyle(int style) {
    switch (style) {
        case 16:
            return MB_ICONHAND;
        case 32:
            return MB_ICONQUESTION;
        case 48:
            return MB_ICONEXCLAMATION;
        case 64:
            return MB_ICONASTERISK;
        default:
            return 0;
    }
}

DWORD alignStyle(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return SS_CENTER;
        case layout::Align::Right:
            return SS_RIGHT;
        case layout::Align::Left:
            break;
    }
    return SS_LEFT;
}

RECT toRect(const layout::PixelRect& r) {
    return RECT{r.x, r.y, r.right(), r.bottom()};
}

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

StartUpError missingPicture(int number) {
    return StartUpError("Picture " + std::to_string(number) +
                        " is missing from zentrix.exe, so Zentrix cannot start.");
}

int slotOfBox(HWND box) {
    return GetDlgCtrlID(box) - kFirstBallBoxId;
}

}  // namespace

// ---- Creation ----

Form1::Form1(const Form1Services& services)
    : services_(services),
      game_(*services.random, static_cast<MessagePresenter&>(*this)),
      session_(*services.display, static_cast<display::DisplayMessages&>(*this)) {
    if (services_.pictures == nullptr) {
        services_.pictures = services_.instance;
    }
    dpi_ = services_.dpi != 0 ? services_.dpi : screenDpi();
    scale_ = scaleForDpi(dpi_);
}

Form1::~Form1() {
    shutDown();
    window_.reset();
}

void Form1::replaceMessages(MessagePresenter* game, display::DisplayMessages* display) {
    messages_ = game;
    displayMessages_ = display;
}

void Form1::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = &Form1::windowProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    form.lpszClassName = kForm1Class;
    // Registering twice (a second window in the same program) is no failure.
    if (RegisterClassExW(&form) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw StartUpError("Zentrix could not register its main window.");
    }
    WNDCLASSEXW box{};
    box.cbSize = sizeof box;
    // A double-click arrives as one click and a double-click message, which the box ignores.
    box.style = CS_DBLCLKS;
    box.lpfnWndProc = &Form1::ballBoxProc;
    box.hInstance = instance;
    box.hCursor = form.hCursor;
    box.lpszClassName = kBallBoxClass;
    if (RegisterClassExW(&box) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw StartUpError("Zentrix could not register its ball windows.");
    }
}

layout::PixelRect Form1::place(const layout::TwipsRect& twips) const {
    return layout::scaled(layout::toPixels(twips), scale_);
}

void Form1::createWindow() {
    registerClasses(services_.instance);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    felt_.reset(CreateSolidBrush(colorOf(layout::kFeltGreen)));
    HMENU menu = createMenus();

    // Sized by layOut, once the controls are there.
    HWND created = CreateWindowExW(0, kForm1Class, widen(layout::kWindowCaption).c_str(),
                                   kForm1Style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, nullptr, menu, services_.instance, this);
    if (created == nullptr) {
        DestroyMenu(menu);
        throw StartUpError("Zentrix could not open its window.");
    }
    window_.reset(created);
    help_ = std::make_unique<HelpWindows>(services_.instance, created);

    bigIcon_.reset(static_cast<HICON>(LoadImageW(services_.pictures, MAKEINTRESOURCEW(1),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(services_.pictures, MAKEINTRESOURCEW(1),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    if (!bigIcon_ || !smallIcon_) {
        throw StartUpError("The icon is missing from zentrix.exe.");
    }
    SendMessageW(created, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(created, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    createControls();
    layOut(true);
}

HMENU Form1::createMenus() {
    // Plain captions from the design: no access keys, no accelerators, no separators.
    HMENU bar = CreateMenu();
    for (const layout::MenuDesign& design : layout::menus()) {
        HMENU popup = CreatePopupMenu();
        for (const layout::MenuItemDesign& item : design.items) {
            int id = 0;
            if (item.name == "mnuFileNew") {
                id = kMenuFileNew;
            } else if (item.name == "mnuHelpRules") {
                id = kMenuHelpRules;
            } else if (item.name == "mnuHelpAbout") {
                id = kMenuHelpAbout;
            }
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id), widen(item.caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    widen(design.caption).c_str());
    }
    return bar;
}

HWND Form1::createChild(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                        const layout::TwipsRect& rect) {
    const layout::PixelRect at = place(rect);
    HWND child = CreateWindowExW(
        0, className, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, at.x, at.y, at.width,
        at.height, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),  // a child's menu is its id
        services_.instance, this);
    if (child == nullptr) {
        throw StartUpError("Zentrix could not open the controls of its window.");
    }
    return child;
}

void Form1::createControls() {
    // Created in the design's tab order, which Tab follows among siblings. No two controls
    // overlap, so the order that decides which of two overlapping windows is hit does not
    // matter here.
    for (const std::string_view name : layout::tabOrder()) {
        if (name.starts_with("Picture1_")) {
            const int slot = std::stoi(std::string(name.substr(9)));
            const auto& look = shown_.slots[static_cast<std::size_t>(slot)];
            ballBoxes_[static_cast<std::size_t>(slot)] =
                createChild(kBallBoxClass, widen(look.accessibleName), WS_VISIBLE | WS_TABSTOP,
                            kFirstBallBoxId + slot, layout::ballBoxRect(slot));
        } else if (name == layout::nextBallButton().name || name == layout::scoreButton().name) {
            const bool next = name == layout::nextBallButton().name;
            const layout::ButtonDesign& design =
                next ? layout::nextBallButton() : layout::scoreButton();
            HWND button = createChild(L"BUTTON", widen(design.caption),
                                      WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                      next ? kNextBallId : kScoreId, design.rect);
            (next ? nextButton_ : scoreButton_) = button;
        } else if (name == layout::progressBar().name) {
            const layout::ProgressBarDesign& bar = layout::progressBar();
            progressBar_ = createChild(PROGRESS_CLASSW, L"", WS_VISIBLE, kProgressBarId, bar.rect);
            SendMessageW(progressBar_, PBM_SETRANGE32, static_cast<WPARAM>(bar.minimum),
                         bar.maximum);
            SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(shown_.progressValue), 0);
        } else {
            for (std::size_t i = 0; i < labels_.size(); ++i) {
                const layout::LabelDesign& design = layout::labels()[i];
                if (design.name == name) {
                    labels_[i] = createChild(L"STATIC", widen(shown_.labels[i].caption),
                                             WS_VISIBLE | SS_NOPREFIX | alignStyle(design.align),
                                             kFirstLabelId + static_cast<int>(i), design.rect);
                }
            }
        }
    }
    EnableWindow(scoreButton_, shown_.scoreEnabled ? TRUE : FALSE);
}

void Form1::layOut(bool controlsInPlace) {
    const auto place = [this, controlsInPlace](HWND control, const layout::TwipsRect& twips) {
        if (controlsInPlace) {
            return;
        }
        const layout::PixelRect at = this->place(twips);
        SetWindowPos(control, nullptr, at.x, at.y, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // A control takes its new font before the old one is deleted.
    const auto setFont = [this](HWND control, const layout::FontDesign& design, UniqueFont& font) {
        UniqueFont scaledFont = createFont(design, scale_);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaledFont.get()), TRUE);
        font = std::move(scaledFont);
    };
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        place(ballBoxes_[static_cast<std::size_t>(slot)], layout::ballBoxRect(slot));
    }
    place(nextButton_, layout::nextBallButton().rect);
    setFont(nextButton_, layout::nextBallButton().font, nextFont_);
    place(scoreButton_, layout::scoreButton().rect);
    setFont(scoreButton_, layout::scoreButton().font, scoreFont_);
    place(progressBar_, layout::progressBar().rect);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        place(labels_[i], layout::labels()[i].rect);
        setFont(labels_[i], layout::labels()[i].font, labelFonts_[i]);
    }

    // The client area holds the whole board and every ring; the frame is the standard one.
    const layout::PixelRect client = layout::scaled(layout::requiredClientArea(), scale_);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kForm1Style, TRUE, 0);
    SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_.get(), nullptr, FALSE);
}

void Form1::fitToScreen() {
    // The game's screen is 1024 x 768, where a window scaled for a high-DPI screen does not
    // fit: it is drawn as large as the screen allows, but never below the design's own size.
    const RECT work = screenWorkArea(window_.get());
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kForm1Style, TRUE, 0);
    const double fitted =
        scaleToFit(scale_, work, SIZE{frame.right - frame.left, frame.bottom - frame.top},
                   layout::requiredClientArea());
    if (fitted == scale_) {
        return;
    }
    scale_ = fitted;
    layOut();
    makeBallBoxesRound();
    RECT now{};
    GetWindowRect(window_.get(), &now);
    if (now.right > work.right || now.bottom > work.bottom) {
        SetWindowPos(window_.get(), nullptr, work.left, work.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Picture Form1::loadPicture(int number) const {
    Picture picture = loadNumberedPicture(*services_.gdiplus, services_.pictures, number, dpi_);
    if (!picture) {
        throw missingPicture(number);
    }
    return picture;
}

void Form1::loadPictures() {
    // The markers in index order, then the rack of Next Ball: the first frame draws them.
    for (const layout::MarkerDesign& marker : layout::markers()) {
        markers_[static_cast<std::size_t>(marker.index)] = loadPicture(marker.points);
    }
    rack_ = loadPicture(layout::nextBallButton().pictureNumber);
    // No ball lies on the board before the first deal, so the faces are decoded when first
    // drawn (on a high-DPI screen each is a PNG). That every one is there is made sure of now,
    // so that a missing one stops the game here rather than in the middle of a deal.
    for (int value = 1; value <= 10; ++value) {
        if (!hasNumberedPicture(services_.pictures, value, dpi_)) {
            throw missingPicture(value);
        }
    }
}

const Picture& Form1::ballFace(int value) {
    Picture& face = balls_[static_cast<std::size_t>(value)];
    if (!face) {
        face = loadNumberedPicture(*services_.gdiplus, services_.pictures, value, dpi_);
        if (!face) {
            throw std::runtime_error("picture " + std::to_string(value) + " does not decode");
        }
    }
    return face;
}

void Form1::makeBallBoxesRound() {
    // Twips per pixel as the window is drawn: 15 at the design's own size.
    const float twipsPerPixel = static_cast<float>(layout::kTwipsPerPixel / scale_);
    const float boxTwips = static_cast<float>(layout::kBallBoxTwips);
    for (HWND box : ballBoxes_) {
        display::MakeRound(box, boxTwips, boxTwips, twipsPerPixel, twipsPerPixel);
        // MakeRound leaves a failure unexamined; a square ball would take clicks meant for its
        // neighbours' rings and the felt, so the game does not start with one.
        UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
        if (!shape || GetWindowRgn(box, shape.get()) != COMPLEXREGION) {
            throw StartUpError("Zentrix could not make its ball windows round.");
        }
        EnableWindow(box, FALSE);
    }
}

void Form1::startUp(int showCommand) {
    if (started_) {
        return;
    }
    started_ = true;
    try {
        createWindow();
        // Timer2 runs from the window's creation; Timer1 only once a round is dealt.
        syncTimers(game_.timer1Enabled(), game_.timer2Enabled());

        // 1-4: the pictures, the round and disabled ball boxes with their rings beneath.
        loadPictures();
        makeBallBoxesRound();

        // 5: the display switch, which may tell the player something first.
        session_.start();
        if (ended_) {
            return;  // closed while the display's message was open
        }

        // 6: the window, as large as the screen now allows, with the focus on Next Ball: every
        // ball box is still disabled.
        fitToScreen();
        ShowWindow(window_.get(), showCommand);
        UpdateWindow(window_.get());
        SetFocus(nextButton_);

        // 7-8: a full countdown bar and "0" removed.
        game_.startUp();
        syncView();
    } catch (const StartUpError&) {
        shutDown();
        window_.reset();
        throw;
    }
}

// ---- Shut-down ----

void Form1::shutDown() {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (window_) {
        KillTimer(window_.get(), kTimer1);
        KillTimer(window_.get(), kTimer2);
    }
    timerRunning_ = {};
    session_.restore();
    if (help_) {
        help_->closeAll();
    }
}

void Form1::fail(const std::string& what) {
    // A step of the rules went wrong: the player is told after the window has gone and the
    // display is back.
    if (failure_.empty()) {
        failure_ = what;
    }
    shutDown();
    if (window_) {
        DestroyWindow(window_.get());
    }
}

// ---- Window procedures ----

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr || form->window_.get() != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->guarded([&] { return form->handle(message, wParam, lParam); });
}

LRESULT CALLBACK Form1::ballBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    const int slot = slotOfBox(box);
    if (form == nullptr || slot < 0 || slot >= layout::kSlotCount) {
        return DefWindowProcW(box, message, wParam, lParam);
    }
    return form->guarded([&] { return form->handleBallBox(box, slot, message, wParam, lParam); });
}

template <typename Handler>
LRESULT Form1::guarded(Handler&& handler) {
    // No exception may cross back into Windows' code: the game ends with the failure told.
    try {
        return handler();
    } catch (const std::exception& error) {
        fail(error.what());
    } catch (...) {
        fail("an unknown error");
    }
    return 0;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers everything
        case WM_PAINT:
            Form1_Paint();
            return 0;
        case WM_COMMAND:
            Form1_Command(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            Form1_Timer(wParam);
            return 0;
        case WM_DRAWITEM:
            Buttons_DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return Labels_CtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            Form1_Activate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            Form1_Close();
            return 0;
        case WM_QUERYENDSESSION:
            Form1_QueryEndSession();
            return TRUE;  // closing can never be refused
        case WM_ENDSESSION:
            Form1_EndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            shutDown();
            if (services_.quitWhenClosed) {
                PostQuitMessage(failure_.empty() ? 0 : 1);
            }
            return 0;
        case WM_NCDESTROY:
            // Windows has destroyed it: nothing is left for the owning handle to do.
            (void)window_.release();
            ballBoxes_ = {};
            labels_ = {};
            nextButton_ = scoreButton_ = progressBar_ = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Form1::handleBallBox(HWND box, int slot, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCPAINT:
            // The box has no frame: nothing to draw, and Windows' own handling would fetch a
            // device context clipped to the round region for every box, for nothing.
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Picture1_Paint(box, slot);
            return 0;
        case WM_LBUTTONDOWN:
            // The click counts on release inside the ball, like a button's.
            SetCapture(box);
            return 0;
        case WM_LBUTTONUP: {
            if (GetCapture() != box) {
                return 0;
            }
            ReleaseCapture();
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
            const bool inside = GetWindowRgn(box, shape.get()) == ERROR ||
                                PtInRegion(shape.get(), at.x, at.y) != FALSE;
            if (inside) {
                Picture1_Click(slot);
            }
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            // The first press and release already toggled the ball; the second press must not
            // toggle it back.
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS;
        case WM_CHAR:
            if (wParam == L' ') {
                Picture1_Click(slot);
            }
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(box, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProcW(box, message, wParam, lParam);
    }
}

bool Form1::translateDialogMessage(MSG& message) {
    if (!window_ || ended_) {
        return false;
    }
    if (help_ && help_->translateDialogMessage(message)) {
        return true;
    }
    if (message.hwnd != window_.get() && !IsChild(window_.get(), message.hwnd)) {
        return false;
    }
    return IsDialogMessageW(window_.get(), &message) != FALSE;
}

// ---- Handlers ----

void Form1::Form1_Activate(bool active) {
    // Windows would give the focus to the window itself: the control that had it gets it back,
    // Next Ball when none had (it holds the focus from the start, even if the window is only
    // activated once New has freed some balls).
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_.get(), focus)) {
            lastFocus_ = focus;
        }
        return;
    }
    HWND target = lastFocus_;
    if (target == nullptr || !IsWindow(target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target)) {
        target = nextButton_;
    }
    SetFocus(target);
}

void Form1::Form1_Close() {
    // Closing the window can not be refused; a close that comes while a message box is open
    // ends the game there (the box goes with its owner).
    shutDown();
    if (window_) {
        DestroyWindow(window_.get());
    }
}

void Form1::Form1_QueryEndSession() {
    // The session may end without another message reaching us: the display goes back now.
    session_.restore();
}

void Form1::Form1_EndSession(bool ending) {
    if (ending) {
        shutDown();
    }
}

void Form1::Form1_Timer(UINT_PTR timer) {
    if (timer != kTimer1 && timer != kTimer2) {
        return;
    }
    ++timerTicks_[timer];
    if (timer == kTimer1) {
        forward([this] { game_.countdownTick(); });
    } else {
        forward([this] { game_.refreshTick(); });
    }
}

void Form1::Form1_Command(int id, HWND control) {
    switch (id) {
        case kMenuFileNew:
            forward([this] { game_.newGame(); });
            break;
        case kMenuHelpRules:
            mnuHelpRules_Click();
            break;
        case kMenuHelpAbout:
            mnuHelpAbout_Click();
            break;
        case kNextBallId:
            if (control == nextButton_) {
                forward([this] { game_.nextBall(); });
            }
            break;
        case kScoreId:
            if (control == scoreButton_) {
                forward([this] { game_.takeScore(); });
            }
            break;
        default:
            break;
    }
}

void Form1::mnuHelpRules_Click() {
    if (help_) {
        help_->showRules();
    }
}

void Form1::mnuHelpAbout_Click() {
    if (help_) {
        help_->showAbout();
    }
}

void Form1::Picture1_Click(int slot) {
    forward([this, slot] { game_.clickSlot(slot); });
}

template <typename Step>
void Form1::forward(Step&& step) {
    if (ended_) {
        return;
    }
    step();
    // A close that came while one of the step's boxes was open has stopped everything for good.
    if (!ended_) {
        syncView();
    }
}

// ---- Applying the view ----

void Form1::syncView() {
    if (!window_) {
        return;
    }
    const layout::Form1View view = layout::viewOf(game_);
    for (std::size_t s = 0; s < ballBoxes_.size(); ++s) {
        const layout::SlotView& now = view.slots[s];
        const layout::SlotView before = shown_.slots[s];
        if (now == before) {
            continue;
        }
        shown_.slots[s] = now;
        HWND box = ballBoxes_[s];
        if (now.accessibleName != before.accessibleName) {
            SetWindowTextW(box, widen(now.accessibleName).c_str());
        }
        if (now.free != before.free) {
            EnableWindow(box, now.free ? TRUE : FALSE);
        }
        if (now.shown != before.shown) {
            ShowWindow(box, now.shown ? SW_SHOWNA : SW_HIDE);
        }
        if (!now.drawnLike(before)) {
            InvalidateRect(box, nullptr, FALSE);
            const RECT ring = ringPaintRect(static_cast<int>(s));
            InvalidateRect(window_.get(), &ring, FALSE);
        }
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (view.labels[i].caption != shown_.labels[i].caption) {
            SetWindowTextW(labels_[i], widen(view.labels[i].caption).c_str());
        }
        shown_.labels[i] = view.labels[i];
    }
    if (view.progressValue != shown_.progressValue) {
        SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(view.progressValue), 0);
        shown_.progressValue = view.progressValue;
    }
    if (view.scoreEnabled != shown_.scoreEnabled) {
        EnableWindow(scoreButton_, view.scoreEnabled ? TRUE : FALSE);
        shown_.scoreEnabled = view.scoreEnabled;
    }
    shown_.timer1Running = view.timer1Running;
    shown_.timer2Running = view.timer2Running;
    syncTimers(view.timer1Running, view.timer2Running);
}

void Form1::syncTimers(bool timer1, bool timer2) {
    // Started only when the rules switch a timer on, so a running countdown keeps its beat.
    const auto apply = [this](UINT_PTR timer, bool run, UINT interval) {
        if (run == timerRunning_[timer]) {
            return;
        }
        if (run) {
            timerRunning_[timer] = SetTimer(window_.get(), timer, interval, nullptr) != 0;
        } else {
            KillTimer(window_.get(), timer);
            timerRunning_[timer] = false;
        }
    };
    apply(kTimer1, timer1, static_cast<UINT>(kCountdownInterval.count()));
    apply(kTimer2, timer2, static_cast<UINT>(kRefreshInterval.count()));
}

bool Form1::timerRunning(UINT_PTR timer) const {
    return timer < timerRunning_.size() && timerRunning_[timer];
}

int Form1::timerTicks(UINT_PTR timer) const {
    return timer < timerTicks_.size() ? timerTicks_[timer] : 0;
}

// ---- Message boxes ----

void Form1::showMessage(std::string_view text, std::string_view title, MessageStyle style) {
    // Once the game has ended nobody is there to answer.
    if (ended_) {
        return;
    }
    // The box runs a message loop of its own: first the window shows the state at this step,
    // and both timers are really killed, so no tick re-enters the rules; the step's end starts
    // whichever the rules want running again.
    syncView();
    syncTimers(false, false);
    if (messages_ != nullptr) {
        messages_->showMessage(text, title, style);
        return;
    }
    MessageBoxW(window_.get(), widen(text).c_str(), widen(title).c_str(),
                MB_OK | iconStyle(static_cast<int>(style)));
}

void Form1::showDisplayMessage(std::string_view text, std::string_view title,
                               display::DisplayMessageStyle style) {
    if (ended_) {
        return;
    }
    syncTimers(false, false);
    if (displayMessages_ != nullptr) {
        displayMessages_->showDisplayMessage(text, title, style);
    } else {
        HWND owner = window_ && IsWindowVisible(window_.get()) ? window_.get() : nullptr;
        MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(),
                    MB_OK | iconStyle(static_cast<int>(style)));
    }
    if (!ended_ && window_) {
        syncTimers(game_.timer1Enabled(), game_.timer2Enabled());
    }
}

// ---- Painting ----

RECT Form1::ringPaintRect(int slot) const {
    // The ring's pen reaches half its width outside the circle, and a pixel more for rounding.
    RECT area = toRect(place(layout::ringRect(slot)));
    const int reach = layout::scaled(layout::kRingPenPixels, scale_) / 2 + 1;
    InflateRect(&area, reach, reach);
    return area;
}

void Form1::paintBoard(HDC dc, const RECT& area) const {
    FillRect(dc, &area, felt_.get());
    RECT overlap{};
    // The markers lie on the felt, beneath everything.
    for (const layout::MarkerDesign& marker : layout::markers()) {
        const RECT where = toRect(place(marker.rect));
        if (IntersectRect(&overlap, &where, &area)) {
            drawPicture(dc, markers_[static_cast<std::size_t>(marker.index)], where);
        }
    }
    // The rings lie beneath every ball: only the half of the pen outside the ellipses shows.
    UniquePen ring(CreatePen(PS_SOLID, layout::scaled(layout::kRingPenPixels, scale_),
                             colorOf(layout::kRingColour)));
    Selection pen(dc, ring.get());
    Selection brush(dc, GetStockObject(NULL_BRUSH));
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        const RECT reach = ringPaintRect(slot);
        if (shown_.slots[static_cast<std::size_t>(slot)].selected &&
            IntersectRect(&overlap, &reach, &area)) {
            const RECT circle = toRect(place(layout::ringRect(slot)));
            Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
        }
    }
}

void Form1::Form1_Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_.get(), &paint);
    const RECT& area = paint.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // Drawn off screen first, so that the felt never flashes over a ring.
    UniqueMemoryDc buffer(CreateCompatibleDC(dc));
    // 32 bits per pixel whatever the screen's depth, so that the felt comes out exactly like the
    // labels' felt, which is filled straight on the screen.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = std::max(width, 1);
    format.bmiHeader.biHeight = -std::max(height, 1);
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap canvas(CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (buffer && canvas) {
        Selection selected(buffer.get(), canvas.get());
        SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
        paintBoard(buffer.get(), area);
        SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
        BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
    } else {
        paintBoard(dc, area);
    }
    EndPaint(window_.get(), &paint);
}

void Form1::Picture1_Paint(HWND box, int slot) {
    const layout::SlotView& look = shown_.slots[static_cast<std::size_t>(slot)];
    // Fetched before painting begins, so that a face that fails to decode leaves no paint
    // unfinished.
    const Picture* face =
        look.occupied && look.value >= 1 && look.value <= 10 ? &ballFace(look.value) : nullptr;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    RECT client{};
    GetClientRect(box, &client);
    if (face != nullptr) {
        // The ball picture at its own size from the box's top-left corner; the region cuts it
        // round.
        const int size = layout::scaled(pictures::kBallSize, scale_);
        drawPicture(dc, *face, RECT{0, 0, size, size});
    } else {
        // An empty box still covers what lies beneath it with the felt.
        FillRect(dc, &client, felt_.get());
    }
    if (GetFocus() == box) {
        UniquePen dots(CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
        Selection pen(dc, dots.get());
        Selection brush(dc, GetStockObject(NULL_BRUSH));
        const int inset = layout::scaled(6, scale_);
        SetBkMode(dc, TRANSPARENT);
        Ellipse(dc, inset, inset, client.right - inset, client.bottom - inset);
    }
    EndPaint(box, &paint);
}

void Form1::Buttons_DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT face = item.rcItem;
    FillRect(dc, &face, felt_.get());

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
    RECT content{l + 2 + shift, t + 2 + shift, r - 1 + shift, b - 1 + shift};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    Selection selectedFont(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int textHeight = metrics.tmHeight;

    RECT textRect = content;
    if (item.hwndItem == nextButton_ && rack_) {
        // The rack centred with the caption below it, the two together centred in the face.
        const int size = layout::scaled(pictures::kRackSize, scale_);
        const int block = size + textHeight;
        const int top = content.top + std::max(0L, (content.bottom - content.top - block) / 2);
        const int left = content.left + (content.right - content.left - size) / 2;
        drawPicture(dc, rack_, RECT{left, top, left + size, top + size});
        textRect = RECT{content.left, top + size, content.right, top + size + textHeight};
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
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = face;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT Form1::Labels_CtlColor(HDC dc, HWND label) {
    SetTextColor(dc, colorOf(layout::kTextColour));
    if (label == labels_[kTransparentLabel]) {
        // Label7 has no background of its own: what lies beneath it is painted into it, and the
        // label then fills nothing before drawing its text.
        RECT client{};
        GetClientRect(label, &client);
        MapWindowPoints(label, window_.get(), reinterpret_cast<POINT*>(&client), 2);
        POINT origin{};
        SetViewportOrgEx(dc, -client.left, -client.top, &origin);
        paintBoard(dc, client);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, colorOf(layout::kFeltGreen));
    return reinterpret_cast<LRESULT>(felt_.get());
}

// ---- The message loop ----

int runMessageLoop(Form1& form) {
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (form.translateDialogMessage(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace zentrix::win32
