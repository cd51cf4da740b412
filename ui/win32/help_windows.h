// The Help menu's two windows, About and Rules, as native Windows windows.
//
// Both are modeless information windows with no tie to the main window: minimising the board
// leaves them open, and the board can come in front of them. A hidden window of the program that is
// never shown owns them, so that, like the game's windows always did, they have no button of their
// own on the taskbar. The game and its countdown go on while they are open. There is at most one of
// each: choosing it again brings it to the front, and one opened after being closed starts afresh
// (the rules scrolled to their first line).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/win32/handles.h"

namespace zentrix::win32 {

class AboutWindow;
class RulesWindow;

class HelpWindows {
public:
    // mainWindow: the help windows are scaled to its screen's DPI. `failed` hears of an error in a
    // help window's handler (which closes that window); none by default.
    HelpWindows(HINSTANCE instance, HWND mainWindow,
                std::function<void(const std::string&)> failed = {});
    ~HelpWindows();
    HelpWindows(const HelpWindows&) = delete;
    HelpWindows& operator=(const HelpWindows&) = delete;

    // Help > About, and Help > Rules. False when the window cannot be opened.
    bool showAbout();
    bool showRules();
    // Closes whichever is open; the main window does this when the game ends.
    void closeAll();

    // The open windows, or null while closed.
    HWND aboutWindow() const;
    HWND rulesWindow() const;
    // The hidden window that owns them, once one has opened.
    HWND hiddenOwner() const { return hiddenOwner_.get(); }

    // For the message loop: Tab, Enter and Escape in the help windows behave as in a dialog.
    // Returns true when the message was consumed and must not be dispatched again.
    bool translateDialogMessage(MSG& message);

private:
    HWND ownerForNewWindow();

    HINSTANCE instance_;
    HWND mainWindow_;
    std::function<void(const std::string&)> failed_;
    UniqueWindow hiddenOwner_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<RulesWindow> rules_;
};

}  // namespace zentrix::win32
