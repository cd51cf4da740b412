// The main window's first size and place on a desktop, worked out once for every front end: the
// scale the board is drawn at, how large the client area is, and where the whole window stands in
// the screen's work area.
//
// The board is drawn at the display's scale (its dots per inch over 96; 1 where the toolkit
// scales for the display itself), made smaller where the window would not fit the work area at
// it, but not below the design's own size while that fits. Where the work area is too low for the
// whole client area (a taskbar on the game's 1024 x 768 screen), a window that draws the board at
// a scale of its own gives up the bare felt below the status row first; only where even that does
// not fit is the board drawn smaller, never below the least size it is drawn at. A window that
// fits the whole board to its client area keeps it whole, smaller. The window then stands inside
// the work area, as near the place the system chose as it can be.
#pragma once

#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

struct OpeningRequest {
    PixelRect workArea;   // the screen's free area, in the window system's pixels
    int frameWidth = 0;   // what the frame adds to the client area: borders, title bar,
    int frameHeight = 0;  // menu bar
    double displayScale = 1.0;
    int left = 0;  // where the system would put the window's top-left corner
    int top = 0;
    bool wholeBoard = false;  // the board is fitted whole to the client area, bare felt and all
};

struct Opening {
    double scale = 1.0;  // the board's scale
    PixelRect client;    // the client area: 0, 0 and its size
    PixelRect window;    // the whole window, frame included, in the work area's pixels
    friend bool operator==(const Opening&, const Opening&) = default;
};

Opening openingSize(const OpeningRequest& request);

}  // namespace zentrix::layout
