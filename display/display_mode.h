// The game's display-mode switch: look for a mode the display offers and switch to the first
// match, and the colour depth in force. Everything platform-specific sits behind DisplayDriver;
// messages to the player go through DisplayMessages, so this code needs no window toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentrix::display {

// One display mode as the display lists it.
struct DisplayMode {
    std::uint32_t width = 0;         // pixels
    std::uint32_t height = 0;        // pixels
    std::uint32_t bitsPerPixel = 0;  // colour depth
    std::uint32_t refreshRate = 0;   // hertz; 0 when the display does not say

    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// What the screen's device reports about its colours.
struct ColorFormat {
    std::int32_t planes = 1;
    std::int32_t bitsPerPlane = 0;
};

struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Result codes of a mode change, as the Windows display functions return them.
inline constexpr std::int32_t kChangeSuccessful = 0;
inline constexpr std::int32_t kChangeRestart = 1;
inline constexpr std::int32_t kChangeFailed = -1;
inline constexpr std::int32_t kChangeBadMode = -2;
inline constexpr std::int32_t kChangeNotUpdated = -3;
inline constexpr std::int32_t kChangeBadFlags = -4;

// The platform's display, reduced to what the switch needs.
class DisplayDriver {
public:
    virtual ~DisplayDriver() = default;

    // Mode number `index` (from 0) in the display's own order, or nothing once `index` is past
    // the end of the list.
    virtual std::optional<DisplayMode> enumerateMode(std::int32_t index) = 0;

    // The mode in force now, or nothing when the display cannot say.
    virtual std::optional<DisplayMode> currentMode() = 0;

    // Switches the display to `mode` for this run only: the change is never stored as the
    // display's registered mode, so a crash or a restart of the machine cannot leave it behind.
    // Returns one of the kChange... codes (or another code the platform gives).
    virtual std::int32_t changeModeTemporarily(const DisplayMode& mode) = 0;

    virtual ColorFormat colorFormat() = 0;
    virtual ScreenSize screenSize() = 0;
};

enum class DisplayMessageStyle : int {
    Critical = 16,
    Question = 32,
};

// Every display message carries the application's title.
inline constexpr std::string_view kDisplayMessageTitle = "Pellary";

// Tells the player something in a box with one OK button. Returns at once: nothing the switch
// does depends on the player closing it.
class DisplayMessages {
public:
    virtual ~DisplayMessages() = default;
    virtual void showDisplayMessage(std::string_view text, std::string_view title,
                                    DisplayMessageStyle style) = 0;
};

struct DisplayMessage {
    std::string_view text;
    DisplayMessageStyle style;
};

// The message the player sees for a change's result code, or nothing (success and unknown
// codes are silent).
std::optional<DisplayMessage> messageForResult(std::int32_t result);

// Walks the display's modes in its own order and switches (temporarily) to the first one with
// exactly this width, height and depth, whatever its refresh rate; no later mode is looked at
// and nothing is tried first. A failing change is reported to the player under the title
// "Pellary". When no mode matches nothing changes and nothing is shown.
// Returns the change's result code, or nothing when no mode matched.
std::optional<std::int32_t> SetDisplayMode(DisplayDriver& driver, DisplayMessages& messages,
                                           std::int16_t width, std::int16_t height,
                                           std::int16_t bitsPerPixel);

// Bits per pixel times colour planes of the screen. Throws std::overflow_error if a value does
// not fit in 16 bits, which no real display reaches.
std::int16_t GetColorDepth(DisplayDriver& driver);

}  // namespace zentrix::display
