// The title picture behind the About and Rules windows, and the program's icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "picture_checks.h"
#include "resources/picture_ids.h"

namespace zentrix::testing {
namespace {

// Sum of absolute differences between horizontal neighbours over a band of rows: how much
// drawn detail the band holds.
double edgeEnergy(const QImage& image, int top, int bottom) {
    double sum = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 1; x < image.width(); ++x) {
            sum += std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x - 1, y)));
        }
    }
    return sum / ((bottom - top) * (image.width() - 1));
}

// The title comes as a 600 x 450 JPEG and a 1200 x 900 JPEG of the same picture.
TEST(TitlePicture, IsAJpegAtBothResolutions) {
    const QByteArray jpeg = resourceBytes(pictures::kTitleJpeg);
    const QByteArray jpeg2x = resourceBytes(pictures::kTitleJpeg2x);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(jpeg2x.startsWith("\xFF\xD8\xFF"));
    const QImage title = loadImage(pictures::kTitleJpeg);
    const QImage title2x = loadImage(pictures::kTitleJpeg2x);
    ASSERT_EQ(title.size(), QSize(600, 450));
    ASSERT_EQ(title2x.size(), QSize(1200, 900));
    const QImage reduced =
        title2x.scaled(600, 450, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(title, reduced), 8.0) << "the 2x title shows another picture";
}

// The ground is mottled blue-green: blue and green well above red, and uneven. The middle, which
// the About window's Ok button shows, is plain ground.
TEST(TitlePicture, StandsOnAMottledBlueGreenGround) {
    const QImage title = loadImage(pictures::kTitleJpeg);
    ASSERT_EQ(title.size(), QSize(600, 450));
    for (const QRect& area : {QRect(0, 200, 600, 250), QRect(268, 210, 64, 30)}) {
        double r = 0, g = 0, b = 0, grey = 0, greySquares = 0;
        const double n = area.width() * area.height();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb c = title.pixel(x, y);
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
                grey += qGray(c);
                greySquares += qGray(c) * qGray(c);
            }
        }
        r /= n;
        g /= n;
        b /= n;
        const double spread = std::sqrt(greySquares / n - (grey / n) * (grey / n));
        EXPECT_GT(g, r + 30) << area.y();
        EXPECT_GT(b, r + 30) << area.y();
        EXPECT_GT(spread, area.width() > 100 ? 8.0 : 2.0) << "not mottled";
    }
}

// The name lies across the upper third: the band from 20 to 150 holds far more drawn edges than
// the ground below it, and the About window's 299 rows show all of it.
TEST(TitlePicture, CarriesTheNameInItsUpperThird) {
    const QImage title = loadImage(pictures::kTitleJpeg);
    ASSERT_EQ(title.size(), QSize(600, 450));
    const double nameBand = edgeEnergy(title, 20, 150);
    const double ground = edgeEnergy(title, 200, 450);
    EXPECT_GT(nameBand, 2.5 * ground);
    EXPECT_LT(edgeEnergy(title, 160, 299), 1.5 * ground) << "letters below the upper third";

    // The letters are green-blue: bright pixels in the band have little red.
    int bright = 0;
    int greenBlue = 0;
    for (int y = 20; y < 150; ++y) {
        for (int x = 0; x < 600; ++x) {
            const QRgb c = title.pixel(x, y);
            if (qGray(c) > 140) {
                ++bright;
                greenBlue += (qGreen(c) > qRed(c) + 40 && qBlue(c) > qRed(c)) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(bright, 3000) << "no bright letters";
    EXPECT_GT(greenBlue, bright * 8 / 10);
}

// The .ico holds one 32 x 32, 16-colour image of 744 bytes: header, palette, colour rows, mask.
TEST(Icon, IsOne16ColourImageOf744Bytes) {
    const QByteArray ico = sourceFileBytes("zentrix.ico");
    ASSERT_EQ(ico.size(), 6 + 16 + 744);
    EXPECT_EQ(le16(ico, 0), 0);
    EXPECT_EQ(le16(ico, 2), 1) << "icon, not cursor";
    EXPECT_EQ(le16(ico, 4), 1) << "one image";
    EXPECT_EQ(static_cast<unsigned char>(ico.at(6)), 32);
    EXPECT_EQ(static_cast<unsigned char>(ico.at(7)), 32);
    EXPECT_EQ(static_cast<unsigned char>(ico.at(8)), 16);
    EXPECT_EQ(le16(ico, 10), 1);
    EXPECT_EQ(le16(ico, 12), 4);
    EXPECT_EQ(le32(ico, 14), 744u);
    EXPECT_EQ(le32(ico, 18), 22u);

    const qsizetype dib = 22;
    EXPECT_EQ(le32(ico, dib), 40u);
    EXPECT_EQ(le32(ico, dib + 4), 32u);
    EXPECT_EQ(le32(ico, dib + 8), 64u) << "colour rows and mask rows";
    EXPECT_EQ(le16(ico, dib + 12), 1);
    EXPECT_EQ(le16(ico, dib + 14), 4);
    EXPECT_EQ(le32(ico, dib + 16), 0u);
    // Palette entry 13 is magenta, 15 white, 0 black (blue, green, red, 0).
    const auto entry = [&](int i) { return ico.mid(dib + 40 + 4 * i, 4); };
    EXPECT_EQ(entry(13), QByteArray("\xFF\x00\xFF\x00", 4));
    EXPECT_EQ(entry(15), QByteArray("\xFF\xFF\xFF\x00", 4));
    EXPECT_EQ(entry(0), QByteArray("\x00\x00\x00\x00", 4));

    // The mask's corners are set (transparent), its middle clear.
    const qsizetype mask = dib + 40 + 64 + 512;
    const auto masked = [&](int x, int y) {
        const auto byte = static_cast<unsigned char>(ico.at(mask + (31 - y) * 4 + x / 8));
        return (byte & (0x80 >> (x % 8))) != 0;
    };
    EXPECT_TRUE(masked(0, 0));
    EXPECT_TRUE(masked(31, 31));
    EXPECT_FALSE(masked(16, 16));
    EXPECT_FALSE(masked(8, 24));
}

// Qt reads the .ico; it shows a magenta ball with a black 7 on a white disc, transparent round
// it, and the 32-pixel window icon is the same image.
TEST(Icon, ShowsAMagentaBallNumberedSeven) {
    const QImage ico = loadImage(QStringLiteral(ZENTRIX_RESOURCES_DIR "/zentrix.ico"));
    const QImage png = loadImage(pictures::kIcon);
    ASSERT_EQ(ico.size(), QSize(32, 32));
    ASSERT_EQ(png.size(), QSize(32, 32));
    const QImage a = ico.convertToFormat(QImage::Format_ARGB32);
    const QImage b = png.convertToFormat(QImage::Format_ARGB32);
    int different = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool clearA = qAlpha(a.pixel(x, y)) == 0;
            const bool clearB = qAlpha(b.pixel(x, y)) == 0;
            different += (clearA != clearB || (!clearA && a.pixel(x, y) != b.pixel(x, y))) ? 1 : 0;
        }
    }
    EXPECT_EQ(different, 0);

    EXPECT_EQ(qAlpha(b.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(b.pixel(31, 0)), 0);
    EXPECT_EQ(qAlpha(b.pixel(0, 31)), 0);
    EXPECT_EQ(b.pixel(10, 20), kMagenta);
    const auto opaque = [](QRgb c) { return qAlpha(c) == 255; };
    const auto magenta = [](QRgb c) { return c == kMagenta; };
    const int ball = countPixels(b, opaque, b.rect());
    EXPECT_GT(ball, 600) << "a ball filling most of the icon";
    EXPECT_GT(countPixels(b, magenta, b.rect()), ball / 2);
    const QRect disc = inkBox(
        b, [](QRgb c) { return c == qRgb(255, 255, 255); }, b.rect());
    ASSERT_FALSE(disc.isNull());
    const auto black = [](QRgb c) { return c == qRgb(0, 0, 0); };
    const QRect seven = inkBox(b, black, disc);
    ASSERT_FALSE(seven.isNull());
    EXPECT_GE(seven.height(), 7);
    EXPECT_EQ(connectedGroups(b, black, disc), 1);
    // A 7: its top row is a bar across the glyph, its bottom row a short stroke.
    EXPECT_EQ(countPixels(b, black, QRect(seven.left(), seven.top(), seven.width(), 1)),
              seven.width());
    EXPECT_LT(countPixels(b, black, QRect(seven.left(), seven.bottom(), seven.width(), 1)),
              seven.width() / 2 + 1);
}

// The 64-pixel icon is the same ball drawn at twice the size.
TEST(Icon, HasATwiceSizeTwin) {
    const QImage big = loadImage(pictures::kIcon2x).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(big.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(big.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(big.pixel(63, 63)), 0);
    EXPECT_EQ(big.pixel(20, 40), kMagenta);
    EXPECT_EQ(big.pixel(42, 10), qRgb(255, 255, 255)) << "the disc, up and right";
    EXPECT_GT(countPixels(big, isDark, QRect(32, 6, 22, 22)), 20) << "the 7";
}

// The desktop's menus get the icon at every size of the icon theme, each drawn at that size: the
// same magenta ball with a white disc up and to the right holding a black 7, transparent round
// it. Below 48 pixels the 7 is set on whole pixels, pure black on pure white, as a smaller copy
// of a larger drawing could not be.
TEST(Icon, IsDrawnAtEveryThemeSize) {
    const auto white = [](QRgb c) { return c == qRgb(255, 255, 255); };
    const auto ink = [](QRgb c) { return qAlpha(c) == 255 && isDark(c); };
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon =
            loadImage(QStringLiteral(ZENTRIX_RESOURCES_DIR "/icons/%1.png").arg(size))
                .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        const int last = size - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
        }

        const auto opaque = [](QRgb c) { return qAlpha(c) == 255; };
        const double ballShare = countPixels(icon, opaque, icon.rect()) / double(size * size);
        EXPECT_GT(ballShare, 0.55) << "a ball across the icon";
        EXPECT_LT(ballShare, 0.78);
        EXPECT_GT(countPixels(
                      icon, [](QRgb c) { return c == kMagenta; }, icon.rect()),
                  countPixels(icon, opaque, icon.rect()) / 3);

        const QRect disc = inkBox(icon, white, icon.rect());
        ASSERT_FALSE(disc.isNull());
        EXPECT_GT(disc.center().x(), size / 2) << "the disc lies to the right";
        EXPECT_LT(disc.center().y(), size / 2) << "and up";

        const QRect seven = inkBox(icon, ink, disc);
        ASSERT_FALSE(seven.isNull());
        EXPECT_EQ(connectedGroups(icon, ink, disc), 1);
        EXPECT_GE(seven.height(), size / 4);
        EXPECT_TRUE(disc.contains(seven.adjusted(-1, -1, 1, 1))) << "white round the digit";
        // A 7: a bar on top, a single stroke below.
        const int band = std::max(1, seven.height() / 5);
        const auto inkIn = [&](int top) {
            return countPixels(icon, ink, QRect(seven.left(), top, seven.width(), band));
        };
        EXPECT_GT(inkIn(seven.top()), 2 * inkIn(seven.bottom() + 1 - band));

        if (size < 48) {
            const auto pure = [](QRgb c) { return c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255); };
            EXPECT_EQ(countPixels(icon, pure, seven), seven.width() * seven.height())
                << "grey in the digit";
        }
    }
}

}  // namespace
}  // namespace zentrix::testing
