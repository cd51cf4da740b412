#ifdef _WIN32

#include "display/windows_display_driver.h"

namespace zentrix::display {

namespace {

// A mode record ready for the enumeration call: zero-filled, with its size set first, as the
// platform requires.
DEVMODEA blankRecord() {
    DEVMODEA record{};
    record.dmSize = sizeof(DEVMODEA);
    record.dmDriverExtra = 0;
    return record;
}

DisplayMode modeOf(const DEVMODEA& record) {
    return {record.dmPelsWidth, record.dmPelsHeight, record.dmBitsPerPel,
            record.dmDisplayFrequency};
}

// Writes `mode` into a display record, narrow or wide, and marks the fields it wrote.
template <typename Record>
void describeMode(Record& record, const DisplayMode& mode) noexcept {
    record.dmPelsWidth = mode.width;
    record.dmPelsHeight = mode.height;
    record.dmBitsPerPel = mode.bitsPerPixel;
    record.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    if (mode.refreshRate != 0) {
        record.dmDisplayFrequency = mode.refreshRate;
        record.dmFields |= DM_DISPLAYFREQUENCY;
    }
}

DEVMODEA recordOf(const DisplayMode& mode) {
    DEVMODEA record = blankRecord();
    describeMode(record, mode);
    return record;
}

std::int32_t changeTemporarily(DEVMODEA& record) {
    return static_cast<std::int32_t>(ChangeDisplaySettingsA(&record, CDS_FULLSCREEN));
}

}  // namespace

std::optional<DisplayMode> WindowsDisplayDriver::enumerateMode(std::int32_t index) {
    if (index < 0) {
        return std::nullopt;
    }
    DEVMODEA record = blankRecord();
    if (EnumDisplaySettingsA(nullptr, static_cast<DWORD>(index), &record) == 0) {
        return std::nullopt;
    }
    lastEnumerated_ = record;
    haveLastEnumerated_ = true;
    return modeOf(record);
}

std::optional<DisplayMode> WindowsDisplayDriver::currentMode() {
    DEVMODEA record = blankRecord();
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &record) == 0) {
        return std::nullopt;
    }
    lastCurrent_ = record;
    haveLastCurrent_ = true;
    return modeOf(record);
}

std::int32_t WindowsDisplayDriver::changeModeTemporarily(const DisplayMode& mode) {
    DEVMODEA record;
    if (haveLastEnumerated_ && modeOf(lastEnumerated_) == mode) {
        record = lastEnumerated_;
    } else if (haveLastCurrent_ && modeOf(lastCurrent_) == mode) {
        record = lastCurrent_;
    } else {
        record = recordOf(mode);
    }
    return changeTemporarily(record);
}

std::int32_t changeModeTemporarilyTo(const DisplayMode& mode) noexcept {
    // The wide record: the narrow call would have the system allocate a wide copy of it.
    DEVMODEW record{};
    record.dmSize = sizeof record;
    describeMode(record, mode);
    return static_cast<std::int32_t>(
        ChangeDisplaySettingsExW(nullptr, &record, nullptr, CDS_FULLSCREEN, nullptr));
}

std::optional<std::int32_t> putRegisteredModeBack() {
    DEVMODEA registered = blankRecord();
    DEVMODEA current = blankRecord();
    if (EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &registered) == 0 ||
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) == 0 ||
        modeOf(registered) == modeOf(current)) {
        return std::nullopt;
    }
    // No record: the display goes back to the mode registered for it.
    return static_cast<std::int32_t>(ChangeDisplaySettingsA(nullptr, 0));
}

ColorFormat WindowsDisplayDriver::colorFormat() {
    const HDC screen = GetDC(nullptr);
    const ColorFormat format{GetDeviceCaps(screen, PLANES), GetDeviceCaps(screen, BITSPIXEL)};
    ReleaseDC(nullptr, screen);
    return format;
}

ScreenSize WindowsDisplayDriver::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace zentrix::display

#endif  // _WIN32
