// The round ball windows: each ball box shows and takes clicks only inside the ellipse
// inscribed in its outer rectangle, computed once at start-up from the box's size in twips.
#pragma once

#include "display/pixels.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zentrix::display {

// The rectangle whose inscribed ellipse is the ball's shape: from (0, 0) to the box's width and
// height in pixels. A box 1700 twips square at 15 twips per pixel gives (0, 0, 113, 113). The
// Qt window applies it as an elliptic mask.
PixelRect ballEllipseRect(float widthTwips, float heightTwips, float twipsPerPixelX,
                          float twipsPerPixelY);

#ifdef _WIN32
// Clips a native ball window to that ellipse (CreateEllipticRgn, SetWindowRgn with redraw). The
// window owns the region from then on. The platform calls' results are not examined: if they
// fail, the box stays rectangular and the game goes on.
void MakeRound(HWND window, float widthTwips, float heightTwips, float twipsPerPixelX,
               float twipsPerPixelY);
#endif

}  // namespace zentrix::display
