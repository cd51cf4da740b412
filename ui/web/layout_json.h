// The windows' whole design as one JSON document, for the web page, which builds its controls
// from it: nothing of the layout is written again in the page's scripts. It is written once, when
// the site is built (print_layout.cpp), and carried inside the page, so that the page can show
// the window before the game's module has loaded.
#pragma once

#include <string>

namespace zentrix::web {

// Form1's controls, menus and tab order, the pictures' sizes, the timers' intervals, and the
// About and Rules windows with the rules text, and the window as the game's start-up leaves it.
// Positions and sizes in pixels of the design.
std::string layoutJson();

}  // namespace zentrix::web
