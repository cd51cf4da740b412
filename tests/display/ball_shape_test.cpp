#include "display/ball_shape.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace zentrix::display {
namespace {

// A ball box's ellipse spans from (0, 0) to its size in whole pixels.
TEST(BallEllipse, SpansTheBoxInWholePixels) {
    EXPECT_EQ(ballEllipseRect(1700, 1700, 15, 15), (PixelRect{0, 0, 113, 113}));
    EXPECT_EQ(ballEllipseRect(1700, 1700, 12, 12), (PixelRect{0, 0, 142, 142}));
    // Width and height differ: an ellipse, each axis with its own twips per pixel.
    EXPECT_EQ(ballEllipseRect(1700, 900, 15, 12), (PixelRect{0, 0, 113, 75}));
    EXPECT_EQ(ballEllipseRect(0, 0, 15, 15), (PixelRect{0, 0, 0, 0}));
}

// Rounding goes to the nearest pixel, a half to the even neighbour.
TEST(TwipsToPixels, RoundsHalfToEven) {
    EXPECT_EQ(twipsToPixels(1687.5F, 15), 112);  // 112.5
    EXPECT_EQ(twipsToPixels(1702.5F, 15), 114);  // 113.5
    EXPECT_EQ(twipsToPixels(7.5F, 15), 0);       // 0.5
    EXPECT_EQ(twipsToPixels(22.5F, 15), 2);      // 1.5
    EXPECT_EQ(twipsToPixels(-22.5F, 15), -2);    // -1.5
    EXPECT_EQ(twipsToPixels(1708, 15), 114);     // 113.87
    EXPECT_EQ(twipsToPixels(1697, 15), 113);     // 113.13
}

// Sizes that cannot be turned into pixels are refused, not wrapped.
TEST(TwipsToPixels, RefusesImpossibleSizes) {
    EXPECT_THROW(twipsToPixels(1700, 0), std::domain_error);
    EXPECT_THROW(twipsToPixels(1700, -15), std::domain_error);
    EXPECT_THROW(twipsToPixels(1700, std::numeric_limits<float>::quiet_NaN()), std::domain_error);
    EXPECT_THROW(twipsToPixels(1e30F, 1), std::overflow_error);
    EXPECT_THROW(twipsToPixels(std::numeric_limits<float>::infinity(), 15), std::overflow_error);
}

}  // namespace
}  // namespace zentrix::display
