// Where the game's windows stand on the screen and how large their frames make them: the screen's
// dots per inch and work area, the scale that fits it, the frame around a client area, and the
// move that keeps a window on the screen. Shared by the main window and the help windows.
#pragma once

#include <windows.h>

#include "ui/layout/form1_layout.h"

namespace zentrix::win32 {

inline constexpr UINT kClassicDpi = 96;

// The uniform scale of the design on a screen of `dpi` dots per inch (1 at 96).
double scaleForDpi(UINT dpi);
// The dots per inch of the screen the window is drawn on (the system's, as the program is
// DPI-aware for the whole system).
UINT screenDpi();
// The dots per inch of `window`: its own where Windows knows it per window (Windows 10 and
// later), the screen's otherwise.
UINT windowDpi(HWND window);

// The work area of the screen `window` lies on, cut to the screen's size as the display switch
// left it (should the work area not have caught up yet).
RECT screenWorkArea(HWND window);
// `scale` made smaller where a client area of `design` pixels, in a frame that adds `frame` to
// it, would not fit `work`, but never below the design's own size: on the game's 1024 x 768
// screen a window scaled for a high-DPI screen is drawn as large as the screen allows.
double scaleToFit(double scale, const RECT& work, SIZE frame, const layout::PixelRect& design);

// What a frame of `style` and `exStyle` (with a menu bar when `menu`) adds to a client area, in
// the metrics of `dpi` where Windows can tell them (Windows 10 and later), the system's
// otherwise. The program is DPI-aware for the whole system, so a window's own DPI (windowDpi) is
// the system's and both give the frame Windows draws.
SIZE frameSize(DWORD style, DWORD exStyle, bool menu, UINT dpi);

// The top-left corner that puts a window of `size` inside `work`, as near `topLeft` as it can be;
// a window larger than `work` keeps to its left and top edges.
POINT keptInside(POINT topLeft, SIZE size, const RECT& work);

// A rectangle in pixels as Windows gives one: left, top, right and bottom.
RECT toRect(const layout::PixelRect& rect);

}  // namespace zentrix::win32
