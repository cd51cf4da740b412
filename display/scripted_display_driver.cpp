#include "display/scripted_display_driver.h"

#include <utility>

namespace zentrix::display {

ScriptedDisplayDriver::ScriptedDisplayDriver(std::vector<DisplayMode> modes,
                                             std::optional<DisplayMode> current)
    : modes_(std::move(modes)), current_(current) {}

void ScriptedDisplayDriver::scriptChangeResults(std::vector<std::int32_t> results) {
    results_.assign(results.begin(), results.end());
}

std::optional<DisplayMode> ScriptedDisplayDriver::enumerateMode(std::int32_t index) {
    enumerated_.push_back(index);
    if (index < 0 || static_cast<std::size_t>(index) >= modes_.size()) {
        return std::nullopt;
    }
    return modes_[static_cast<std::size_t>(index)];
}

std::optional<DisplayMode> ScriptedDisplayDriver::currentMode() {
    return current_;
}

std::int32_t ScriptedDisplayDriver::changeModeTemporarily(const DisplayMode& mode) {
    changes_.push_back(mode);
    std::int32_t result = kChangeSuccessful;
    if (!results_.empty()) {
        result = results_.front();
        results_.pop_front();
    }
    if (result == kChangeSuccessful) {
        current_ = mode;
    }
    return result;
}

ColorFormat ScriptedDisplayDriver::colorFormat() {
    if (colorFormat_) {
        return *colorFormat_;
    }
    const std::uint32_t depth = current_ ? current_->bitsPerPixel : 0;
    return {1, static_cast<std::int32_t>(depth)};
}

ScreenSize ScriptedDisplayDriver::screenSize() {
    if (!current_) {
        return {};
    }
    return {static_cast<std::int32_t>(current_->width),
            static_cast<std::int32_t>(current_->height)};
}

}  // namespace zentrix::display
