// What the window shows is worked out from the rules' state alone, the same for every front end.
#include "ui/layout/form1_view.h"

#include <gtest/gtest.h>

#include "tests/game/table.h"

namespace zentrix::layout {
namespace {

using testing::plainDeal;
using testing::Table;

const SlotView& slotOf(const Form1View& view, int slot) {
    return view.slots[static_cast<std::size_t>(slot)];
}

TEST(Form1ViewTest, FreshWindowShowsTheDesignCaptionsAndNoBalls) {
    const Form1View view = initialView();
    EXPECT_EQ(view.labels[2].caption, "Score");
    EXPECT_EQ(view.labels[4].caption, "11'S");
    EXPECT_EQ(view.labels[3].caption, "");
    EXPECT_EQ(view.labels[3].accessibleName, "Total score");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(slotOf(view, slot).occupied);
        EXPECT_TRUE(slotOf(view, slot).shown);
    }
    EXPECT_EQ(slotOf(view, 0).accessibleName, "Empty slot");
    EXPECT_EQ(slotOf(view, kNextBallSlot).accessibleName, "No next ball");
}

TEST(Form1ViewTest, FollowsARoundFromTheDealToTheRemovedSet) {
    Table table;
    Form1View view = viewOf(table.game);
    EXPECT_EQ(view.labels[1].caption, "0");  // start-up shows no elevens yet
    EXPECT_EQ(view.progressValue, 90);
    EXPECT_FALSE(view.scoreEnabled);
    EXPECT_FALSE(view.timer1Running);
    EXPECT_TRUE(view.timer2Running);

    table.newGame(plainDeal());
    view = viewOf(table.game);
    EXPECT_TRUE(view.scoreEnabled);
    EXPECT_TRUE(view.timer1Running);
    EXPECT_EQ(slotOf(view, 20).value, 5);
    EXPECT_EQ(slotOf(view, 20).accessibleName, "Ball 5, free");
    EXPECT_EQ(slotOf(view, 0).accessibleName, "Ball 1, not free");
    EXPECT_EQ(slotOf(view, kNextBallSlot).accessibleName, "Next ball 1, free");

    table.click({20});
    view = viewOf(table.game);
    EXPECT_TRUE(slotOf(view, 20).selected);
    EXPECT_EQ(slotOf(view, 20).accessibleName, "Ball 5, free, selected");
    EXPECT_EQ(view.labels[0].caption, "5");
    EXPECT_EQ(view.labels[0].accessibleName, "Selection sum 5");

    table.click({21});  // 5 + 6: the set goes at once
    table.refresh();
    view = viewOf(table.game);
    EXPECT_FALSE(slotOf(view, 20).occupied);
    EXPECT_FALSE(slotOf(view, 20).shown);  // the refresh hides the emptied boxes
    EXPECT_EQ(slotOf(view, 20).accessibleName, "Empty slot");
    EXPECT_EQ(view.labels[0].caption, "0");
    EXPECT_EQ(view.labels[1].caption, "1");
    EXPECT_EQ(view.labels[5].caption, "200");
    EXPECT_EQ(view.labels[5].accessibleName, "Round points 200");
    EXPECT_TRUE(slotOf(view, 16).free);  // freed by the set beneath it

    table.countdown(1);
    view = viewOf(table.game);
    EXPECT_EQ(view.progressValue, 89);
    EXPECT_EQ(view.labels[6].accessibleName, "Seconds left 89");
}

TEST(Form1ViewTest, OnlyPaintedChangesCountAsDrawnDifferently) {
    SlotView a;
    a.occupied = true;
    a.value = 4;
    SlotView b = a;
    b.free = true;
    b.accessibleName = "Ball 4, free";
    EXPECT_TRUE(a.drawnLike(b));
    b.selected = true;
    EXPECT_FALSE(a.drawnLike(b));
    SlotView emptyA;
    emptyA.value = 3;
    const SlotView emptyB;
    EXPECT_TRUE(emptyA.drawnLike(emptyB));
}

}  // namespace
}  // namespace zentrix::layout
