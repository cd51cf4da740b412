// How the main window shows a message box the controller asked for: from the window's queue,
// never inside a step of the game, returning once the box is closed. The system's MessageBox,
// unless a bench shows them its own way.
#pragma once

#include <windows.h>

#include "ui/controller/form1_controller.h"

namespace zentrix::win32 {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(HWND owner, const controller::Message& box) = 0;
};

// MessageBox with the box's text, title and icon and one OK button; it runs a loop of its own
// until the player closes it.
MessageBoxes& systemMessageBoxes();

}  // namespace zentrix::win32
