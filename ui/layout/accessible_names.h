// What a screen reader says for the main window's controls. Kept apart from any window toolkit,
// like the layout, so that every front end speaks the same words.
#pragma once

#include <string>
#include <string_view>

#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

// What one ball box shows now.
struct BallBoxFacts {
    bool occupied = false;
    int value = 0;  // meaningful while occupied
    bool free = false;
    bool selected = false;
    bool nextBall = false;  // the box below the heap
};

// "Ball 7, free, selected", "Ball 3, not free", "Next ball 5, free"; an empty box is
// "Empty slot" (or "No next ball").
std::string ballBoxAccessibleName(const BallBoxFacts& facts);

// A number label says what it counts together with the number it shows now ("Total score
// 54500", "Seconds left 89"); with nothing shown, just what it counts. The fixed captions
// ("Score", "11'S") are read as they stand.
std::string labelAccessibleName(LabelRole role, std::string_view caption);

// The countdown bar.
inline constexpr std::string_view kProgressBarName = "Time left";

}  // namespace zentrix::layout
