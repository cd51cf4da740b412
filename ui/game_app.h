// The program around the window: the display check, the application, the window's start-up,
// and every way out (window closed, desktop session ending, SIGINT, SIGTERM) ending in the same
// orderly shut-down that puts the display back.
#pragma once

namespace zentrix::ui {

// Runs the game and returns the process's exit code.
int runGame(int argc, char** argv);

}  // namespace zentrix::ui
