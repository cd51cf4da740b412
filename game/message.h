// Modal messages of the game, shown by whatever window sits on top of the rules.
#pragma once

#include <string_view>

namespace zentrix {

// The icon of a message box, by its classic style number.
enum class MessageStyle : int {
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

inline constexpr std::string_view kGameTitle = "Zentrix";

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;

    // Shows a modal box with one OK button and returns once the player has closed it.
    // The game calls it in the middle of a step, with its state consistent as it stands at that
    // step (timer flags included): an implementation that runs an event loop must first bring its
    // view and its real timers up to date, or a stale tick could re-enter the rules.
    virtual void showMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
};

}  // namespace zentrix
