// What Form1 shows for the game's state at this moment: every ball box, every label with what a
// screen reader says of it, the countdown bar, the Take Score button and the two timers. Worked
// out here once, so that every front end only applies it to its own controls.
#pragma once

#include <array>
#include <string>

#include "ui/layout/form1_layout.h"

namespace zentrix {
class Game;
}

namespace zentrix::layout {

struct SlotView {
    bool shown = true;      // the box is on screen (the refresh hides the empty ones)
    bool occupied = false;  // it holds a ball of `value`
    int value = 0;          // 1..10 while occupied, else 0
    bool free = false;      // the box takes clicks
    bool selected = false;  // its ring is shown
    std::string accessibleName;

    // Whether the two differ in anything drawn on the felt (a change of the free flag alone shows
    // nothing).
    bool drawnLike(const SlotView& other) const;

    friend bool operator==(const SlotView&, const SlotView&) = default;
};

struct LabelView {
    std::string caption;
    std::string accessibleName;

    friend bool operator==(const LabelView&, const LabelView&) = default;
};

struct Form1View {
    std::array<SlotView, kSlotCount> slots{};
    std::array<LabelView, 7> labels{};  // Label1..Label7, in the order of labels()
    int progressValue = 0;              // ProgressBar1, whole seconds 0..90
    bool scoreEnabled = false;          // cmdScore
    bool timer1Running = false;         // the countdown
    bool timer2Running = false;         // the refresh

    friend bool operator==(const Form1View&, const Form1View&) = default;
};

// The window before any step of the rules has run: the design's captions, every box empty.
Form1View initialView();

// The window as the rules' state says it must look now.
Form1View viewOf(const Game& game);

}  // namespace zentrix::layout
