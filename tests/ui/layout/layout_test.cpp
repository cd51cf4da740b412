// The main window's layout data, without any window toolkit: the twips-to-pixels rounding, the
// figures every front end relies on, every control's design written out again by hand, and what a
// screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/board.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/opening_size.h"

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

// The rules and the design number the slots alike: the next ball's box stands below the heap in
// no row, and every ball that blocks another, by the rules' table, is drawn in the row below it
// and touching it.
TEST(Form1Layout, TheHeapAsDrawnIsTheHeapOfTheRules) {
    ASSERT_EQ(slots().size(), static_cast<std::size_t>(kSlotCount));
    EXPECT_EQ(slots()[kNextBallSlot].row, 0);
    EXPECT_TRUE(blockersOf(kNextBallSlot).empty());
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        const SlotDesign& ball = slots()[static_cast<std::size_t>(slot)];
        EXPECT_GE(ball.row, 1) << slot;
        for (const int blocker : blockersOf(slot)) {
            const SlotDesign& below = slots()[static_cast<std::size_t>(blocker)];
            EXPECT_EQ(below.row, ball.row + 1) << slot << " blocked by " << blocker;
            EXPECT_LT(std::abs(below.left - ball.left), kBallBoxTwips) << slot << " " << blocker;
            EXPECT_LT(below.top - ball.top, kBallBoxTwips) << slot << " " << blocker;
        }
    }
}

// Each typed tab stop is the control whose design carries that tab index, and its object name is
// the one the name list gives at the same place; every ball box has exactly one stop.
TEST(Form1Layout, TabStopsAreTheControlsOfTheirTabIndex) {
    const auto stops = tabStops();
    ASSERT_EQ(stops.size(), tabOrder().size());
    std::set<int> ballSlots;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const TabStop& stop = stops[i];
        const auto at = static_cast<std::size_t>(stop.index);
        // The design of the control the stop names: its tab index and its name.
        const auto [designTabIndex, designName] = [&]() -> std::pair<int, std::string> {
            switch (stop.kind) {
                case TabStop::Kind::Ball:
                    return {slots()[at].tabIndex, std::string(ballBoxObjectName(stop.index))};
                case TabStop::Kind::NextBall:
                    return {nextBallButton().tabIndex, std::string(nextBallButton().name)};
                case TabStop::Kind::TakeScore:
                    return {scoreButton().tabIndex, std::string(scoreButton().name)};
                case TabStop::Kind::ProgressBar:
                    return {progressBar().tabIndex, std::string(progressBar().name)};
                case TabStop::Kind::Label:
                    return {labels()[at].tabIndex, std::string(labels()[at].name)};
            }
            return {-1, ""};
        }();
        if (stop.kind == TabStop::Kind::Ball) {
            ballSlots.insert(stop.index);
        }
        EXPECT_EQ(objectName(stop), designName);
        EXPECT_EQ(designTabIndex, static_cast<int>(i)) << objectName(stop);
        EXPECT_EQ(objectName(stop), tabOrder()[i]) << i;
    }
    EXPECT_EQ(ballSlots.size(), static_cast<std::size_t>(kSlotCount));
    EXPECT_EQ(stops.front(), (TabStop{TabStop::Kind::Ball, kNextBallSlot}));
    EXPECT_EQ(stops[2], (TabStop{TabStop::Kind::NextBall, 0}));
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
    EXPECT_EQ(ballBoxAccessibleName({.occupied = true, .value = 7, .free = true, .selected = true}),
              "Ball 7, free, selected");
    EXPECT_EQ(ballBoxAccessibleName({.occupied = true, .value = 10, .free = false}),
              "Ball 10, not free");
    EXPECT_EQ(ballBoxAccessibleName({.occupied = true, .value = 2, .free = true, .nextBall = true}),
              "Next ball 2, free");
    EXPECT_EQ(ballBoxAccessibleName({.occupied = false, .value = 4, .free = true}), "Empty slot");
    EXPECT_EQ(ballBoxAccessibleName({.nextBall = true}), "No next ball");

    EXPECT_EQ(labelAccessibleName(LabelRole::TotalScore, "54500"), "Total score 54500");
    EXPECT_EQ(labelAccessibleName(LabelRole::SecondsLeft, "89"), "Seconds left 89");
    EXPECT_EQ(labelAccessibleName(LabelRole::RoundPoints, ""), "Round points");
    EXPECT_EQ(labelAccessibleName(LabelRole::ElevensCaption, "11'S"), "11'S");
}

// ---- The design tables, written out again by hand and compared field by field ----

// A font size in points as the design gives it, in twips at twenty to the point.
int pointsToTwips(double points) {
    return static_cast<int>(points * 20.0);
}

// A rectangle's left, top, width and height, to compare and print at once.
std::array<int, 4> numbers(const TwipsRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

struct DesignedLabel {
    std::string_view name;
    LabelRole role;
    TwipsRect rect;
    std::string_view caption;
    std::string_view family;
    double points;
    int pixels;  // the size at 96 dots per inch: four pixels to three points
    bool bold;
    Align align;
    bool felt;
    int tabIndex;
};

// Every label stands where the design puts it, in its font and alignment, on the felt or (Label7
// only) without a background, with its caption and tab place as the window is created.
TEST(Form1Design, LabelsMatchTheDesignTable) {
    // clang-format off
    const std::vector<DesignedLabel> designed = {
        {"Label1", LabelRole::SelectionSum, {7755, 5115, 1095, 990}, "", "Arial", 36, 48, false, Align::Centre, true, 3},
        {"Label2", LabelRole::ElevensCount, {5235, 8190, 1260, 1050}, "", "Arial", 36, 48, false, Align::Left, true, 4},
        {"Label3", LabelRole::ScoreCaption, {10613, 8195, 1470, 585}, "Score", "Arial", 26.25, 35, false, Align::Left, true, 5},
        {"Label4", LabelRole::TotalScore, {10590, 9285, 3375, 495}, "", "Arial", 15.75, 21, false, Align::Left, true, 6},
        {"Label5", LabelRole::ElevensCaption, {3533, 8165, 1455, 975}, "11'S", "Arial", 36, 48, false, Align::Centre, true, 7},
        {"Label6", LabelRole::RoundPoints, {10860, 8820, 1890, 435}, "", "Arial", 9.75, 13, false, Align::Left, true, 31},
        {"Label7", LabelRole::SecondsLeft, {6285, 9255, 480, 345}, "", "Arial", 12, 16, true, Align::Right, false, 32},
    };
    // clang-format on
    ASSERT_EQ(labels().size(), designed.size());
    for (std::size_t i = 0; i < designed.size(); ++i) {
        const DesignedLabel& want = designed[i];
        const LabelDesign& got = labels()[i];
        SCOPED_TRACE(std::string(want.name));
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.role, want.role);
        EXPECT_EQ(numbers(got.rect), numbers(want.rect));
        EXPECT_EQ(got.caption, want.caption);
        EXPECT_EQ(got.font.family, want.family);
        EXPECT_EQ(got.font.sizeTwips, pointsToTwips(want.points));
        EXPECT_EQ(got.font.pixelSize(), want.pixels);
        EXPECT_EQ(got.font.bold, want.bold);
        EXPECT_EQ(got.align, want.align);
        EXPECT_EQ(got.feltBackground, want.felt);
        EXPECT_EQ(got.tabIndex, want.tabIndex);
    }
}

// Both buttons and the countdown bar stand where the design puts them, the buttons with their
// captions, bold fonts and (Next Ball only) the rack picture, the bar with its range of 90.
TEST(Form1Design, ButtonsAndBarMatchTheDesignTable) {
    struct DesignedButton {
        const ButtonDesign& got;
        std::string_view name;
        TwipsRect rect;
        std::string_view caption;
        double points;
        int pixels;
        int picture;
        int tabIndex;
    };
    const std::vector<DesignedButton> designed = {
        {nextBallButton(), "cmdNext", {8775, 8010, 1695, 1815}, "Next Ball", 12, 16, 601, 2},
        {scoreButton(), "cmdScore", {12668, 8225, 1215, 495}, "Take Score", 9.75, 13, 0, 30},
    };
    for (const DesignedButton& want : designed) {
        const ButtonDesign& got = want.got;
        SCOPED_TRACE(std::string(want.name));
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(numbers(got.rect), numbers(want.rect));
        EXPECT_EQ(got.caption, want.caption);
        EXPECT_EQ(got.font.family, "MS Sans Serif");
        EXPECT_EQ(got.font.sizeTwips, pointsToTwips(want.points));
        EXPECT_EQ(got.font.pixelSize(), want.pixels);
        EXPECT_TRUE(got.font.bold);
        EXPECT_EQ(got.pictureNumber, want.picture);
        EXPECT_EQ(got.tabIndex, want.tabIndex);
    }
    // Next Ball is 113 pixels wide and 121 high, room for the rack and the caption below it.
    EXPECT_EQ(toPixels(nextBallButton().rect), (PixelRect{585, 534, 113, 121}));

    const ProgressBarDesign& bar = progressBar();
    EXPECT_EQ(bar.name, "ProgressBar1");
    EXPECT_EQ(numbers(bar.rect), (std::array<int, 4>{480, 9200, 5760, 375}));
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 90);
    EXPECT_EQ(bar.tabIndex, 1);
}

// The six location-point markers, 100 at the bottom row up to 600 beside slot 1, each the size of
// its 108 x 36 picture; the window is captioned "Zentrix" with a 963 x 691 client area.
TEST(Form1Design, MarkersAndWindowMatchTheDesignTable) {
    struct DesignedMarker {
        int points;
        int left;
        int top;
    };
    const std::vector<DesignedMarker> designed = {
        {100, 105, 7065}, {200, 105, 5520}, {300, 105, 3975},
        {400, 105, 2370}, {500, 105, 840},  {600, 5595, 900},
    };
    ASSERT_EQ(markers().size(), designed.size());
    for (std::size_t i = 0; i < designed.size(); ++i) {
        const MarkerDesign& got = markers()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(got.index, static_cast<int>(i));
        EXPECT_EQ(got.points, designed[i].points);
        EXPECT_EQ(got.rect.left, designed[i].left);
        EXPECT_EQ(got.rect.top, designed[i].top);
        EXPECT_EQ(got.rect.width, 1620);
        EXPECT_EQ(got.rect.height, 540);
        EXPECT_EQ(toPixels(got.rect).width, 108);
        EXPECT_EQ(toPixels(got.rect).height, 36);
    }

    EXPECT_EQ(kWindowCaption, "Zentrix");
    EXPECT_EQ(kClientArea.left, 0);
    EXPECT_EQ(kClientArea.top, 0);
    EXPECT_EQ(kClientArea.width, 14445);
    EXPECT_EQ(kClientArea.height, 10365);
    EXPECT_EQ(toPixels(kClientArea), (PixelRect{0, 0, 963, 691}));
}

// Every ball box stands where the slot table puts it, in twips and in pixels, in its row and with
// its place in the tab order.
TEST(Form1Design, SlotsMatchTheDesignTable) {
    struct DesignedSlot {
        int slot;
        int row;
        int left;
        int top;
        int leftPx;
        int topPx;
        int tabIndex;
    };
    // Row by row, left to right, as the table lists them.
    const std::vector<DesignedSlot> designed = {
        {0, 1, 3810, 420, 254, 28, 27},     {1, 1, 7425, 420, 495, 28, 26},
        {2, 1, 11175, 420, 745, 28, 25},    {5, 2, 2925, 1890, 195, 126, 28},
        {6, 2, 4695, 1890, 313, 126, 29},   {3, 2, 6555, 1890, 437, 126, 24},
        {4, 2, 8355, 1890, 557, 126, 23},   {7, 2, 10290, 1890, 686, 126, 22},
        {8, 2, 12105, 1890, 807, 126, 21},  {10, 3, 2025, 3360, 135, 224, 19},
        {11, 3, 3810, 3360, 254, 224, 18},  {12, 3, 5595, 3360, 373, 224, 17},
        {9, 3, 7425, 3360, 495, 224, 20},   {13, 3, 9375, 3360, 625, 224, 16},
        {14, 3, 11175, 3360, 745, 224, 15}, {15, 3, 12990, 3360, 866, 224, 14},
        {16, 4, 2925, 4830, 195, 322, 13},  {17, 4, 4695, 4830, 313, 322, 12},
        {18, 4, 10290, 4830, 686, 322, 11}, {19, 4, 12105, 4830, 807, 322, 10},
        {20, 5, 3810, 6285, 254, 419, 9},   {21, 5, 11175, 6285, 745, 419, 8},
        {22, 0, 6855, 8100, 457, 540, 0},
    };
    ASSERT_EQ(designed.size(), static_cast<std::size_t>(kSlotCount));
    std::set<int> seen;
    for (const DesignedSlot& want : designed) {
        SCOPED_TRACE(want.slot);
        seen.insert(want.slot);
        const SlotDesign& got = slots()[static_cast<std::size_t>(want.slot)];
        EXPECT_EQ(got.slot, want.slot);
        EXPECT_EQ(got.row, want.row);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.tabIndex, want.tabIndex);
        EXPECT_EQ(toPixels(ballBoxRect(want.slot)), (PixelRect{want.leftPx, want.topPx, 113, 113}));
        const TwipsRect ring = ringRect(want.slot);
        EXPECT_EQ(ring.width, 1695);
        EXPECT_EQ(ring.height, 1695);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kSlotCount));
}

}  // namespace
}  // namespace zentrix::layout

namespace zentrix::layout {
namespace {

// Scaling keeps the design exact at 1 and keeps touching controls touching at any scale.
TEST(ScaledLayoutTest, KeepsTheDesignAtOneAndNeighboursTogetherAtAnyScale) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const PixelRect box = toPixels(ballBoxRect(slot));
        EXPECT_EQ(scaled(box, 1.0), box);
    }
    const PixelRect left{10, 20, 33, 7};
    const PixelRect right{43, 20, 17, 7};  // starts where `left` ends
    for (const double scale : {0.5, 0.77, 1.25, 1.5, 2.0, 2.37}) {
        EXPECT_EQ(scaled(left, scale).right(), scaled(right, scale).x) << scale;
    }
    EXPECT_EQ(scaled(PixelRect{0, 0, 113, 113}, 2.0), (PixelRect{0, 0, 226, 226}));
}

TEST(ScaledLayoutTest, FitScaleIsTheLargestThatFitsBothWays) {
    const PixelRect design{0, 0, 984, 691};
    EXPECT_DOUBLE_EQ(fitScale(984, 691, design), 1.0);
    EXPECT_DOUBLE_EQ(fitScale(1968, 2000, design), 2.0);               // width decides
    EXPECT_DOUBLE_EQ(fitScale(3000, 691 / 2, design), 345.0 / 691.0);  // height decides
    EXPECT_DOUBLE_EQ(fitScale(0, 100, design), 1.0);                   // nothing to fit into yet
}

// The window's first size and place, the same for every desktop front end: work areas and display
// scales, with a frame 16 wide and 59 high (borders, title bar and menu bar at 96 dots per inch)
// and the system's chosen top-left corner; a board drawn at the window's own scale (Windows) or
// fitted whole to its view (Qt).
TEST(OpeningSizeTest, FitsTheWorkAreaGivingUpTheBareFeltFirst) {
    struct Case {
        const char* screen;
        PixelRect work;
        double displayScale;
        struct {
            int x, y;
        } systemPlace;
        bool wholeBoard;
        double scale;
        PixelRect client;
        PixelRect window;
    };
    const Case cases[] = {
        // Room to spare: the design as it is, where the system put it.
        {"1600 x 1200, taskbar",
         {0, 0, 1600, 1170},
         1.0,
         {100, 100},
         false,  //
         1.0,
         {0, 0, 984, 691},
         {100, 100, 1000, 750}},
        {"1600 x 1200, taskbar, whole board",
         {0, 0, 1600, 1170},
         1.0,
         {100, 100},
         true,  //
         1.0,
         {0, 0, 984, 691},
         {100, 100, 1000, 750}},
        // 144 dots per inch with room for it; moved up to stay above the taskbar.
        {"1600 x 1200 at 144 dpi",
         {0, 0, 1600, 1170},
         1.5,
         {100, 100},
         false,  //
         1.5,
         {0, 0, 1476, 1037},
         {100, 74, 1492, 1096}},
        // The game's screen with a taskbar: the design's own size, less felt below the status
        // row; a board fitted whole is drawn smaller instead.
        {"1024 x 768, taskbar",
         {0, 0, 1024, 738},
         1.0,
         {300, 200},
         false,  //
         1.0,
         {0, 0, 984, 679},
         {24, 0, 1000, 738}},
        {"1024 x 768, taskbar, whole board",
         {0, 0, 1024, 738},
         1.0,
         {300, 200},
         true,  //
         679.0 / 691,
         {0, 0, 967, 679},
         {41, 0, 983, 738}},
        // A high-DPI window on the game's screen: as large as fits, never below the design.
        {"1024 x 768 at 144 dpi",
         {0, 0, 1024, 768},
         1.5,
         {0, 0},
         false,  //
         1008.0 / 984,
         {0, 0, 1008, 708},
         {0, 0, 1024, 767}},
        // A taskbar down the left side: too narrow for the design, the board smaller.
        {"1024 x 768, taskbar at the left",
         {60, 0, 964, 768},
         1.0,
         {0, 0},
         false,  //
         948.0 / 984,
         {0, 0, 948, 666},
         {60, 0, 964, 725}},
        // Too low even without the bare felt: smaller, just tall enough for the status row.
        {"800 x 560",
         {0, 0, 800, 560},
         1.0,
         {50, 50},
         false,  //
         501.0 / 658,
         {0, 0, 749, 501},
         {35, 0, 765, 560}},
        {"1024 x 600, whole board",
         {0, 0, 1024, 570},
         1.0,
         {0, 0},
         true,  //
         511.0 / 691,
         {0, 0, 728, 511},
         {0, 0, 744, 570}},
        // Never below the least size the board is drawn at; kept to the work area's top left.
        {"300 x 200",
         {0, 0, 300, 200},
         1.0,
         {20, 20},
         false,  //
         394.0 / 984,
         {0, 0, 394, 263},
         {0, 0, 410, 322}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        const Opening opening = openingSize(
            {c.work, 16, 59, c.displayScale, c.systemPlace.x, c.systemPlace.y, c.wholeBoard});
        EXPECT_NEAR(opening.scale, c.scale, 1e-9);
        EXPECT_EQ(opening.client, c.client);
        EXPECT_EQ(opening.window, c.window);
    }
}

}  // namespace
}  // namespace zentrix::layout
