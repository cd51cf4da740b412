// A display driver that follows a script, for tests of the switch and of the window: a fixed
// mode list, the result code each change returns, and a record of every change asked for.
// A change that returns success puts the display in the requested mode (its size, depth and
// refresh rate become the current ones); any other code leaves the display as it was.
#pragma once

#include <deque>
#include <vector>

#include "display/display_mode.h"

namespace zentrix::display {

class ScriptedDisplayDriver final : public DisplayDriver {
public:
    // `current` empty: a display that cannot tell its current mode.
    ScriptedDisplayDriver(std::vector<DisplayMode> modes, std::optional<DisplayMode> current);

    // Codes for the next changes, in order; once used up, changes succeed.
    void scriptChangeResults(std::vector<std::int32_t> results);

    // What the screen's device reports from now on; until this is called it reports one plane
    // of the current mode's depth.
    void scriptColorFormat(ColorFormat format) { colorFormat_ = format; }

    // Every mode a change was asked for, in order.
    const std::vector<DisplayMode>& changes() const { return changes_; }
    // Every mode index asked of the enumeration, in order.
    const std::vector<std::int32_t>& enumeratedIndices() const { return enumerated_; }

    std::optional<DisplayMode> enumerateMode(std::int32_t index) override;
    std::optional<DisplayMode> currentMode() override;
    std::int32_t changeModeTemporarily(const DisplayMode& mode) override;
    ColorFormat colorFormat() override;
    ScreenSize screenSize() override;

private:
    std::vector<DisplayMode> modes_;
    std::optional<DisplayMode> current_;
    std::optional<ColorFormat> colorFormat_;
    std::deque<std::int32_t> results_;
    std::vector<DisplayMode> changes_;
    std::vector<std::int32_t> enumerated_;
};

}  // namespace zentrix::display
