// The program around the window: the display check, the application, the window's start-up,
// and every way out (window closed, desktop session ending, SIGINT, SIGTERM) ending in the same
// orderly shut-down that puts the display back.
#pragma once

#include <memory>

#include "display/display_mode.h"

namespace zentrix::ui {

// The display driver for this platform, once the application exists: the real display functions
// on Windows; elsewhere the primary screen's current mode alone, so that nothing on these
// desktops changes the user's display.
std::unique_ptr<display::DisplayDriver> makeDisplayDriver();

// Runs the game and returns the process's exit code.
int runGame(int argc, char** argv);

}  // namespace zentrix::ui
