#include "display/pixels.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace zentrix::display {

std::int32_t twipsToPixels(double twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0.0)) {
        throw std::domain_error("twips per pixel must be positive");
    }
    const double quotient = twips / twipsPerPixel;
    if (!std::isfinite(quotient)) {
        throw std::overflow_error("size in pixels");
    }
    double whole = std::floor(quotient);
    const double fraction = quotient - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        whole > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("size in pixels");
    }
    return static_cast<std::int32_t>(whole);
}

}  // namespace zentrix::display
