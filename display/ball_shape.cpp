#include "display/ball_shape.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace zentrix::display {

std::int32_t TwipsToPixels(float twips, float twipsPerPixel) {
    if (!(twipsPerPixel > 0.0F)) {
        throw std::domain_error("twips per pixel must be positive");
    }
    // The quotient in single precision, as the layout's sizes are single-precision numbers.
    const float quotient = twips / twipsPerPixel;
    if (!std::isfinite(quotient)) {
        throw std::overflow_error("ball size in pixels");
    }
    double whole = std::floor(static_cast<double>(quotient));
    const double fraction = static_cast<double>(quotient) - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        whole > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("ball size in pixels");
    }
    return static_cast<std::int32_t>(whole);
}

PixelRect BallEllipseRect(float widthTwips, float heightTwips, float twipsPerPixelX,
                          float twipsPerPixelY) {
    return {0, 0, TwipsToPixels(widthTwips, twipsPerPixelX),
            TwipsToPixels(heightTwips, twipsPerPixelY)};
}

#ifdef _WIN32
void MakeRound(HWND window, float widthTwips, float heightTwips, float twipsPerPixelX,
               float twipsPerPixelY) {
    const PixelRect rect = BallEllipseRect(widthTwips, heightTwips, twipsPerPixelX, twipsPerPixelY);
    const HRGN region = CreateEllipticRgn(rect.left, rect.top, rect.right, rect.bottom);
    SetWindowRgn(window, region, TRUE);
}
#endif

}  // namespace zentrix::display
