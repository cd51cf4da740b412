// Form1, the game's main window, as a native Windows window: the felt, the markers and rings
// painted by the window itself, the 23 round ball boxes, the labels, the two buttons, the
// countdown bar, the menus and the two timers.
//
// The window only applies what layout::viewOf(game) says it shows and forwards what the player
// and the timers do to the rules; it works nothing out itself.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

#include "display/display_mode.h"
#include "display/display_session.h"
#include "game/game.h"
#include "ui/layout/form1_view.h"
#include "ui/win32/handles.h"
#include "ui/win32/help_windows.h"
#include "ui/win32/pictures.h"

namespace zentrix::win32 {

// Control and menu identifiers, for GetDlgItem and WM_COMMAND. None is 1 or 2, which dialog
// navigation sends for Enter and Escape.
inline constexpr int kMenuFileNew = 101;
inline constexpr int kMenuHelpRules = 102;
inline constexpr int kMenuHelpAbout = 103;
inline constexpr int kNextBallId = 200;       // cmdNext
inline constexpr int kScoreId = 201;          // cmdScore
inline constexpr int kProgressBarId = 202;    // ProgressBar1
inline constexpr int kFirstLabelId = 301;     // Label1; Label7 is 307
inline constexpr int kFirstBallBoxId = 1000;  // Picture1(slot) is 1000 + slot
inline constexpr UINT_PTR kTimer1 = 1;        // the countdown
inline constexpr UINT_PTR kTimer2 = 2;        // the refresh

inline constexpr const wchar_t* kForm1Class = L"ZentrixForm1";
inline constexpr const wchar_t* kBallBoxClass = L"ZentrixBallBox";

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
    const GdiplusSession* gdiplus = nullptr;
    UINT dpi = 0;                 // dots per inch to draw at; 0: the screen's
    bool quitWhenClosed = false;  // post WM_QUIT when the window is destroyed (the program)
};

class Form1 final : private MessagePresenter, private display::DisplayMessages {
public:
    explicit Form1(const Form1Services& services);
    // Shuts down (restoring the display) if that has not happened yet, then destroys the window.
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The Load step: creates the window and its controls, loads the pictures, makes the ball
    // boxes round, switches the display and shows the window (with `showCommand`). Throws
    // StartUpError when a picture is missing or a window or region cannot be made; the display
    // has then been left as it was or put back.
    void startUp(int showCommand = SW_SHOWNORMAL);

    // The Unload step, run once from whichever way out comes first: stops the timers, puts the
    // display back and closes the help windows. Does not destroy the window.
    void shutDown();
    bool ended() const { return ended_; }

    HWND window() const { return window_.get(); }
    // The scale the design is drawn at: the screen's dots per inch over 96, or less where the
    // window would not fit on the screen.
    double scale() const { return scale_; }
    UINT dpi() const { return dpi_; }

    // Where the game's and the display's message boxes go; nullptr for the real MessageBox.
    // The window is brought up to date and both timers are killed before either is called.
    void replaceMessages(MessagePresenter* game, display::DisplayMessages* display);

    // Keyboard navigation among the window's controls (Tab, Space on a focused control).
    // Returns true when the message was consumed.
    bool translateDialogMessage(MSG& message);

    // For the program's report after the loop: set when a step of the rules failed and the
    // window closed itself.
    const std::string& failure() const { return failure_; }

    // What the window has applied, and its timers as Windows runs them.
    const Game& game() const { return game_; }
    const layout::Form1View& shownView() const { return shown_; }
    bool timerRunning(UINT_PTR timer) const;
    // WM_TIMER messages received for `timer` so far.
    int timerTicks(UINT_PTR timer) const;
    const display::DisplaySession& displaySession() const { return session_; }
    // The About and Rules windows; null before start-up has made the window.
    HelpWindows* helpWindows() const { return help_.get(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ballBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    static void registerClasses(HINSTANCE instance);

    // Runs a window procedure's handler; an exception from it ends the game instead of crossing
    // into Windows.
    template <typename Handler>
    LRESULT guarded(Handler&& handler);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleBallBox(HWND box, int slot, UINT message, WPARAM wParam, LPARAM lParam);

    // Window and controls.
    void createWindow();
    // A control at its place in the design, at scale().
    HWND createChild(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                     const layout::TwipsRect& rect);
    void createControls();
    // Places every control, its font and the window's size at scale(). Controls just made
    // by createControls are in place already and are not moved again.
    void layOut(bool controlsInPlace = false);
    // Shrinks a window scaled for a high-DPI screen to what the screen holds.
    void fitToScreen();
    HMENU createMenus();
    void loadPictures();
    // Picture `number`, or StartUpError naming it.
    Picture loadPicture(int number) const;
    // The face of ball `value`, loaded the first time a ball of that value is drawn.
    const Picture& ballFace(int value);
    void makeBallBoxesRound();
    layout::PixelRect place(const layout::TwipsRect& twips) const;

    // Handlers, named after their control and event.
    void Form1_Paint();
    void Form1_Activate(bool active);
    void Form1_Close();
    void Form1_QueryEndSession();
    void Form1_EndSession(bool ending);
    void Form1_Timer(UINT_PTR timer);
    void Form1_Command(int id, HWND control);
    void mnuHelpRules_Click();
    void mnuHelpAbout_Click();
    void Picture1_Click(int slot);
    void Picture1_Paint(HWND box, int slot);
    void Buttons_DrawItem(const DRAWITEMSTRUCT& item);
    LRESULT Labels_CtlColor(HDC dc, HWND label);

    // Drawing of the felt and what lies on it, in the window's client coordinates.
    void paintBoard(HDC dc, const RECT& area) const;
    RECT ringPaintRect(int slot) const;

    // Runs one step of the rules and shows its outcome, unless the game has ended.
    template <typename Step>
    void forward(Step&& step);
    void syncView();
    void syncTimers(bool timer1, bool timer2);
    void fail(const std::string& what);

    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override;
    void showDisplayMessage(std::string_view text, std::string_view title,
                            display::DisplayMessageStyle style) override;

    Form1Services services_;
    UINT dpi_ = kClassicDpi;
    double scale_ = 1.0;

    Game game_;
    display::DisplaySession session_;
    MessagePresenter* messages_ = nullptr;
    display::DisplayMessages* displayMessages_ = nullptr;

    UniqueWindow window_;
    std::unique_ptr<HelpWindows> help_;  // owned by the window: gone before it
    std::array<HWND, layout::kSlotCount> ballBoxes_{};
    std::array<HWND, 7> labels_{};
    HWND nextButton_ = nullptr;
    HWND scoreButton_ = nullptr;
    HWND progressBar_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation

    UniqueBrush felt_;
    std::array<UniqueFont, 7> labelFonts_;
    UniqueFont nextFont_;
    UniqueFont scoreFont_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::array<Picture, 11> balls_;  // by value, 1..10; empty until first drawn
    std::array<Picture, 6> markers_;
    Picture rack_;

    layout::Form1View shown_ = layout::initialView();
    std::array<bool, 3> timerRunning_{};
    std::array<int, 3> timerTicks_{};
    bool started_ = false;
    bool ended_ = false;
    std::string failure_;
};

// The program's message loop over `form` (and, once they exist, its help windows). Returns the
// exit code WM_QUIT carries.
int runMessageLoop(Form1& form);

}  // namespace zentrix::win32
