// The six location-point markers and the Next Ball rack: pennant, digits and felt, at both
// resolutions.
#include <gtest/gtest.h>

#include <set>

#include "picture_checks.h"
#include "resources/picture_ids.h"

namespace zentrix::testing {
namespace {

QImage picture(int number, int scale) {
    const std::string path =
        scale == 1 ? pictures::bitmapPath(number) : pictures::bitmapPath2x(number);
    return loadImage(QString::fromStdString(path));
}

// The pixel at picture coordinates (x, y), read from the middle of its block at `scale`.
QRgb at(const QImage& image, int x, int y, int scale) {
    return image.pixel(scale * x + scale / 2, scale * y + scale / 2);
}

bool violetish(QRgb c) {
    return channelDistance(c, kViolet) < 40;
}

// A marker is a bright green pennant reaching from the left edge to a point at the right, with
// the felt green above and below the point.
TEST(Markers, AreGreenPennantsPointingRightOnFelt) {
    for (int scale : {1, 2}) {
        for (int k = 0; k < pictures::kMarkerCount; ++k) {
            const int number = pictures::markerNumber(k);
            SCOPED_TRACE(::testing::Message() << number << " scale " << scale);
            const QImage marker = picture(number, scale);
            ASSERT_EQ(marker.size(), QSize(108 * scale, 36 * scale));
            for (QPoint p : {QPoint(0, 0), QPoint(0, 35), QPoint(3, 18), QPoint(74, 2),
                             QPoint(74, 33), QPoint(95, 18), QPoint(104, 18)}) {
                EXPECT_EQ(at(marker, p.x(), p.y(), scale), kPennantGreen) << p.x() << "," << p.y();
            }
            for (QPoint p : {QPoint(107, 0), QPoint(107, 35), QPoint(104, 2), QPoint(104, 33),
                             QPoint(96, 4), QPoint(96, 31)}) {
                EXPECT_EQ(at(marker, p.x(), p.y(), scale), kFelt) << p.x() << "," << p.y();
            }
            const auto green = [](QRgb c) { return c == kPennantGreen; };
            EXPECT_GT(countPixels(marker, green, marker.rect()),
                      marker.width() * marker.height() / 2)
                << "the pennant fills most of the picture";
        }
    }
}

// The number stands on the pennant in violet: three digits about 22 pixels tall, in the
// pennant's broad part, different on every marker.
TEST(Markers, ShowTheirNumberInVioletDigits) {
    for (int scale : {1, 2}) {
        std::set<std::vector<bool>> seen;
        for (int k = 0; k < pictures::kMarkerCount; ++k) {
            const int number = pictures::markerNumber(k);
            SCOPED_TRACE(::testing::Message() << number << " scale " << scale);
            const QImage marker = picture(number, scale);
            const QRect ink = inkBox(marker, violetish, marker.rect());
            ASSERT_FALSE(ink.isNull());
            EXPECT_GE(ink.height(), 18 * scale);
            EXPECT_LE(ink.height(), 26 * scale);
            EXPECT_NEAR(QRectF(ink).center().y(), 18.0 * scale, 1.5 * scale);
            EXPECT_GE(ink.left(), 4 * scale);
            EXPECT_LE(ink.right(), 80 * scale) << "digits run onto the point";
            EXPECT_EQ(connectedGroups(marker, violetish, marker.rect()), 3);
            EXPECT_TRUE(seen.insert(pixelMask(marker, violetish, marker.rect())).second);
        }
    }
}

// The rack: felt in the corners, and balls in a triangle, narrow at the top and broad at the
// bottom, centred left to right, in the balls' own colours.
TEST(Rack, IsATriangleOfColouredBallsOnFelt) {
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const QImage rack = picture(pictures::kRack, scale);
        ASSERT_EQ(rack.size(), QSize(100 * scale, 100 * scale));
        for (QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99), QPoint(8, 40),
                         QPoint(91, 40)}) {
            EXPECT_EQ(at(rack, p.x(), p.y(), scale), kFelt) << p.x() << "," << p.y();
        }
        const auto notFelt = [](QRgb c) { return channelDistance(c, kFelt) > 30; };
        const QRect ink = inkBox(rack, notFelt, rack.rect());
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(QRectF(ink).center().x(), 50.0 * scale, 2.0 * scale);
        EXPECT_NEAR(QRectF(ink).center().y(), 50.0 * scale, 4.0 * scale);
        EXPECT_GT(ink.height(), 70 * scale);

        const auto widthOfRow = [&](int y) {
            const QRect row = inkBox(rack, notFelt, QRect(0, y, rack.width(), 1));
            return row.isNull() ? 0 : row.width();
        };
        const int upper = widthOfRow(ink.top() + ink.height() / 4);
        const int lower = widthOfRow(ink.top() + ink.height() * 3 / 4);
        EXPECT_GT(lower, 2 * upper) << "not a triangle standing on its base";

        // Shaded balls show each value's colour somewhere on them.
        for (int value = 1; value <= 10; ++value) {
            const auto near = [value](QRgb c) {
                return channelDistance(c, kBallColours[value]) <= 30;
            };
            EXPECT_GT(countPixels(rack, near, rack.rect()), 0) << "no ball of colour " << value;
        }
    }
}

}  // namespace
}  // namespace zentrix::testing
