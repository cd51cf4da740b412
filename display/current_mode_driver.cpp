#include "display/current_mode_driver.h"

#include <algorithm>
#include <limits>

namespace zentrix::display {

namespace {

std::int32_t toInt32(std::uint32_t value) {
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(value, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CurrentModeDriver::CurrentModeDriver(const DisplayMode& current) : current_(current) {}

std::optional<DisplayMode> CurrentModeDriver::enumerateMode(std::int32_t index) {
    if (index == 0) {
        return current_;
    }
    return std::nullopt;
}

std::optional<DisplayMode> CurrentModeDriver::currentMode() {
    return current_;
}

std::int32_t CurrentModeDriver::changeModeTemporarily(const DisplayMode& mode) {
    const bool same = mode.width == current_.width && mode.height == current_.height &&
                      mode.bitsPerPixel == current_.bitsPerPixel;
    return same ? kChangeSuccessful : kChangeBadMode;
}

ColorFormat CurrentModeDriver::colorFormat() {
    return {1, toInt32(current_.bitsPerPixel)};
}

ScreenSize CurrentModeDriver::screenSize() {
    return {toInt32(current_.width), toInt32(current_.height)};
}

}  // namespace zentrix::display
