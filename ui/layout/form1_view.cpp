#include "ui/layout/form1_view.h"

#include <cmath>

#include "game/game.h"
#include "ui/layout/accessible_names.h"

namespace zentrix::layout {

namespace {

std::string slotName(const SlotView& view, int slot) {
    return ballBoxAccessibleName(BallBoxFacts{
        .occupied = view.occupied,
        .value = view.value,
        .free = view.free,
        .selected = view.selected,
        .nextBall = slot == kNextBallSlot,
    });
}

LabelView labelView(const LabelDesign& design, std::string_view caption) {
    return {std::string(caption), labelAccessibleName(design.role, caption)};
}

}  // namespace

bool SlotView::drawnLike(const SlotView& other) const {
    return shown == other.shown && occupied == other.occupied && selected == other.selected &&
           (!occupied || value == other.value);
}

Form1View initialView() {
    Form1View view;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        SlotView& s = view.slots[static_cast<std::size_t>(slot)];
        s.accessibleName = slotName(s, slot);
    }
    for (std::size_t i = 0; i < view.labels.size(); ++i) {
        view.labels[i] = labelView(labels()[i], labels()[i].caption);
    }
    view.progressValue = progressBar().minimum;
    return view;
}

Form1View viewOf(const Game& game) {
    Form1View view;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotState& state = game.slot(slot);
        SlotView& s = view.slots[static_cast<std::size_t>(slot)];
        s.shown = state.visible;
        s.occupied = state.occupied;
        s.value = state.occupied ? game.ballValue(slot) : 0;
        s.free = state.enabled;
        s.selected = state.selected;
        s.accessibleName = slotName(s, slot);
    }
    const std::array<std::string_view, 7> captions{
        game.label1(),       game.label2(), labels()[2].caption, game.label4(),
        labels()[4].caption, game.label6(), game.label7(),
    };
    for (std::size_t i = 0; i < view.labels.size(); ++i) {
        view.labels[i] = labelView(labels()[i], captions[i]);
    }
    view.progressValue = static_cast<int>(std::lround(game.progressValue()));
    view.scoreEnabled = game.scoreEnabled();
    view.timer1Running = game.timer1Enabled();
    view.timer2Running = game.timer2Enabled();
    return view;
}

}  // namespace zentrix::layout
