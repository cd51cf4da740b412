// The windows' whole design as one JSON document, for the web page, which builds its controls
// from it: nothing of the layout is written again in the page's scripts.
#pragma once

#include <string>

namespace zentrix::web {

// Form1's controls, menus and tab order, the pictures' sizes, the timers' intervals, and the
// About and Rules windows with the rules text. Positions and sizes in pixels of the design.
std::string layoutJson();

}  // namespace zentrix::web
