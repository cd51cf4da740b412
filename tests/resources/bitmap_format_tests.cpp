// The numbered bitmaps and the title bitmap, read byte by byte as the game's loaders see them.
#include <gtest/gtest.h>

#include "picture_checks.h"
#include "resources/picture_ids.h"

namespace zentrix::testing {
namespace {

struct Expected {
    int width;
    int height;
    qsizetype dibBytes;  // information header + rows + four zero bytes
};

Expected expectedFor(int number) {
    if (number <= 10) {
        return {120, 120, 43244};
    }
    if (number == 601) {
        return {100, 100, 30044};
    }
    return {108, 36, 11708};
}

QString bmpPath(int number) {
    return QString::fromStdString(pictures::bitmapPath(number));
}
QString pngPath(int number) {
    return QString::fromStdString(pictures::bitmapPath2x(number));
}

// Each numbered bitmap is a file header plus a DIB of exactly the documented layout and length.
TEST(NumberedBitmaps, HaveTheExactHeaderFieldsAndLength) {
    for (int number : kNumberedBitmaps) {
        SCOPED_TRACE(number);
        const Expected e = expectedFor(number);
        const QByteArray bytes = resourceBytes(bmpPath(number));
        ASSERT_EQ(bytes.size(), 14 + e.dibBytes);

        // File header.
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(le32(bytes, 2), 14 + e.dibBytes);
        EXPECT_EQ(le32(bytes, 6), 0u);
        EXPECT_EQ(le32(bytes, 10), 54u);
        // Information header.
        EXPECT_EQ(le32(bytes, 14), 40u);
        EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, 18)), e.width);
        EXPECT_EQ(static_cast<std::int32_t>(le32(bytes, 22)), e.height) << "rows bottom-up";
        EXPECT_EQ(le16(bytes, 26), 1);
        EXPECT_EQ(le16(bytes, 28), 24);
        EXPECT_EQ(le32(bytes, 30), 0u) << "no compression";
        EXPECT_EQ(le32(bytes, 34), 0u) << "image size field";
        EXPECT_EQ(le32(bytes, 38), 2834u);
        EXPECT_EQ(le32(bytes, 42), 2834u);
        EXPECT_EQ(le32(bytes, 46), 0u) << "no colour table";
        EXPECT_EQ(le32(bytes, 50), 0u);
        // The rows fill the rest but for four zero bytes.
        EXPECT_EQ(54 + e.width * e.height * 3 + 4, bytes.size());
        EXPECT_EQ(bytes.right(4), QByteArray(4, '\0'));
    }
}

// Qt decodes each numbered bitmap at its size, and every pixel agrees with the raw rows read
// bottom-up in blue-green-red order.
TEST(NumberedBitmaps, DecodeToTheirRawRows) {
    for (int number : kNumberedBitmaps) {
        SCOPED_TRACE(number);
        const Expected e = expectedFor(number);
        const QByteArray bytes = resourceBytes(bmpPath(number));
        const QImage image = loadImage(bmpPath(number));
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(e.width, e.height));
        EXPECT_FALSE(image.hasAlphaChannel());
        int mismatches = 0;
        for (int y = 0; y < e.height; ++y) {
            for (int x = 0; x < e.width; ++x) {
                const qsizetype at =
                    54 + (static_cast<qsizetype>(e.height - 1 - y) * e.width + x) * 3;
                const QRgb raw = qRgb(static_cast<unsigned char>(bytes.at(at + 2)),
                                      static_cast<unsigned char>(bytes.at(at + 1)),
                                      static_cast<unsigned char>(bytes.at(at)));
                mismatches += image.pixel(x, y) == raw ? 0 : 1;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

// The raw rows run bottom-up: a ball's white disc, near the top of the picture, is stored in the
// lower half of the rows.
TEST(NumberedBitmaps, StoreBallRowsBottomUp) {
    const QByteArray bytes = resourceBytes(bmpPath(2));
    ASSERT_EQ(bytes.size(), 43258);
    const auto rawAt = [&](int storedRow, int x) {
        const qsizetype at = 54 + (static_cast<qsizetype>(storedRow) * 120 + x) * 3;
        return qRgb(static_cast<unsigned char>(bytes.at(at + 2)),
                    static_cast<unsigned char>(bytes.at(at + 1)),
                    static_cast<unsigned char>(bytes.at(at)));
    };
    EXPECT_TRUE(isWhiteish(rawAt(119 - 24, 80))) << "disc above the digits, 24 rows from the top";
    EXPECT_EQ(rawAt(24, 80), kBallColours[2]) << "24 rows from the bottom is plain ball";
}

// Every numbered bitmap has a high-DPI twin of exactly twice its width and height.
TEST(NumberedBitmaps, HaveTwiceSizeTwins) {
    for (int number : kNumberedBitmaps) {
        SCOPED_TRACE(number);
        const Expected e = expectedFor(number);
        const QByteArray bytes = resourceBytes(pngPath(number));
        EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image = loadImage(pngPath(number));
        EXPECT_EQ(image.size(), QSize(2 * e.width, 2 * e.height));
    }
}

// The title bitmap for the About window's button is an ordinary 24-bit, 600 x 450 bitmap file
// with the same picture as the title JPEG.
TEST(TitleBitmap, IsA24BitFileOfTheTitlePicture) {
    const QByteArray bytes = resourceBytes(pictures::kTitleBitmap);
    ASSERT_EQ(bytes.size(), 54 + 600 * 450 * 3);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(bytes, 2), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_EQ(le32(bytes, 18), 600u);
    EXPECT_EQ(le32(bytes, 22), 450u);
    EXPECT_EQ(le16(bytes, 28), 24);
    EXPECT_EQ(le32(bytes, 30), 0u);

    const QImage bitmap = loadImage(pictures::kTitleBitmap);
    const QImage jpeg = loadImage(pictures::kTitleJpeg);
    ASSERT_EQ(bitmap.size(), QSize(600, 450));
    ASSERT_EQ(jpeg.size(), QSize(600, 450));
    EXPECT_LT(meanDifference(bitmap, jpeg), 4.0) << "JPEG of a different picture";
}

}  // namespace
}  // namespace zentrix::testing
