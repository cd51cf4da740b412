// Helpers for the picture tests: reading embedded files, little-endian fields and pixel masks.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zentrix::testing {

// The ball colours by value (index 0 unused), as the game's pictures must show them.
inline const std::array<QRgb, 11> kBallColours = {
    qRgb(0, 0, 0),      qRgb(138, 71, 249),  qRgb(19, 183, 208),  qRgb(98, 207, 18),
    qRgb(169, 18, 207), qRgb(207, 18, 98),   qRgb(255, 162, 111), qRgb(7, 105, 58),
    qRgb(0, 0, 0),      qRgb(251, 245, 121), qRgb(144, 129, 10),
};
inline const QRgb kFelt = qRgb(82, 139, 106);
inline const QRgb kPennantGreen = qRgb(0, 211, 118);
inline const QRgb kViolet = qRgb(138, 71, 249);
inline const QRgb kMagenta = qRgb(255, 0, 255);

// Every numbered bitmap the game loads.
inline const std::array<int, 17> kNumberedBitmaps = {1,  2,   3,   4,   5,   6,   7,   8,  9,
                                                     10, 100, 200, 300, 400, 500, 600, 601};

// The bytes of an embedded file, or an empty array if it is missing.
QByteArray resourceBytes(const QString& path);
// The bytes of a file in the source tree's resources folder.
QByteArray sourceFileBytes(const QString& relativePath);

std::uint16_t le16(const QByteArray& bytes, qsizetype at);
std::uint32_t le32(const QByteArray& bytes, qsizetype at);

QImage loadImage(const QString& path);

// Largest difference over the red, green and blue channels.
int channelDistance(QRgb a, QRgb b);
bool isWhiteish(QRgb c);
bool isDark(QRgb c);

using PixelTest = std::function<bool(QRgb)>;

// The smallest rectangle holding every pixel of `area` that passes `test`; null if none does.
QRect inkBox(const QImage& image, const PixelTest& test, const QRect& area);
// How many pixels of `area` pass `test`.
int countPixels(const QImage& image, const PixelTest& test, const QRect& area);
// Number of 8-connected groups of pixels in `area` that pass `test`.
int connectedGroups(const QImage& image, const PixelTest& test, const QRect& area);
// Which pixels of `area` pass `test`, row by row.
std::vector<bool> pixelMask(const QImage& image, const PixelTest& test, const QRect& area);

// Mean of the per-channel absolute differences between two images of the same size.
double meanDifference(const QImage& a, const QImage& b);

}  // namespace zentrix::testing
