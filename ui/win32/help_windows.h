// The Help menu's two windows, About and Rules, as native Windows windows.
//
// Both are modeless information windows owned by the main window, so they stay above it and, like
// the game's windows always did, have no button of their own on the taskbar. The game and its
// countdown go on while they are open. There is at most one of each: choosing it again brings it
// to the front, and one opened after being closed starts afresh (the rules scrolled to their first
// line).
#pragma once

#include <windows.h>

#include <memory>

namespace zentrix::win32 {

class AboutWindow;
class RulesWindow;

class HelpWindows {
public:
    // owner: the main window; the help windows are scaled to its screen's DPI.
    HelpWindows(HINSTANCE instance, HWND owner);
    ~HelpWindows();
    HelpWindows(const HelpWindows&) = delete;
    HelpWindows& operator=(const HelpWindows&) = delete;

    // Help > About.
    void showAbout();
    // Help > Rules.
    void showRules();
    // Closes whichever is open; the main window does this when the game ends.
    void closeAll();

    // The open windows, or null while closed.
    HWND aboutWindow() const;
    HWND rulesWindow() const;

    // For the message loop: Tab, Enter and Escape in the help windows behave as in a dialog.
    // Returns true when the message was consumed and must not be dispatched again.
    bool translateDialogMessage(MSG& message);

private:
    HINSTANCE instance_;
    HWND owner_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<RulesWindow> rules_;
};

}  // namespace zentrix::win32
