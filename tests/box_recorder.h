// The message boxes a test bench was asked to show, in order, each with what the window behind it
// showed as it opened. Every bench records its boxes here: the rules' presenter, the display's
// messages, the controller's window, the Qt and Windows windows, and the installer's pages.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix::testing {

// What the window behind a box showed as it opened, where the bench can tell: the two timers,
// the total in Label4, and whether any ball was left on the board.
struct WindowBehind {
    bool timer1 = false;
    bool timer2 = false;
    std::string total;
    bool ballsShown = false;
};

// One box as the player saw it. `Style` is the bench's own word for the box's icon.
template <typename Style>
struct SeenBox : WindowBehind {
    std::string text;
    std::string title;
    Style style{};
};

template <typename Style>
class BoxRecorder {
public:
    using Seen = SeenBox<Style>;

    // Notes a box, with the window behind it as `behind` reads it.
    Seen& record(std::string_view text, std::string_view title, Style style) {
        Seen& box = seen.emplace_back();
        if (behind) {
            static_cast<WindowBehind&>(box) = behind();
        }
        box.text = text;
        box.title = title;
        box.style = style;
        return box;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const Seen& box : seen) {
            result.push_back(box.text);
        }
        return result;
    }

    // Reads the bench's window as a box opens; a bench that cannot tell leaves it empty.
    std::function<WindowBehind()> behind;
    std::vector<Seen> seen;
};

}  // namespace zentrix::testing
