// File formats the pictures are stored in: 24-bit bitmaps in the layout the game's numbered
// bitmaps use, the 16-colour Windows icon, and Qt's PNG and JPEG encoders.
#pragma once

#include <QByteArray>
#include <QImage>
#include <array>
#include <cstdint>

namespace drawpictures {

// What follows the pixel rows of a bitmap file.
enum class BitmapTail {
    None,       // an ordinary bitmap file
    FourZeros,  // the numbered bitmaps end with four zero bytes after the rows
};

// A bitmap file: 14-byte file header, 40-byte information header (bottom-up rows, 24 bits per
// pixel, no compression, image size field 0, 2834 pixels per metre, no colour table), the rows in
// blue-green-red order padded to four bytes, then the tail. Alpha is ignored.
QByteArray bitmapFile(const QImage& image, BitmapTail tail);

// The sixteen colours of the standard Windows palette, in palette order.
inline constexpr int kIconColours = 16;
extern const std::array<QRgb, kIconColours> kIconPalette;

inline constexpr int kIconSize = 32;

// A 32 x 32 icon in the 16-colour palette: the colour index of each pixel, row by row from the
// top, and which pixels are transparent (their index is written as 0, black, under a set mask bit).
struct IconPixels {
    std::array<std::uint8_t, kIconSize * kIconSize> index{};
    std::array<bool, kIconSize * kIconSize> transparent{};
};

// An .ico file holding one 4-bit image: directory, entry, then 744 bytes of image (information
// header with the doubled height, 64-byte palette, 512 bytes of colour rows, 128 bytes of mask).
QByteArray iconFile(const IconPixels& pixels);

// The icon as a 32-bit image with transparency, for Qt's window icon.
QImage iconImage(const IconPixels& pixels);

// Qt's encoders: "png", or "jpg" at the given quality.
QByteArray encoded(const QImage& image, const char* format, int quality = -1);

}  // namespace drawpictures
