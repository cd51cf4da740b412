// Collects the display messages a test provokes instead of showing them.
#pragma once

#include "display/display_mode.h"
#include "tests/box_recorder.h"

namespace zentrix::display::testing {

class RecordingMessages final : public DisplayMessages,
                                public zentrix::testing::BoxRecorder<DisplayMessageStyle> {
public:
    void showDisplayMessage(std::string_view text, std::string_view title,
                            DisplayMessageStyle style) override {
        record(text, title, style);
    }
};

}  // namespace zentrix::display::testing
