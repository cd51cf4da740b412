#include "display/display_mode.h"

#include <limits>
#include <stdexcept>

namespace zentrix::display {

namespace {

std::int16_t narrowTo16(std::int32_t value, const char* what) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error(what);
    }
    return static_cast<std::int16_t>(value);
}

bool matches(const DisplayMode& mode, std::int16_t width, std::int16_t height,
             std::int16_t bitsPerPixel) {
    // Only the low 16 bits of the depth count, read as a signed number.
    const auto depth = static_cast<std::int16_t>(static_cast<std::uint16_t>(mode.bitsPerPixel));
    return static_cast<std::int64_t>(mode.width) == width &&
           static_cast<std::int64_t>(mode.height) == height && depth == bitsPerPixel;
}

}  // namespace

std::optional<DisplayMessage> messageForResult(std::int32_t result) {
    switch (result) {
        case kChangeRestart:
            return DisplayMessage{
                "The computer must be restarted in order for the graphics mode to work",
                DisplayMessageStyle::Question};
        case kChangeFailed:
            return DisplayMessage{"The display driver failed the specified graphics mode",
                                  DisplayMessageStyle::Critical};
        case kChangeBadMode:
            return DisplayMessage{"The graphics mode is not supported",
                                  DisplayMessageStyle::Critical};
        case kChangeNotUpdated:
            return DisplayMessage{"Unable to write settings to the registry",
                                  DisplayMessageStyle::Critical};
        case kChangeBadFlags:
            return DisplayMessage{"You Passed invalid data", DisplayMessageStyle::Critical};
        default:
            return std::nullopt;
    }
}

std::optional<std::int32_t> SetDisplayMode(DisplayDriver& driver, DisplayMessages& messages,
                                           std::int16_t width, std::int16_t height,
                                           std::int16_t bitsPerPixel) {
    std::optional<std::int32_t> result;
    for (std::int32_t index = 0;; ++index) {
        const std::optional<DisplayMode> mode = driver.enumerateMode(index);
        if (!mode) {
            break;
        }
        if (matches(*mode, width, height, bitsPerPixel)) {
            result = driver.changeModeTemporarily(*mode);
            break;
        }
        if (index == std::numeric_limits<std::int32_t>::max()) {
            throw std::overflow_error("display mode index");
        }
    }
    if (result) {
        if (const auto message = messageForResult(*result)) {
            messages.showDisplayMessage(message->text, kDisplayMessageTitle, message->style);
        }
    }
    return result;
}

std::int16_t GetColorDepth(DisplayDriver& driver) {
    const ColorFormat format = driver.colorFormat();
    const std::int16_t planes = narrowTo16(format.planes, "colour planes");
    const std::int16_t bits = narrowTo16(format.bitsPerPlane, "bits per pixel");
    return narrowTo16(bits * planes, "colour depth");
}

}  // namespace zentrix::display
