// The display driver over the Windows display functions of user32 and gdi32 (the primary
// display device). Built only for Windows.
//
// Programs whose manifest declares Windows 8 or later are offered no mode below 32 bits per
// pixel; for them no 16-bit mode matches and the switch changes nothing.
#pragma once

#ifdef _WIN32

#include <windows.h>

#include "display/display_mode.h"

namespace zentrix::display {

class WindowsDisplayDriver final : public DisplayDriver {
public:
    // EnumDisplaySettingsA on the current display device.
    std::optional<DisplayMode> enumerateMode(std::int32_t index) override;
    // EnumDisplaySettingsA with ENUM_CURRENT_SETTINGS.
    std::optional<DisplayMode> currentMode() override;
    // ChangeDisplaySettingsA with CDS_FULLSCREEN: for this run only, never registered. When the
    // mode is the one last enumerated or the one last read as current, that record is passed on
    // exactly as the platform filled it.
    std::int32_t changeModeTemporarily(const DisplayMode& mode) override;
    // GetDeviceCaps PLANES and BITSPIXEL on the screen's device context.
    ColorFormat colorFormat() override;
    // GetSystemMetrics SM_CXSCREEN and SM_CYSCREEN.
    ScreenSize screenSize() override;

private:
    DEVMODEA lastEnumerated_{};
    bool haveLastEnumerated_ = false;
    DEVMODEA lastCurrent_{};
    bool haveLastCurrent_ = false;
};

// ChangeDisplaySettingsExW with CDS_FULLSCREEN on a record made from `mode` alone (its refresh
// rate only when it has one). Allocates nothing itself: the display rescue calls it after a
// crash.
std::int32_t changeModeTemporarilyTo(const DisplayMode& mode) noexcept;

// The display back at the mode registered for it (the desktop's own, which no temporary switch
// changes), when the mode in force differs: for a start after a game that ended switched, which
// would otherwise take the game's mode for the desktop's. Returns the change's result code, or
// nothing when no change was needed or the display could not tell its modes.
std::optional<std::int32_t> putRegisteredModeBack();

}  // namespace zentrix::display

#endif  // _WIN32
