// The board's shared figures: the rings' reach, the focus ring and the ball values.
#include "ui/layout/board_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrix::layout {
namespace {

bool contains(const PixelRect& outer, const PixelRect& inner) {
    return outer.x <= inner.x && outer.y <= inner.y && outer.right() >= inner.right() &&
           outer.bottom() >= inner.bottom();
}

TEST(BoardGeometry, ASlotsPaintRectHoldsItsBallAndTheWholeOfItsRingsPen) {
    for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
        SCOPED_TRACE(scale);
        // Half the pen, rounded up, and a pixel for smoothing.
        const int halfPen = (scaled(kRingPenPixels, scale) + 1) / 2;
        EXPECT_GE(ringReach(scale), halfPen + 1);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const PixelRect area = slotPaintRect(slot, scale);
            const PixelRect ring = scaled(toPixels(ringRect(slot)), scale);
            EXPECT_TRUE(contains(area, scaled(toPixels(ballBoxRect(slot)), scale))) << slot;
            EXPECT_TRUE(contains(area, {ring.x - halfPen, ring.y - halfPen,
                                        ring.width + 2 * halfPen, ring.height + 2 * halfPen}))
                << slot;
        }
    }
    // At the design's size: the 10-pixel pen reaches 5 pixels out, plus one.
    EXPECT_EQ(ringReach(1.0), 6);
    const PixelRect ring = toPixels(ringRect(20));
    EXPECT_EQ(slotPaintRect(20, 1.0), (PixelRect{ring.x - 6, ring.y - 6, 113 + 12, 113 + 12}));
}

TEST(BoardGeometry, TheSmallestClientAreaCutsOnlyTheFeltBelowTheStatusRow) {
    const PixelRect least = smallestClientArea();
    const PixelRect full = requiredClientArea();
    EXPECT_EQ(least.width, full.width);
    EXPECT_LT(least.height, full.height);
    // At least down to the lower edge of Next Ball, 8010 + 1815 twips.
    EXPECT_GE(least.height, twipsToPixels(8010 + 1815));
    // Every ball with the pen of its ring, and every control, lies inside.
    const int halfPen = kRingPenPixels / 2;
    bool touched = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const PixelRect ring = toPixels(ringRect(slot));
        const PixelRect pen{ring.x - halfPen, ring.y - halfPen, ring.width + 2 * halfPen,
                            ring.height + 2 * halfPen};
        EXPECT_TRUE(contains(least, pen)) << slot;
        EXPECT_TRUE(contains(least, toPixels(ballBoxRect(slot)))) << slot;
        touched = touched || pen.bottom() == least.height;
    }
    EXPECT_TRUE(contains(least, toPixels(nextBallButton().rect)));
    EXPECT_TRUE(contains(least, toPixels(scoreButton().rect)));
    EXPECT_TRUE(contains(least, toPixels(progressBar().rect)));
    for (const LabelDesign& label : labels()) {
        EXPECT_TRUE(contains(least, toPixels(label.rect))) << label.name;
    }
    // Nothing is left below the lowest of them: here the next ball's ring.
    EXPECT_TRUE(touched);
}

TEST(BoardGeometry, TheFocusRingKeepsItsProportionsInsideTheBall) {
    const FocusRing design = focusRing(113);
    EXPECT_EQ(design.circle, (PixelRect{6, 6, 101, 101}));
    EXPECT_EQ(design.pen, 2);
    EXPECT_EQ(design.dash, 4);
    const FocusRing large = focusRing(170);  // one and a half times
    EXPECT_EQ(large.circle, (PixelRect{9, 9, 152, 152}));
    EXPECT_EQ(large.pen, 3);
    EXPECT_EQ(large.dash, 6);
    // Never thinner than the design's pen on a small ball, and never outside the box.
    const FocusRing small = focusRing(40);
    EXPECT_EQ(small.pen, 2);
    EXPECT_GE(small.circle.x, 0);
    EXPECT_LE(small.circle.right(), 40);
    EXPECT_EQ(focusRing(0).circle.width, 0);
}

TEST(BoardGeometry, BallValuesAreOneToTen) {
    EXPECT_FALSE(isBallValue(0));
    for (int value = 1; value <= 10; ++value) {
        EXPECT_TRUE(isBallValue(value)) << value;
    }
    EXPECT_FALSE(isBallValue(11));
    EXPECT_FALSE(isBallValue(-1));
}

// The rack on Next Ball: its picture's own 100 pixels at the design's size, with the board's
// scale, and in every arrangement inside the button's bevel with the caption's line below it.
TEST(BoardGeometry, TheRackFitsItsButtonInEveryArrangement) {
    EXPECT_EQ(rackPixels(desktopArrangement(), 1.0), 100);
    EXPECT_EQ(rackPixels(desktopArrangement(), 1.5), 150);
    EXPECT_DOUBLE_EQ(rackSide(desktopArrangement(), 0.97), 97.0);
    for (const Arrangement& a : arrangements()) {
        SCOPED_TRACE(std::string(a.name));
        const PixelRect face = a.nextBall.rect;
        const int rack = rackPixels(a, 1.0);
        EXPECT_GT(rack, 0);
        EXPECT_LE(rack + 2 * kFeltBevelPixels, face.width);
        EXPECT_LE(rack + 2 * kFeltBevelPixels + a.nextBall.fontPixels, face.height);
    }
}

}  // namespace
}  // namespace zentrix::layout
