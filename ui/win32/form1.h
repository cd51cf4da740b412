// Form1, the game's main window, as a native Windows window: the felt, the markers and rings
// painted by the window itself, the 23 round ball boxes, the labels, the two felt buttons, the
// countdown bar, the menus and the two timers.
//
// The window is the shared Form1 controller's port: it applies what the controller says the
// controls show, runs the timers and the message boxes it asks for, moves the focus where it
// says, and forwards the player's clicks, keys and menu choices to it. What only Windows can do
// stays here: the windows, GDI, the regions, the DPI, the fonts, MessageBox and SetFocus.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "display/display_mode.h"
#include "display/display_rescue.h"
#include "game/random_source.h"
#include "ui/controller/form1_controller.h"
#include "ui/layout/form1_view.h"
#include "ui/win32/accessible_name.h"
#include "ui/win32/ball_box.h"
#include "ui/win32/board_painter.h"
#include "ui/win32/form1_controls.h"
#include "ui/win32/handles.h"
#include "ui/win32/help_windows.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/pictures.h"
#include "ui/win32/window_geometry.h"
#include "ui/win32/window_object.h"

namespace zentrix::win32 {

inline constexpr UINT_PTR kTimer1 = 1;    // the countdown
inline constexpr UINT_PTR kTimer2 = 2;    // the refresh
inline constexpr UINT_PTR kBoxTimer = 3;  // a message box whose message could not be posted

// A second copy of the game (one_game.h) finds the running game's window by this class, to bring
// it to the front.
inline constexpr const wchar_t* kForm1Class = L"ZentrixForm1";

// Start-up could not build the window; `what()` is the message for the player.
class StartUpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Form1Services {
    HINSTANCE instance = nullptr;  // registers the window classes
    HINSTANCE pictures = nullptr;  // holds the pictures and the icon; nullptr: `instance`
    RandomSource* random = nullptr;
    display::DisplayDriver* display = nullptr;
    display::DisplayRescue* rescue = nullptr;  // armed while the display is switched; may be null
    const GdiplusSession* gdiplus = nullptr;
    UINT dpi = 0;                   // dots per inch to draw at; 0: the screen's
    bool quitWhenClosed = false;    // post WM_QUIT when the window is destroyed (the program)
    MessageBoxes* boxes = nullptr;  // null: the system's MessageBox
};

class Form1 final : public WindowObject, private controller::Form1Port, private BallBoxHost {
public:
    explicit Form1(const Form1Services& services);
    // Shuts down (restoring the display) if that has not happened yet, then destroys the window.
    ~Form1();

    // The Load step: creates the window and its controls, then the controller's start-up runs:
    // the pictures, the round ball boxes, the display switch, the window shown (with
    // `showCommand`) whole in the screen's work area. Throws StartUpError when a picture is
    // missing or a window or region cannot be made; the display has then been left as it was or
    // put back.
    void startUp(int showCommand = SW_SHOWNORMAL);

    // The Unload step, run once from whichever way out comes first: the timers stopped, the
    // display put back, the help windows closed. Does not destroy the window.
    void shutDown();
    bool hasEnded() const { return controller_.hasEnded(); }

    HWND window() const { return hwnd(); }
    // The scale the design is drawn at: the screen's dots per inch over 96, or less where the
    // window would not fit on the screen.
    double scale() const { return painter_.scale(); }
    UINT dpi() const { return dpi_; }

    // Keyboard navigation among the window's controls and the help windows' (Tab, Space and
    // Enter on a focused button). Returns true when the message was consumed.
    bool translateDialogMessage(MSG& message);

    // For the program's report after the loop: set when a step of the rules failed and the
    // window closed itself.
    const std::string& failure() const { return failure_; }

    const controller::Form1Controller& controller() const { return controller_; }
    const Game& game() const { return controller_.game(); }
    const layout::Form1View& shownView() const { return controller_.shownView(); }
    // Whether Windows runs `timer` now.
    bool timerRunning(controller::Timer timer) const {
        return timerRunning_[static_cast<std::size_t>(timer)];
    }
    const display::DisplaySession& displaySession() const { return controller_.displaySession(); }
    // The About and Rules windows; null before start-up has made the window.
    HelpWindows* helpWindows() const { return help_.get(); }
    // The control that stands for `focus`, or null.
    HWND controlOf(const controller::Focus& focus) const { return controls_.controlOf(focus); }

private:
    // WindowObject
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void failed(const std::string& what) override { fail(what); }
    void destroyed() override;

    // Form1Port
    void prepareControls() override;
    void showWindow() override;
    void applySlot(int slot, const layout::SlotView& view) override;
    void applyLabel(int index, const layout::LabelView& view) override;
    void applyProgress(int secondsLeft) override;
    void applyScoreEnabled(bool enabled) override;
    void startTimer(controller::Timer timer, std::chrono::milliseconds interval) override;
    void stopTimer(controller::Timer timer) override;
    void showMessage(const controller::Message& box) override;
    void moveFocus(const controller::Focus& target) override;
    bool showHelp(controller::HelpWindow window) override;
    void closeHelpWindows() override;
    // The window closes itself on every way out; nothing more to do when the game has ended.
    void ended() override {}

    // BallBoxHost
    void ballBoxClicked(int slot, int clickCount) override;
    bool ballBoxKey(int slot, controller::Key key, bool autoRepeat) override;
    void ballBoxFocused(int slot) override;
    void paintBallBox(int slot, HDC dc, const RECT& client, bool focused) override;
    void ballBoxFailed(const std::string& what) override { fail(what); }

    // The window, its icons and its controls.
    void createWindow();
    void makeBallBoxesRound();
    // After the display switch: the scale the screen allows, and the whole window inside the
    // screen's work area.
    void fitToWorkArea();

    // The window procedure's handlers, one a message.
    void onPaint();
    void onCommand(int id, int code, HWND control);  // menus, buttons and the dialog keys
    void onTimer(UINT_PTR timer);
    void onDrawItem(const DRAWITEMSTRUCT& item);  // the felt buttons
    LRESULT onLabelColours(HDC dc, HWND label);   // WM_CTLCOLORSTATIC of the labels
    void onActivate(bool active);
    void onClose();
    void onShowMessage();  // the box the controller asked for, from the message queue
    void onQueryEndSession();
    void onEndSession(bool ending);
    void onDestroy();

    void fail(const std::string& what);

    Form1Services services_;
    UINT dpi_ = kClassicDpi;
    int showCommand_ = SW_SHOWNORMAL;
    BoardPainter painter_;
    controller::Form1Controller controller_;
    std::optional<controller::Message> message_;  // asked for, not yet shown

    std::unique_ptr<HelpWindows> help_;  // closed with the window
    Form1Controls controls_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;

    std::array<bool, controller::kTimers.size()> timerRunning_{};  // by controller::Timer
    bool started_ = false;
    std::string failure_;
};

}  // namespace zentrix::win32
