// Form1 on the test bench under Wine: a real window in the prefix's virtual desktop, scripted
// draws, and messages recorded together with what the window showed when each opened.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/display_mode.h"
#include "tests/box_recorder.h"
#include "tests/game/table.h"
#include "ui/win32/form1.h"
#include "ui/win32/pictures.h"

namespace zentrix::win32::testing {

// The boxes the window was asked to show, each with its timers as they stood then, and its style
// as the number Windows is given.
class RecordedMessages : public zentrix::testing::BoxRecorder<int>, public MessageBoxes {
public:
    void watch(const Form1& form);
    void show(HWND owner, const controller::Message& box) override;

    // Run while a box is open, as a player might act then.
    std::function<void()> whileOpen;
};

// The display mode in force, as Windows reports it.
display::DisplayMode currentDisplayMode();

class WindowBench {
public:
    explicit WindowBench(display::DisplayDriver* driver = nullptr);
    ~WindowBench();

    // Creates and starts Form1; `recordMessages` false leaves the real MessageBox in place.
    void open(UINT dpi = 96, bool recordMessages = true, HINSTANCE pictures = nullptr);
    // Opens the window and starts a game on the plain deal with File > New.
    void openOnPlainDeal();
    Form1& form() { return *form_; }
    HWND window() const { return form_->window(); }
    HWND control(int id) const { return GetDlgItem(form_->window(), id); }
    HWND ballBox(int slot) const { return control(kFirstBallBoxId + slot); }
    HWND label(int number) const { return control(kFirstLabelId + number - 1); }  // Label1..7

    // The player's actions, as Windows delivers them to the window; a menu choice and a press
    // are followed by the message boxes they bring, which the window shows from its queue.
    void menu(int id);
    void press(HWND button);  // BM_CLICK
    void showMessages();
    // A left click at `client` (the window's client coordinates) on whatever window lies there;
    // returns that window.
    HWND clickAt(POINT client);
    // The centre of ball box `slot`, in the window's client coordinates.
    POINT ballCentre(int slot) const;
    // A key pressed and released on whatever has the keyboard focus, through the message loop as
    // the program runs it (dialog keys first). `extended`: the keypad's Enter, say.
    void key(WPARAM virtualKey, bool extended = false);
    // A key held down long enough for the keyboard to repeat it `repeats` times, then released.
    void keyHeld(WPARAM virtualKey, int repeats);
    // Timer2's tick, delivered at once.
    void refreshTick();
    // The ticks Windows has delivered to the window for `timer` since it opened, whatever loop
    // took them from the queue (a message box's own among them).
    int timerTicks(controller::Timer timer) const;
    // Runs the message loop for `time`.
    void pump(std::chrono::milliseconds time);
    // Runs the message loop until `done`. The limit only ends a wait for what never comes; a
    // busy machine never reaches it.
    bool pumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = std::chrono::seconds(60));
    // With ZENTRIX_SCREENSHOTS naming a folder, saves the window as it is on screen to
    // <folder>/<name>.bmp, to look at; otherwise does nothing.
    void screenshot(const char* name);

    zentrix::testing::ScriptedRandom random;
    RecordedMessages messages;
    display::DisplayMode startMode;

private:
    // Counts the window's WM_TIMER messages as they leave the queue.
    static LRESULT CALLBACK countTicks(int code, WPARAM wParam, LPARAM lParam);
    static inline WindowBench* current_ = nullptr;
    HHOOK tickHook_ = nullptr;
    std::array<int, controller::kTimers.size()> ticks_{};

    GdiplusSession gdiplus_;
    std::unique_ptr<display::DisplayDriver> ownDriver_;
    display::DisplayDriver* driver_;
    std::unique_ptr<Form1> form_;
};

std::string windowText(HWND window);
int progressValue(HWND bar);

}  // namespace zentrix::win32::testing
