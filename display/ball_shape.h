// The round ball windows: each ball box shows and takes clicks only inside the ellipse
// inscribed in its outer rectangle, computed once at start-up from the box's size in twips.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zentrix::display {

// A rectangle in a window's own pixel coordinates (origin at its top-left corner).
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to whole pixels: the quotient rounded to the nearest whole number, a half going to the
// even neighbour (112.5 gives 112, 113.5 gives 114). Throws std::domain_error when a twips-per-
// pixel value is not positive and std::overflow_error when the result does not fit in 32 bits.
std::int32_t TwipsToPixels(float twips, float twipsPerPixel);

// The rectangle whose inscribed ellipse is the ball's shape: from (0, 0) to the box's width and
// height in pixels. A box 1700 twips square at 15 twips per pixel gives (0, 0, 113, 113). The
// Qt window applies it as an elliptic mask.
PixelRect BallEllipseRect(float widthTwips, float heightTwips, float twipsPerPixelX,
                          float twipsPerPixelY);

#ifdef _WIN32
// Clips a native ball window to that ellipse (CreateEllipticRgn, SetWindowRgn with redraw). The
// window owns the region from then on. The platform calls' results are not examined: if they
// fail, the box stays rectangular and the game goes on.
void MakeRound(HWND window, float widthTwips, float heightTwips, float twipsPerPixelX,
               float twipsPerPixelY);
#endif

}  // namespace zentrix::display
