#include "ui/win32/form1.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "resources/picture_ids.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/board_geometry.h"
#include "ui/layout/opening_size.h"
#include "ui/win32/felt_button.h"
#include "ui/win32/text.h"
#include "ui/win32/window_geometry.h"

namespace zentrix::win32 {

namespace {

// Posted to the window to show the message box the controller asked for.
constexpr UINT kShowMessage = WM_APP + 1;

// The standard resizable frame with minimise, maximise and close boxes.
constexpr DWORD kForm1Style = WS_OVERLAPPEDWINDOW;
constexpr int kIconId = 1;  // the program's icon in its resources

UINT_PTR timerId(controller::Timer timer) {
    return timer == controller::Timer::Countdown ? kTimer1 : kTimer2;
}

StartUpError missingPicture(int number) {
    return StartUpError("Picture " + std::to_string(number) +
                        " is missing from zentrix.exe, so Zentrix cannot start.");
}

}  // namespace

// ---- Creation ----

Form1::Form1(const Form1Services& services)
    : services_(services),
      dpi_(services.dpi != 0 ? services.dpi : screenDpi()),
      painter_(*services.gdiplus,
               services.pictures != nullptr ? services.pictures : services.instance, dpi_),
      controller_(*this, *services.random, *services.display, services.rescue) {
    if (services_.pictures == nullptr) {
        services_.pictures = services_.instance;
    }
    painter_.setScale(scaleForDpi(dpi_));
}

Form1::~Form1() {
    shutDown();
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

void Form1::createWindow() {
    if (!WindowObject::registerClass(services_.instance, kForm1Class)) {
        throw StartUpError("Zentrix could not register its main window.");
    }
    if (!BallBox::registerClass(services_.instance)) {
        throw StartUpError("Zentrix could not register its ball windows.");
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    UniqueMenu bar = createMenuBar();
    // Sized by fitToWorkArea, once the display is switched.
    if (WindowObject::createWindow(0, kForm1Class, widen(layout::kWindowCaption).c_str(),
                                   kForm1Style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, nullptr, bar.get(),
                                   services_.instance) == nullptr) {
        throw StartUpError("Zentrix could not open its window.");
    }
    (void)bar.release();  // the window's now, destroyed with it
    help_ = std::make_unique<HelpWindows>(services_.instance, hwnd(),
                                          [this](const std::string& what) { fail(what); });

    const auto icon = [this](int size, int height) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(
            services_.pictures, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, height, 0)));
    };
    bigIcon_ = icon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = icon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (!bigIcon_ || !smallIcon_) {
        throw StartUpError("The icon is missing from zentrix.exe.");
    }
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    if (!controls_.create(hwnd(), services_.instance, *this, painter_, controller_.shownView())) {
        throw StartUpError("Zentrix could not open the controls of its window.");
    }
}

void Form1::makeBallBoxesRound() {
    if (!controls_.makeRound(painter_.scale())) {
        throw StartUpError("Zentrix could not make its ball windows round.");
    }
}

void Form1::fitToWorkArea() {
    // The game's screen is 1024 x 768, where a window scaled for a high-DPI screen does not fit,
    // and a taskbar may take part of it: the layout says how large the window opens and where.
    const RECT work = screenWorkArea(hwnd());
    const SIZE frame = frameSize(kForm1Style, 0, true, windowDpi(hwnd()));
    RECT now{};
    GetWindowRect(hwnd(), &now);
    const layout::Opening opening =
        layout::openingSize({{work.left, work.top, work.right - work.left, work.bottom - work.top},
                             frame.cx,
                             frame.cy,
                             painter_.scale(),
                             now.left,
                             now.top});
    if (opening.scale != painter_.scale()) {
        painter_.setScale(opening.scale);
        controls_.place(painter_);
        makeBallBoxesRound();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
    const layout::PixelRect& at = opening.window;
    SetWindowPos(hwnd(), nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::startUp(int showCommand) {
    if (started_) {
        return;
    }
    started_ = true;
    showCommand_ = showCommand;
    try {
        createWindow();
        controller_.startUp();
    } catch (const StartUpError&) {
        shutDown();
        if (hwnd() != nullptr) {
            DestroyWindow(hwnd());
        }
        throw;
    }
}

void Form1::shutDown() {
    controller_.shutDown();
}

void Form1::fail(const std::string& what) {
    // A step of the rules went wrong: the player is told after the window has gone and the
    // display is back.
    if (failure_.empty()) {
        failure_ = what;
    }
    shutDown();
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

// ---- The port: what the controller asks of the window ----

void Form1::prepareControls() {
    // 1-2: the markers' pictures and the rack of Next Ball.
    if (const int missing = painter_.loadPictures(); missing != 0) {
        throw missingPicture(missing);
    }
    // 3-4: every ball box round and disabled; the rings are painted beneath them, magenta and
    // ten pixels wide, whenever their ball is selected.
    makeBallBoxesRound();
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        EnableWindow(controls_.ballBox(slot).hwnd(), FALSE);
    }
}

void Form1::showWindow() {
    fitToWorkArea();
    ShowWindow(hwnd(), showCommand_);
    UpdateWindow(hwnd());
    // From now on the window paints around its controls, never beneath them, so that no ball
    // flickers when the felt around it is painted again. Not while it is first shown: Wine then
    // works out the window's part of the screen less two dozen round controls at every step,
    // which takes longer than the painting itself, and the first paint lies beneath nothing but
    // empty boxes that paint themselves next.
    SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
}

void Form1::applySlot(int slot, const layout::SlotView& now) {
    const auto s = static_cast<std::size_t>(slot);
    const layout::SlotView& before = controller_.shownView().slots[s];
    BallBox& ball = controls_.ballBox(slot);
    const HWND box = ball.hwnd();
    if (box == nullptr) {
        return;
    }
    if (now.accessibleName != before.accessibleName) {
        ball.rename(widen(now.accessibleName));
    }
    if (now.free != before.free) {
        EnableWindow(box, now.free ? TRUE : FALSE);
    }
    if (now.shown != before.shown) {
        ShowWindow(box, now.shown ? SW_SHOWNA : SW_HIDE);
    }
    if (!now.drawnLike(before)) {
        InvalidateRect(box, nullptr, FALSE);
        const RECT ring = painter_.slotPaintRect(slot);
        InvalidateRect(hwnd(), &ring, FALSE);
    }
}

void Form1::applyLabel(int index, const layout::LabelView& now) {
    const auto i = static_cast<std::size_t>(index);
    const layout::LabelView& before = controller_.shownView().labels[i];
    NamedControl& label = controls_.label(index);
    if (now.caption != before.caption) {
        SetWindowTextW(label.hwnd(), widen(now.caption).c_str());
    }
    if (now.accessibleName != before.accessibleName) {
        label.rename(widen(now.accessibleName));
    }
}

void Form1::applyProgress(int secondsLeft) {
    SendMessageW(controls_.progressBar(), PBM_SETPOS, static_cast<WPARAM>(secondsLeft), 0);
}

void Form1::applyScoreEnabled(bool enabled) {
    EnableWindow(controls_.scoreButton(), enabled ? TRUE : FALSE);
}

void Form1::startTimer(controller::Timer timer, std::chrono::milliseconds interval) {
    const UINT_PTR id = timerId(timer);
    timerRunning_[static_cast<std::size_t>(timer)] =
        hwnd() != nullptr &&
        SetTimer(hwnd(), id, static_cast<UINT>(interval.count()), nullptr) != 0;
}

void Form1::stopTimer(controller::Timer timer) {
    const UINT_PTR id = timerId(timer);
    if (hwnd() != nullptr) {
        KillTimer(hwnd(), id);
    }
    timerRunning_[static_cast<std::size_t>(timer)] = false;
}

void Form1::showMessage(const controller::Message& box) {
    // MessageBox runs a loop of its own until the player closes it: it runs from the window's
    // queue, once the step that asked for it has returned, so that a close, a log-off or a menu
    // choice that comes while it is open is handled like any other message.
    message_ = box;
    // A queue too full to take the message still makes a timer's tick once it is empty; the box
    // is never shown inside the step. Without a window there is nothing to show it over.
    if (hwnd() != nullptr && !PostMessageW(hwnd(), kShowMessage, 0, 0)) {
        SetTimer(hwnd(), kBoxTimer, 0, nullptr);
    }
}

void Form1::onShowMessage() {
    if (!message_) {
        return;
    }
    const controller::Message box = std::move(*message_);
    message_.reset();
    if (controller_.hasEnded()) {
        return;
    }
    // The box belongs to the window once the player can see it (the display's messages come
    // before it is shown).
    const HWND owner = hwnd() != nullptr && IsWindowVisible(hwnd()) ? hwnd() : nullptr;
    (services_.boxes != nullptr ? *services_.boxes : systemMessageBoxes()).show(owner, box);
    controller_.messageClosed();
}

void Form1::moveFocus(const controller::Focus& target) {
    // While another window is active the focus waits for the window's activation, which gives
    // it to the controller's choice; taking it now would pull the window to the front.
    const HWND control = controlOf(target);
    if (control != nullptr && hwnd() != nullptr && GetActiveWindow() == hwnd()) {
        SetFocus(control);
    }
}

bool Form1::showHelp(controller::HelpWindow window) {
    if (!help_) {
        return false;
    }
    return window == controller::HelpWindow::About ? help_->showAbout() : help_->showRules();
}

void Form1::closeHelpWindows() {
    if (help_) {
        help_->closeAll();
    }
}

// ---- The ball boxes ----

void Form1::ballBoxClicked(int slot, int clickCount) {
    controller_.ballClicked(slot, clickCount);
}

bool Form1::ballBoxKey(int slot, controller::Key key, bool autoRepeat) {
    // The key belongs to the ball that has the focus.
    controller_.focusChanged(controller::Focus::ball(slot));
    return controller_.keyPressed(key, autoRepeat);
}

void Form1::ballBoxFocused(int slot) {
    controller_.focusChanged(controller::Focus::ball(slot));
}

void Form1::paintBallBox(int slot, HDC dc, const RECT& client, bool focused) {
    painter_.paintBall(dc, client, controller_.shownView().slots[static_cast<std::size_t>(slot)],
                       focused);
}

// ---- Window procedure ----

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = hwnd();
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers everything
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return onLabelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            onClose();
            return 0;
        case kShowMessage:
            onShowMessage();
            return 0;
        case WM_QUERYENDSESSION:
            onQueryEndSession();
            return TRUE;  // closing can never be refused
        case WM_ENDSESSION:
            onEndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Form1::destroyed() {
    // Windows has destroyed the window and its controls; the named ones have let go of theirs.
    controls_.forget();
}

bool Form1::translateDialogMessage(MSG& message) {
    if (hwnd() == nullptr || controller_.hasEnded()) {
        return false;
    }
    if (help_ && help_->translateDialogMessage(message)) {
        return true;
    }
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) {
        return false;
    }
    // Enter on a felt button presses it as Space does; the game hears the key with its repeat
    // flag (bit 30: the key was already down), which the dialog keys' IDOK would lose.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        (message.hwnd == controls_.nextButton() || message.hwnd == controls_.scoreButton())) {
        controller_.keyPressed(controller::Key::Activate,
                               (message.lParam & (LPARAM{1} << 30)) != 0);
        return true;
    }
    return IsDialogMessageW(hwnd(), &message) != FALSE;
}

// ---- Handlers ----

void Form1::onPaint() {
    painter_.paintWindow(hwnd(), controller_.shownView());
}

// The felt buttons draw themselves on the felt, Next Ball with the rack of balls above its
// caption.
void Form1::onDrawItem(const DRAWITEMSTRUCT& item) {
    static const Picture none;
    drawFeltButton(item, painter_.felt(),
                   item.hwndItem == controls_.nextButton() ? painter_.rack() : none,
                   layout::rackPixels(layout::desktopArrangement(), painter_.scale()));
}

void Form1::onDestroy() {
    shutDown();
    if (services_.quitWhenClosed) {
        PostQuitMessage(failure_.empty() ? 0 : 1);
    }
}

void Form1::onActivate(bool active) {
    // Windows would give the focus to the window itself: the controller says which control
    // gets it.
    if (active) {
        controller_.focusReturned();
    }
}

void Form1::onClose() {
    // Closing the window can not be refused; a close that comes while a message box is open
    // ends the game there (the box goes with its owner).
    shutDown();
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

void Form1::onQueryEndSession() {
    // The session may end without another message reaching us: the display goes back now.
    controller_.restoreDisplay();
}

void Form1::onEndSession(bool ending) {
    if (ending) {
        shutDown();
    } else {
        // The session asked to end and then did not: the game goes on, at its own mode again.
        controller_.resumeDisplay();
    }
}

void Form1::onTimer(UINT_PTR timer) {
    if (timer == kBoxTimer) {
        KillTimer(hwnd(), kBoxTimer);
        onShowMessage();
        return;
    }
    if (timer != kTimer1 && timer != kTimer2) {
        return;
    }
    controller_.timerFired(timer == kTimer1 ? controller::Timer::Countdown
                                            : controller::Timer::Refresh);
}

void Form1::onCommand(int id, int code, HWND control) {
    if (control == nullptr) {
        // A menu item, or Enter from the dialog keys (IDOK) on a control that does not take it
        // itself: the focused control is pressed.
        if (const std::optional<layout::MenuCommand> command = menuCommandOf(id)) {
            controller_.menuChosen(*command);
        } else if (id == IDOK) {
            controller_.keyPressed(controller::Key::Activate, false);
        }
        return;
    }
    const bool next = control == controls_.nextButton();
    if (!next && control != controls_.scoreButton()) {
        if (id == IDOK) {
            controller_.keyPressed(controller::Key::Activate, false);
        }
        return;
    }
    const controller::Button button =
        next ? controller::Button::NextBall : controller::Button::TakeScore;
    switch (code) {
        case BN_CLICKED:
            controller_.buttonPressed(button, 1);
            break;
        case BN_DOUBLECLICKED:  // the second press of a quick pair
            controller_.buttonPressed(button, 2);
            break;
        case BN_SETFOCUS:
            controller_.focusChanged(button == controller::Button::NextBall
                                         ? controller::Focus::nextBall()
                                         : controller::Focus::takeScore());
            break;
        default:
            break;
    }
}

LRESULT Form1::onLabelColours(HDC dc, HWND label) {
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(label) - kFirstLabelId);
    const bool felt = index >= layout::labels().size() || layout::labels()[index].feltBackground;
    return reinterpret_cast<LRESULT>(painter_.labelColours(dc, label, felt, shownView()));
}

}  // namespace zentrix::win32
