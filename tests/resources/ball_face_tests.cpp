// The ten ball faces: colour by value, the white disc near (80, 40) inside the part a slot shows,
// and legible black digits on it, at both resolutions.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "picture_checks.h"
#include "resources/picture_ids.h"

namespace zentrix::testing {
namespace {

QImage ball(int value, int scale = 1) {
    const std::string path =
        scale == 1 ? pictures::bitmapPath(value) : pictures::bitmapPath2x(value);
    return loadImage(QString::fromStdString(path));
}

// Pixels that are not the plain ball colour: the disc and its digits.
PixelTest notBall(int value) {
    return [value](QRgb c) { return channelDistance(c, kBallColours.at(value)) > 24; };
}

// The face with everything further than 17 pixels from the disc's centre painted white: what is
// left is the inner disc and whatever is drawn on it.
QImage innerDisc(const QImage& face, int scale) {
    QImage out = face.convertToFormat(QImage::Format_RGB32);
    const double r = 17.0 * scale;
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (std::hypot(x + 0.5 - 80.0 * scale, y + 0.5 - 40.0 * scale) > r) {
                out.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    }
    return out;
}

// Where the 113-pixel slot's ellipse lies, in picture pixels at `scale`.
bool insideSlotEllipse(int x, int y, int scale) {
    const double r = 56.5 * scale;
    const double dx = (x + 0.5 - r) / r;
    const double dy = (y + 0.5 - r) / r;
    return dx * dx + dy * dy <= 1.0;
}

// Away from the disc, every face is its value's colour, exactly, at both resolutions.
TEST(BallFaces, ShowTheirValuesColourOutsideTheDisc) {
    const std::array<QPoint, 6> plain = {QPoint(0, 0),   QPoint(10, 100), QPoint(56, 56),
                                         QPoint(30, 20), QPoint(110, 90), QPoint(119, 119)};
    for (int value = 1; value <= 10; ++value) {
        SCOPED_TRACE(value);
        const QImage face = ball(value);
        const QImage face2x = ball(value, 2);
        for (const QPoint& p : plain) {
            EXPECT_EQ(face.pixel(p), kBallColours[value]) << p.x() << "," << p.y();
            EXPECT_EQ(face2x.pixel(2 * p.x() + 1, 2 * p.y() + 1), kBallColours[value]);
        }
    }
}

// The disc is white, 36 to 40 pixels across, centred within two pixels of (80, 40), and wholly
// inside the ellipse the 113-pixel slot shows; the same at twice the size.
TEST(BallFaces, CarryAWhiteDiscInsideTheVisibleEllipse) {
    for (int scale : {1, 2}) {
        for (int value = 1; value <= 10; ++value) {
            SCOPED_TRACE(::testing::Message() << "value " << value << " scale " << scale);
            const QImage face = ball(value, scale);
            const QRect all = face.rect();
            const QRect disc = inkBox(face, notBall(value), all);
            ASSERT_FALSE(disc.isNull());
            EXPECT_GE(disc.width(), 36 * scale);
            EXPECT_LE(disc.width(), 40 * scale + 1);
            EXPECT_GE(disc.height(), 36 * scale);
            EXPECT_LE(disc.height(), 40 * scale + 1);
            const QPointF centre = QRectF(disc).center();
            EXPECT_NEAR(centre.x(), 80.0 * scale, 2.0 * scale);
            EXPECT_NEAR(centre.y(), 40.0 * scale, 2.0 * scale);

            int outside = 0;
            for (int y = 0; y < face.height(); ++y) {
                for (int x = 0; x < face.width(); ++x) {
                    if (notBall(value)(face.pixel(x, y)) && !insideSlotEllipse(x, y, scale)) {
                        ++outside;
                    }
                }
            }
            EXPECT_EQ(outside, 0) << "disc pixels the slot would cut off";

            // The rim of the disc is white at its four sides.
            const int c = 80 * scale;
            const int m = 40 * scale;
            const int in = 16 * scale;
            for (QPoint p :
                 {QPoint(c - in, m), QPoint(c + in, m), QPoint(c, m - in), QPoint(c, m + in)}) {
                EXPECT_TRUE(isWhiteish(face.pixel(p))) << p.x() << "," << p.y();
            }
        }
    }
}

// The value is written in dark digits about 20 pixels tall in the middle of the disc: one glyph
// for 1 to 9, two for 10, and no two faces carry the same digits.
TEST(BallFaces, ShowTheirNumberInDarkDigits) {
    std::set<std::vector<bool>> seen;
    for (int scale : {1, 2}) {
        seen.clear();
        for (int value = 1; value <= 10; ++value) {
            SCOPED_TRACE(::testing::Message() << "value " << value << " scale " << scale);
            const QImage face = innerDisc(ball(value, scale), scale);
            const QRect discArea(63 * scale, 23 * scale, 34 * scale, 34 * scale);
            const auto digit = [](QRgb c) { return isDark(c); };
            const QRect ink = inkBox(face, digit, discArea);
            ASSERT_FALSE(ink.isNull());
            EXPECT_GE(ink.height(), 18 * scale);
            EXPECT_LE(ink.height(), 22 * scale);
            EXPECT_NEAR(QRectF(ink).center().x(), 80.0 * scale, 3.0 * scale);
            EXPECT_NEAR(QRectF(ink).center().y(), 40.0 * scale, 2.0 * scale);
            EXPECT_EQ(connectedGroups(face, digit, discArea), value == 10 ? 2 : 1);
            // Enough ink to read, and white all round it.
            const int dark = countPixels(face, digit, discArea);
            EXPECT_GT(dark, 40 * scale * scale);
            EXPECT_GT(countPixels(face, isWhiteish, discArea), 2 * dark);
            EXPECT_TRUE(seen.insert(pixelMask(face, digit, discArea)).second)
                << "same digits as another face";
        }
    }
}

// Ball 8 is black all over like its digits: the number still stands on white, with black ball
// beyond the disc on every side.
TEST(BallFaces, EightIsReadableOnItsBlackSquare) {
    const QImage whole = ball(8);
    EXPECT_EQ(whole.pixel(80, 10), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(80, 70), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(50, 40), qRgb(0, 0, 0));
    EXPECT_EQ(whole.pixel(110, 40), qRgb(0, 0, 0));
    const QImage face = innerDisc(whole, 1);
    const QRect discArea(63, 23, 34, 34);
    EXPECT_GT(countPixels(face, isWhiteish, discArea), 400);
    EXPECT_EQ(connectedGroups(face, isDark, discArea), 1);
}

// The twice-size faces are drawn at their own resolution, not enlarged from the 1x ones: along
// every edge of the disc and the digits, 2 x 2 blocks of the big face differ within themselves,
// which pixel doubling never gives.
TEST(BallFaces, TwiceSizeFacesAreDrawnNotEnlarged) {
    for (int value = 1; value <= 10; ++value) {
        SCOPED_TRACE(value);
        const QImage face2x = ball(value, 2);
        int mixedBlocks = 0;
        for (int y = 0; y < 240; y += 2) {
            for (int x = 0; x < 240; x += 2) {
                const QRgb p = face2x.pixel(x, y);
                mixedBlocks += (face2x.pixel(x + 1, y) != p || face2x.pixel(x, y + 1) != p ||
                                face2x.pixel(x + 1, y + 1) != p)
                                   ? 1
                                   : 0;
            }
        }
        // The disc's rim alone runs round about 125 blocks.
        EXPECT_GT(mixedBlocks, 150);
    }
}

}  // namespace
}  // namespace zentrix::testing
