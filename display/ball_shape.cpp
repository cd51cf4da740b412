#include "display/ball_shape.h"

namespace zentrix::display {

PixelRect ballEllipseRect(float widthTwips, float heightTwips, float twipsPerPixelX,
                          float twipsPerPixelY) {
    return {0, 0, twipsToPixels(widthTwips, twipsPerPixelX),
            twipsToPixels(heightTwips, twipsPerPixelY)};
}

#ifdef _WIN32
void MakeRound(HWND window, float widthTwips, float heightTwips, float twipsPerPixelX,
               float twipsPerPixelY) {
    const PixelRect rect = ballEllipseRect(widthTwips, heightTwips, twipsPerPixelX, twipsPerPixelY);
    const HRGN region = CreateEllipticRgn(rect.x, rect.y, rect.right(), rect.bottom());
    SetWindowRgn(window, region, TRUE);
}
#endif

}  // namespace zentrix::display
