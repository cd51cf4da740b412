// Messages of the game, shown by whatever sits on top of the rules.
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

    // A box with one OK button for the player, raised in the middle of a step, with the game's
    // state consistent as it stands at that moment (timer flags included). Returns at once: the
    // step goes on whatever the player does, so a presenter that shows the box later keeps what
    // it needs of that moment now, and lets nothing reach the rules while the box is open.
    virtual void showMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
};

}  // namespace zentrix
