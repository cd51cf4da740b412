#include "picture_checks.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>

namespace zentrix::testing {

QByteArray resourceBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QByteArray sourceFileBytes(const QString& relativePath) {
    return resourceBytes(QStringLiteral(ZENTRIX_RESOURCES_DIR "/") + relativePath);
}

std::uint16_t le16(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes.at(at + i)));
    };
    return static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
}

std::uint32_t le32(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint32_t>(le16(bytes, at)) |
           (static_cast<std::uint32_t>(le16(bytes, at + 2)) << 16);
}

QImage loadImage(const QString& path) {
    return QImage(path);
}

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

bool isWhiteish(QRgb c) {
    return qRed(c) > 225 && qGreen(c) > 225 && qBlue(c) > 225;
}

bool isDark(QRgb c) {
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80;
}

QRect inkBox(const QImage& image, const PixelTest& test, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixel(x, y))) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

int countPixels(const QImage& image, const PixelTest& test, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

std::vector<bool> pixelMask(const QImage& image, const PixelTest& test, const QRect& area) {
    std::vector<bool> mask;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            mask.push_back(test(image.pixel(x, y)));
        }
    }
    return mask;
}

int connectedGroups(const QImage& image, const PixelTest& test, const QRect& area) {
    const int w = area.width();
    const int h = area.height();
    std::vector<bool> ink = pixelMask(image, test, area);
    const auto index = [w](int x, int y) { return static_cast<std::size_t>(y * w + x); };
    int groups = 0;
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!ink[index(x, y)]) {
                continue;
            }
            ++groups;
            ink[index(x, y)] = false;
            stack.emplace_back(x, y);
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = cx + dx;
                        const int ny = cy + dy;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < h && ink[index(nx, ny)]) {
                            ink[index(nx, ny)] = false;
                            stack.emplace_back(nx, ny);
                        }
                    }
                }
            }
        }
    }
    return groups;
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace zentrix::testing
