// The main window's layout data, without any window toolkit: the twips-to-pixels rounding, the
// figures every front end relies on, and what a screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "ui/layout/accessible_names.h"
#include "ui/layout/form1_layout.h"

namespace zentrix::layout {
namespace {

// Twips become the nearest whole pixel, a half going to the even neighbour.
TEST(TwipsToPixels, RoundsToNearestWithHalvesToEven) {
    EXPECT_EQ(twipsToPixels(1700), 113);   // 113.33
    EXPECT_EQ(twipsToPixels(12668), 845);  // 844.53
    EXPECT_EQ(twipsToPixels(6855), 457);   // exact
    EXPECT_EQ(twipsToPixels(45, 2), 22);   // 22.5 to even
    EXPECT_EQ(twipsToPixels(47, 2), 24);   // 23.5 to even
    EXPECT_EQ(twipsToPixels(-45, 2), -22);
    EXPECT_EQ(twipsToPixels(-47, 2), -24);
    EXPECT_EQ(twipsToPixels(0), 0);
}

// The pixel positions the window was drawn at: the slots as the layout table gives them.
TEST(Form1Layout, SlotsLandOnTheirPixels) {
    const auto box = [](int slot) { return toPixels(ballBoxRect(slot)); };
    EXPECT_EQ(box(0), (PixelRect{254, 28, 113, 113}));
    EXPECT_EQ(box(1), (PixelRect{495, 28, 113, 113}));
    EXPECT_EQ(box(10), (PixelRect{135, 224, 113, 113}));
    EXPECT_EQ(box(15), (PixelRect{866, 224, 113, 113}));
    EXPECT_EQ(box(22), (PixelRect{457, 540, 113, 113}));
    EXPECT_EQ(box(15).right(), 979);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(slots()[static_cast<std::size_t>(slot)].slot, slot);
        const PixelRect ring = toPixels(ringRect(slot));
        EXPECT_EQ(ring.x, box(slot).x);
        EXPECT_EQ(ring.y, box(slot).y);
        EXPECT_EQ(ring.width, 113);
    }
}

bool overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

// No control hides another: the balls (the ellipses in their boxes, whose square corners do overlap
// from row to row), the labels, the buttons and the bar never overlap, so a click always has one
// target; only Label2 reaches three pixels into the bar, beneath it. The selection sum sits in the
// gap of row 4.
TEST(Form1Layout, ControlsDoNotOverlap) {
    for (int a = 0; a < kSlotCount; ++a) {
        for (int b = a + 1; b < kSlotCount; ++b) {
            const PixelRect p = toPixels(ballBoxRect(a));
            const PixelRect q = toPixels(ballBoxRect(b));
            const double dx = p.x - q.x;
            const double dy = p.y - q.y;
            EXPECT_GE(dx * dx + dy * dy, 113.0 * 113.0) << a << " and " << b;
        }
    }
    std::vector<std::pair<std::string, PixelRect>> controls;
    for (const LabelDesign& label : labels()) {
        controls.emplace_back(std::string(label.name), toPixels(label.rect));
    }
    controls.emplace_back("cmdNext", toPixels(nextBallButton().rect));
    controls.emplace_back("cmdScore", toPixels(scoreButton().rect));
    controls.emplace_back("ProgressBar1", toPixels(progressBar().rect));
    for (const std::pair<std::string, PixelRect>& control : controls) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_FALSE(overlap(control.second, toPixels(ballBoxRect(slot))))
                << control.first << " and slot " << slot;
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[i].first == "Label2" && controls[j].first == "ProgressBar1") {
                const PixelRect& label2 = controls[i].second;
                EXPECT_EQ(label2.bottom() - controls[j].second.y, 3);
                continue;
            }
            EXPECT_FALSE(overlap(controls[i].second, controls[j].second))
                << controls[i].first << " and " << controls[j].first;
        }
    }
    const PixelRect sum = toPixels(labels()[0].rect);
    EXPECT_GE(sum.x, toPixels(ballBoxRect(17)).right());
    EXPECT_LE(sum.right(), toPixels(ballBoxRect(18)).x);
}

// The window opens large enough for the whole board with its rings and the row of buttons.
TEST(Form1Layout, RequiredClientAreaHoldsEverything) {
    const PixelRect area = requiredClientArea();
    EXPECT_GE(area.width, 963);
    EXPECT_GE(area.height, 691);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const PixelRect ring = toPixels(ringRect(slot));
        EXPECT_LE(ring.right() + kRingPenPixels / 2, area.width) << slot;
    }
    EXPECT_LE(toPixels(nextBallButton().rect).bottom(), area.height);
    EXPECT_EQ(toPixels(nextBallButton().rect).bottom(), 655);
    // Still fits the game's 1024 x 768 screen with a frame and a menu bar.
    EXPECT_LE(area.width, 1000);
    EXPECT_LE(area.height, 720);
}

// Every control has one place in the tab order, starting with the next ball and Next Ball.
TEST(Form1Layout, TabOrderNamesEveryControlOnce) {
    const auto order = tabOrder();
    ASSERT_EQ(order.size(), 33u);
    std::set<std::string_view> names(order.begin(), order.end());
    EXPECT_EQ(names.size(), 33u);
    EXPECT_FALSE(names.contains(""));
    EXPECT_EQ(order[0], "Picture1_22");
    EXPECT_EQ(order[1], "ProgressBar1");
    EXPECT_EQ(order[2], "cmdNext");
    EXPECT_EQ(order[8], "Picture1_21");
    EXPECT_EQ(order[29], "Picture1_6");
    EXPECT_EQ(order[30], "cmdScore");
    EXPECT_EQ(order[32], "Label7");
}

// Menus carry plain captions: no access-key marker anywhere.
TEST(Form1Layout, MenusHavePlainCaptions) {
    std::vector<std::string_view> captions;
    for (const MenuDesign& menu : menus()) {
        captions.push_back(menu.caption);
        for (const MenuItemDesign& item : menu.items) {
            captions.push_back(item.caption);
        }
    }
    EXPECT_EQ(captions, (std::vector<std::string_view>{"File", "New", "Help", "Rules", "About"}));
    for (std::string_view caption : captions) {
        EXPECT_EQ(caption.find('&'), std::string_view::npos);
    }
}

// A screen reader hears each ball's value, whether it is free and whether it is selected.
TEST(AccessibleNames, BallsAndLabelsSayWhatTheyShow) {
    EXPECT_EQ(ballBoxName({.occupied = true, .value = 7, .free = true, .selected = true}),
              "Ball 7, free, selected");
    EXPECT_EQ(ballBoxName({.occupied = true, .value = 10, .free = false}), "Ball 10, not free");
    EXPECT_EQ(ballBoxName({.occupied = true, .value = 2, .free = true, .nextBall = true}),
              "Next ball 2, free");
    EXPECT_EQ(ballBoxName({.occupied = false, .value = 4, .free = true}), "Empty slot");
    EXPECT_EQ(ballBoxName({.nextBall = true}), "No next ball");

    EXPECT_EQ(labelName(LabelRole::TotalScore, "54500"), "Total score 54500");
    EXPECT_EQ(labelName(LabelRole::SecondsLeft, "89"), "Seconds left 89");
    EXPECT_EQ(labelName(LabelRole::RoundPoints, ""), "Round points");
    EXPECT_EQ(labelName(LabelRole::ElevensCaption, "11'S"), "11'S");
}

}  // namespace
}  // namespace zentrix::layout
