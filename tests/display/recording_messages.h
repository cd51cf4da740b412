// Collects the display messages a test provokes instead of showing them.
#pragma once

#include <string>
#include <vector>

#include "display/display_mode.h"

namespace zentrix::display::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    DisplayMessageStyle style;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingMessages final : public DisplayMessages {
public:
    void showDisplayMessage(std::string_view text, std::string_view title,
                            DisplayMessageStyle style) override {
        shown.push_back({std::string(text), std::string(title), style});
    }

    std::vector<ShownMessage> shown;
};

}  // namespace zentrix::display::testing
