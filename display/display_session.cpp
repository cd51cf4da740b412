#include "display/display_session.h"

#include <algorithm>
#include <limits>

namespace zentrix::display {

namespace {

std::int16_t clampTo16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

DisplaySession::DisplaySession(DisplayDriver& driver, DisplayMessages& messages,
                               DisplayRescue* rescue)
    : driver_(driver), messages_(messages), rescue_(rescue) {}

DisplaySession::~DisplaySession() {
    try {
        restore();
    } catch (...) {
        // Nothing more can be done for the display while the program is ending.
    }
}

void DisplaySession::start() {
    if (started_) {
        return;
    }
    started_ = true;
    const ScreenSize size = driver_.screenSize();
    savedScreenWidth_ = clampTo16(size.width);
    savedScreenHeight_ = clampTo16(size.height);
    startMode_ = driver_.currentMode();
    if (!startMode_) {
        return;
    }
    // A way out taken while the switch's message is open (the session ending, say) finds the
    // change already made, and must put it back then. So must a crash.
    if (rescue_ != nullptr) {
        rescue_->arm(*startMode_);
    }
    switching_ = true;
    switchResult_ =
        SetDisplayMode(driver_, messages_, kGameScreenWidth, kGameScreenHeight, kGameBitsPerPixel);
    switching_ = false;
    if (!switchResult_ && rescue_ != nullptr) {
        rescue_->disarm();  // no mode matched: nothing was changed
    }
}

std::optional<std::int32_t> DisplaySession::restore() {
    if (restored_ || !startMode_ || (!switchResult_ && !switching_)) {
        return std::nullopt;
    }
    // Marked first: a change that throws is not tried again on the next way out.
    restored_ = true;
    if (rescue_ != nullptr) {
        rescue_->disarm();
    }
    return driver_.changeModeTemporarily(*startMode_);
}

std::optional<std::int32_t> DisplaySession::switchAgain() {
    if (!restored_ || switching_ || !startMode_ || switchResult_ != kChangeSuccessful) {
        return std::nullopt;
    }
    if (rescue_ != nullptr) {
        rescue_->arm(*startMode_);
    }
    restored_ = false;
    switching_ = true;
    const std::optional<std::int32_t> result =
        SetDisplayMode(driver_, messages_, kGameScreenWidth, kGameScreenHeight, kGameBitsPerPixel);
    switching_ = false;
    if (!result) {
        // The game's mode is no longer offered: the display stays as it is, with nothing to undo.
        restored_ = true;
        if (rescue_ != nullptr) {
            rescue_->disarm();
        }
    }
    return result;
}

}  // namespace zentrix::display
