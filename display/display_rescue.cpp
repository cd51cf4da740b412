#include "display/display_rescue.h"

namespace zentrix::display {

void DisplayRescue::arm(const DisplayMode& mode) noexcept {
    // Out of kArmed before the mode is written, so that no claim reads it half-written.
    int state = state_.load();
    do {
        if (state == kClaimed) {
            return;
        }
    } while (!state_.compare_exchange_weak(state, kIdle));
    mode_ = mode;
    state_.store(kArmed);
}

void DisplayRescue::disarm() noexcept {
    int armedState = kArmed;
    state_.compare_exchange_strong(armedState, kIdle);
}

std::optional<DisplayMode> DisplayRescue::claim() noexcept {
    int armedState = kArmed;
    if (!state_.compare_exchange_strong(armedState, kClaimed)) {
        return std::nullopt;
    }
    return mode_;
}

}  // namespace zentrix::display
