#include "writers.h"

#include <QBuffer>
#include <QImageWriter>
#include <stdexcept>

namespace drawpictures {

const std::array<QRgb, kIconColours> kIconPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

namespace {

void put16(QByteArray& out, int value) {
    const auto v = static_cast<std::uint32_t>(value);
    out.append(static_cast<char>(v & 0xFFu));
    out.append(static_cast<char>((v >> 8) & 0xFFu));
}

void put32(QByteArray& out, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(static_cast<char>((v >> shift) & 0xFFu));
    }
}

void putByte(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
}

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsPerMetre = 2834;

void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, int imageSize) {
    put32(out, kInfoHeaderBytes);
    put32(out, width);
    put32(out, height);  // positive: rows run bottom-up
    put16(out, 1);       // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used: all that the bit depth allows
    put32(out, 0);  // important colours: all
}

}  // namespace

QByteArray bitmapFile(const QImage& image, BitmapTail tail) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int tailBytes = tail == BitmapTail::FourZeros ? 4 : 0;
    const int dibBytes = kInfoHeaderBytes + rowBytes * height + tailBytes;

    QByteArray out;
    out.reserve(kFileHeaderBytes + dibBytes);
    out.append("BM");
    put32(out, kFileHeaderBytes + dibBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, kFileHeaderBytes + kInfoHeaderBytes);
    putInfoHeader(out, width, height, 24, 0);
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            putByte(out, qBlue(line[x]));
            putByte(out, qGreen(line[x]));
            putByte(out, qRed(line[x]));
        }
        for (int pad = width * 3; pad < rowBytes; ++pad) {
            putByte(out, 0);
        }
    }
    out.append(QByteArray(tailBytes, '\0'));
    return out;
}

QByteArray iconFile(const IconPixels& pixels) {
    constexpr int kColourRowBytes = kIconSize / 2;  // two pixels a byte
    constexpr int kMaskRowBytes = kIconSize / 8;    // 4: already a whole number of 32-bit words
    constexpr int kPixelBytes = kIconSize * (kColourRowBytes + kMaskRowBytes);
    constexpr int kImageBytes = kInfoHeaderBytes + kIconColours * 4 + kPixelBytes;
    constexpr int kDirectoryBytes = 6 + 16;

    QByteArray out;
    // Directory: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // Its entry: size, colour count, reserved, planes, bit count, bytes, offset.
    putByte(out, kIconSize);
    putByte(out, kIconSize);
    putByte(out, kIconColours);
    putByte(out, 0);
    put16(out, 1);
    put16(out, 4);
    put32(out, kImageBytes);
    put32(out, kDirectoryBytes);

    // The image: the height counts the colour rows and the mask rows together.
    putInfoHeader(out, kIconSize, 2 * kIconSize, 4, kPixelBytes);
    // putInfoHeader writes the resolution of a bitmap; icons leave it at 0.
    const int resolutionAt = kDirectoryBytes + 24;
    for (int i = 0; i < 8; ++i) {
        out[resolutionAt + i] = '\0';
    }
    for (QRgb colour : kIconPalette) {
        putByte(out, qBlue(colour));
        putByte(out, qGreen(colour));
        putByte(out, qRed(colour));
        putByte(out, 0);
    }
    for (int y = kIconSize - 1; y >= 0; --y) {
        for (int x = 0; x < kIconSize; x += 2) {
            const auto at = static_cast<std::size_t>(y * kIconSize + x);
            const int left = pixels.transparent[at] ? 0 : pixels.index[at];
            const int right = pixels.transparent[at + 1] ? 0 : pixels.index[at + 1];
            putByte(out, (left << 4) | right);
        }
    }
    for (int y = kIconSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < kMaskRowBytes; ++byte) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const auto at = static_cast<std::size_t>(y * kIconSize + byte * 8 + bit);
                if (pixels.transparent[at]) {
                    bits |= 0x80 >> bit;
                }
            }
            putByte(out, bits);
        }
    }
    if (out.size() != kDirectoryBytes + kImageBytes) {
        throw std::logic_error("icon layout miscounted");
    }
    return out;
}

QImage iconImage(const IconPixels& pixels) {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const auto at = static_cast<std::size_t>(y * kIconSize + x);
            image.setPixel(
                x, y,
                pixels.transparent[at] ? qRgba(0, 0, 0, 0) : kIconPalette.at(pixels.index[at]));
        }
    }
    return image;
}

QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        throw std::runtime_error("cannot encode " + std::string(format) + ": " +
                                 writer.errorString().toStdString());
    }
    return bytes;
}

}  // namespace drawpictures
