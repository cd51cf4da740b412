// The display driver for Linux and other desktops where the game does not change the user's
// display: it offers exactly the primary screen's current mode. Asking for that mode sets it
// again with success and changes nothing; anything else finds no match.
//
// The caller reads the screen from its toolkit and passes it in, e.g. with Qt:
//
//     QScreen* screen = QGuiApplication::primaryScreen();
//     const QSize size = screen->geometry().size() * screen->devicePixelRatio();
//     CurrentModeDriver driver({uint32_t(size.width()), uint32_t(size.height()),
//                               uint32_t(screen->depth()),
//                               uint32_t(qRound(screen->refreshRate()))});
#pragma once

#include "display/display_mode.h"

namespace zentrix::display {

class CurrentModeDriver final : public DisplayDriver {
public:
    explicit CurrentModeDriver(const DisplayMode& current);

    std::optional<DisplayMode> enumerateMode(std::int32_t index) override;
    std::optional<DisplayMode> currentMode() override;
    // Success for the current mode (nothing to do), "not supported" for any other.
    std::int32_t changeModeTemporarily(const DisplayMode& mode) override;
    ColorFormat colorFormat() override;
    ScreenSize screenSize() override;

private:
    DisplayMode current_;
};

}  // namespace zentrix::display
