#include "drawings.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace drawpictures {

namespace {

// The felt the markers and the rack stand on, one unit off the window's own green.
const QColor kFelt(82, 139, 106);

// Ball colours by value; index 0 is unused.
const std::array<QColor, 11> kBallColours = {
    QColor(0, 0, 0),      QColor(138, 71, 249),  QColor(19, 183, 208),  QColor(98, 207, 18),
    QColor(169, 18, 207), QColor(207, 18, 98),   QColor(255, 162, 111), QColor(7, 105, 58),
    QColor(0, 0, 0),      QColor(251, 245, 121), QColor(144, 129, 10),
};

const QColor kPennantGreen(0, 211, 118);
const QColor kViolet(138, 71, 249);

QRawFont loadFont(const QString& directory, const QString& file, const QString& fallbackDir) {
    const QString path = (directory.isEmpty() ? fallbackDir : directory) + "/" + file;
    if (!QFileInfo::exists(path)) {
        throw std::runtime_error("font not found: " + path.toStdString());
    }
    // Outlines without hinting: the same shapes at every size and on every machine.
    QRawFont font(path, 200.0, QFont::PreferNoHinting);
    if (!font.isValid()) {
        throw std::runtime_error("cannot read font: " + path.toStdString());
    }
    return font;
}

// The outline of `text` set in `font` on a baseline at y = 0.
QPainterPath textPath(const QRawFont& font, const QString& text) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        QPainterPath glyph = font.pathForGlyph(glyphs[i]);
        glyph.translate(pen);
        path.addPath(glyph);
        pen += advances[i];
    }
    return path;
}

// Scales `path` so its ink is `height` tall and at most `maxWidth` wide (narrowing it if need
// be), with the middle of its ink at `centre`.
QPainterPath fitted(const QPainterPath& path, double height, double maxWidth, QPointF centre) {
    const QRectF ink = path.boundingRect();
    const double sy = height / ink.height();
    const double sx = std::min(sy, maxWidth / ink.width());
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.scale(sx, sy);
    transform.translate(-ink.center().x(), -ink.center().y());
    return transform.map(path);
}

// A canvas of `width` x `height` picture pixels at `scale`, filled with `ground`.
QImage canvas(int width, int height, int scale, const QColor& ground) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

void prepare(QPainter& painter, int scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto channel = [t](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * t));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

// --- Title picture: float planes, seeded noise, blur and lighting --------------------------

struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> v;

    Plane(int w, int h) : width(w), height(h), v(static_cast<std::size_t>(w) * h, 0.0f) {}
    float& at(int x, int y) { return v[static_cast<std::size_t>(y) * width + x]; }
    float get(int x, int y) const {
        x = std::clamp(x, 0, width - 1);
        y = std::clamp(y, 0, height - 1);
        return v[static_cast<std::size_t>(y) * width + x];
    }
};

// One pass of a box blur along rows (horizontal) or columns.
Plane boxPass(const Plane& in, int radius, bool horizontal) {
    Plane out(in.width, in.height);
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) {
                sum += horizontal ? in.get(x + k, y) : in.get(x, y + k);
            }
            out.at(x, y) = sum * norm;
        }
    }
    return out;
}

// Three box passes each way: close to a Gaussian of about `radius` pixels.
Plane blurred(Plane plane, int radius) {
    for (int pass = 0; pass < 3; ++pass) {
        plane = boxPass(plane, radius, true);
        plane = boxPass(plane, radius, false);
    }
    return plane;
}

std::uint32_t latticeHash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double latticeValue(int x, int y, std::uint32_t seed) {
    return static_cast<double>(latticeHash(x, y, seed) >> 8) / static_cast<double>(1u << 24);
}

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Smooth value noise in [0, 1).
double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double a = latticeValue(ix, iy, seed);
    const double b = latticeValue(ix + 1, iy, seed);
    const double c = latticeValue(ix, iy + 1, seed);
    const double d = latticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum of `octaves` layers of value noise, scaled back to [0, 1).
double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double weight = 0.0;
    double amplitude = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 101u);
        weight += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / weight;
}

double smoothstep(double lo, double hi, double x) {
    const double t = std::clamp((x - lo) / (hi - lo), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb lerp(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

int toByte(double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

Fonts Fonts::load(const QString& directory) {
    Fonts fonts;
    fonts.digits =
        loadFont(directory, "LiberationSans-Bold.ttf", "/usr/share/fonts/truetype/liberation2");
    fonts.title = loadFont(directory, "DejaVuSerif-Bold.ttf", "/usr/share/fonts/truetype/dejavu");
    return fonts;
}

QImage drawBall(int value, int scale, const Fonts& fonts) {
    QImage image = canvas(120, 120, scale, kBallColours.at(static_cast<std::size_t>(value)));
    QPainter painter(&image);
    prepare(painter, scale);

    // The disc: 40 across, from (60, 20) to (100, 60), well inside the ellipse the slot shows.
    const QPointF centre(80, 40);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 20, 20);

    // Digits 20 tall, from y = 30 to 50; "10" is narrowed a little to keep clear of the rim.
    painter.setBrush(Qt::black);
    painter.drawPath(fitted(textPath(fonts.digits, QString::number(value)), 20, 25, centre));
    return image;
}

QImage drawMarker(int points, int scale, const Fonts& fonts) {
    QImage image = canvas(108, 36, scale, kFelt);
    QPainter painter(&image);
    prepare(painter, scale);

    const QPolygonF pennant(
        {QPointF(0, 0), QPointF(76, 0), QPointF(108, 18), QPointF(76, 36), QPointF(0, 36)});
    painter.setBrush(kPennantGreen);
    painter.drawPolygon(pennant);

    painter.setBrush(kViolet);
    painter.drawPath(
        fitted(textPath(fonts.digits, QString::number(points)), 22, 70, QPointF(43, 18)));
    return image;
}

QImage drawRack(int scale) {
    QImage image = canvas(100, 100, scale, kFelt);
    QPainter painter(&image);
    prepare(painter, scale);

    constexpr double kDiameter = 15.0;
    constexpr double kRadius = kDiameter / 2;
    constexpr double kFrame = 3.5;
    const double rowStep = kDiameter * std::sqrt(3.0) / 2;

    // The triangle through the centres of the corner balls, its centroid and circumradius; the
    // frame runs round it at one ball radius plus half the frame's width.
    const double centreRadius = 4 * kDiameter / std::sqrt(3.0);
    const double frameRadius = centreRadius + 2 * (kRadius + kFrame / 2);
    // Centre the frame's outer box in the picture: its top lies frameRadius + kFrame / 2 above the
    // centroid, its base frameRadius / 2 + kFrame / 2 below.
    const QPointF centroid(50, 50 + frameRadius / 4);
    const double top = centroid.y() - centreRadius;

    QPolygonF frame;
    for (int corner = 0; corner < 3; ++corner) {
        const double angle = -M_PI / 2 + corner * 2 * M_PI / 3;
        frame << centroid + frameRadius * QPointF(std::cos(angle), std::sin(angle));
    }
    QPen wood(QColor(139, 84, 38), kFrame, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(wood);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(frame);
    QPen grain(QColor(196, 134, 72), kFrame / 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(grain);
    painter.drawPolygon(frame);
    painter.setPen(Qt::NoPen);

    // Ball colours row by row, the black ball in the middle of the third row.
    const std::array<int, 15> values = {1, 3, 5, 2, 8, 6, 4, 9, 7, 10, 6, 2, 1, 3, 5};
    std::size_t next = 0;
    for (int row = 0; row < 5; ++row) {
        for (int i = 0; i <= row; ++i) {
            const QPointF c(centroid.x() + (i - row / 2.0) * kDiameter, top + row * rowStep);
            const QColor base = kBallColours.at(static_cast<std::size_t>(values.at(next++)));

            // A soft shadow on the felt, down and to the right.
            painter.setBrush(QColor(0, 0, 0, 60));
            painter.drawEllipse(c + QPointF(0.8, 1.0), kRadius, kRadius);

            const QPointF light = c + QPointF(-0.35 * kRadius, -0.4 * kRadius);
            QRadialGradient shading(light, 1.45 * kRadius, light);
            shading.setColorAt(0.0, mix(base, Qt::white, 0.75));
            shading.setColorAt(0.3, base);
            shading.setColorAt(1.0, mix(base, Qt::black, 0.6));
            painter.setBrush(shading);
            painter.drawEllipse(c, kRadius - 0.1, kRadius - 0.1);
        }
    }
    return image;
}

IconPixels drawIcon() {
    constexpr int kMagenta = 13;
    constexpr int kPurple = 5;
    constexpr int kWhite = 15;
    constexpr int kBlack = 0;
    // The 7, drawn pixel by pixel so it stays sharp at this size.
    constexpr std::array<const char*, 9> kSeven = {
        "######", "######", "....##", "...##.", "...##.", "..##..", "..##..", "..##..", "..##..",
    };
    constexpr int kSevenLeft = 18;
    constexpr int kSevenTop = 7;

    IconPixels icon;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const auto at = static_cast<std::size_t>(y * kIconSize + x);
            const double fromCentre = std::hypot(px - 16, py - 16);
            if (fromCentre > 15.3) {
                icon.transparent[at] = true;
                continue;
            }
            // The shaded side: lower right, outside a circle shifted towards the light.
            std::uint8_t index = std::hypot(px - 14, py - 14) > 15.0 ? kPurple : kMagenta;
            if (std::hypot(px - 21, py - 11) <= 7.0) {
                index = kWhite;
            }
            const int gx = x - kSevenLeft;
            const int gy = y - kSevenTop;
            if (gy >= 0 && gy < static_cast<int>(kSeven.size()) && gx >= 0 && gx < 6 &&
                kSeven.at(static_cast<std::size_t>(gy))[gx] == '#') {
                index = kBlack;
            }
            icon.index[at] = index;
        }
    }
    return icon;
}

// --- The icon at the desktop's sizes -----------------------------------------------------

namespace {

// Below 48 pixels a font's 7 smears into grey, so there the digit is set pixel by pixel, as on
// the 16-colour icon, on a disc placed for it. The smaller sizes get a disc a little larger in
// proportion than the 32-pixel one, so that the digit keeps a pixel of white round it.
struct PixelSeven {
    int size;
    QPointF discCentre;
    double discRadius;
    int left;
    int top;
    std::vector<const char*> rows;
};

const std::array<PixelSeven, 4> kPixelSevens = {{
    {16, {10, 6}, 4.2, 8, 3, {"####", "...#", "..#.", "..#.", ".#..", ".#.."}},
    {22, {14.5, 7.5}, 5.3, 12, 4, {"#####", "#####", "...##", "..##.", "..##.", ".##..", ".##.."}},
    {24,
     {15.5, 9},
     5.8,
     13,
     5,
     {"#####", "#####", "...##", "...##", "..##.", "..##.", "..##.", "..##."}},
    {32,
     {21, 11},
     7.0,
     18,
     7,
     {"######", "######", "....##", "...##.", "...##.", "..##..", "..##..", "..##..", "..##.."}},
}};

// The ball with its shaded side, on a 32-unit grid scaled to the painter.
void paintIconBall(QPainter& painter) {
    QPainterPath ball;
    ball.addEllipse(QPointF(16, 16), 15.3, 15.3);
    painter.setBrush(QColor(kIconPalette[5]));
    painter.drawPath(ball);
    painter.setClipPath(ball);
    painter.setBrush(QColor(kIconPalette[13]));
    painter.drawEllipse(QPointF(14, 14), 15.0, 15.0);
    painter.setClipping(false);
}

}  // namespace

QImage drawThemeIcon(int size, const Fonts& fonts) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size / 32.0, size / 32.0);
    paintIconBall(painter);

    const auto pixelSeven = std::find_if(kPixelSevens.begin(), kPixelSevens.end(),
                                         [size](const PixelSeven& s) { return s.size == size; });
    if (pixelSeven == kPixelSevens.end()) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(21, 11), 7.0, 7.0);
        painter.setBrush(Qt::black);
        painter.drawPath(fitted(textPath(fonts.digits, "7"), 9, 7, QPointF(21, 11)));
        return image;
    }

    painter.resetTransform();
    painter.setBrush(Qt::white);
    painter.drawEllipse(pixelSeven->discCentre, pixelSeven->discRadius, pixelSeven->discRadius);
    for (std::size_t row = 0; row < pixelSeven->rows.size(); ++row) {
        const std::string_view cells = pixelSeven->rows[row];
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (cells[column] == '#') {
                painter.fillRect(pixelSeven->left + static_cast<int>(column),
                                 pixelSeven->top + static_cast<int>(row), 1, 1, Qt::black);
            }
        }
    }
    return image;
}

QImage drawIconLarge(const Fonts& fonts) {
    return drawThemeIcon(64, fonts);
}

QImage drawTitle(int scale, const Fonts& fonts) {
    const int width = 600 * scale;
    const int height = 450 * scale;
    const double s = scale;

    // The letters' coverage, drawn once at this scale.
    const QPainterPath letters =
        fitted(textPath(fonts.title, "Zentrix"), 104, 550, QPointF(300, 78));
    QImage mask(width, height, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        prepare(painter, scale);
        painter.setBrush(Qt::black);
        painter.drawPath(letters);
    }
    Plane coverage(width, height);
    Plane shadowSource(width, height);
    const int shadowDx = 6 * scale;
    const int shadowDy = 7 * scale;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            coverage.at(x, y) = static_cast<float>(qAlpha(line[x])) / 255.0f;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            shadowSource.at(x, y) = coverage.get(x - shadowDx, y - shadowDy);
        }
    }
    const Plane shadow = blurred(shadowSource, 3 * scale);
    const Plane relief = blurred(coverage, 3 * scale);

    // Light from the upper left, a little above the picture.
    const double lx = -0.55;
    const double ly = -0.6;
    const double lz = 0.58;
    const double halfLen = std::hypot(lx, ly, lz + 1.0);
    const double hx = lx / halfLen;
    const double hy = ly / halfLen;
    const double hz = (lz + 1.0) / halfLen;

    const QRectF ink = letters.boundingRect();
    const Rgb letterTop{132, 236, 160};
    const Rgb letterBottom{22, 120, 200};

    const Rgb deep{12, 54, 78};
    const Rgb sea{48, 136, 124};
    const Rgb blue{36, 84, 158};

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / s;
            const double v = (y + 0.5) / s;

            // Ground: blotches of sea green over deep teal, drifting to blue in places.
            const double blotch = fractalNoise(u / 60.0, v / 60.0, 5, 11u);
            const double drift = fractalNoise(u / 170.0, v / 170.0, 3, 29u);
            Rgb ground = lerp(deep, sea, smoothstep(0.3, 0.72, blotch));
            ground = lerp(ground, blue, 0.55 * smoothstep(0.35, 0.75, drift));
            const double grain = fractalNoise(u / 6.0, v / 6.0, 2, 47u) - 0.5;
            const double lift = 1.0 + 0.12 * grain;
            const double dark = 1.0 - 0.62 * shadow.get(x, y);
            ground = {ground.r * lift * dark, ground.g * lift * dark, ground.b * lift * dark};

            const double cover = coverage.get(x, y);
            Rgb out = ground;
            if (cover > 0.0) {
                // Emboss: the blurred coverage is a height field; its slope tilts the surface.
                // Slopes per picture pixel, so the 2x picture is lit like the 1x one.
                const double steep = 9.0 * s;
                const double gx = (relief.get(x + 1, y) - relief.get(x - 1, y)) * steep;
                const double gy = (relief.get(x, y + 1) - relief.get(x, y - 1)) * steep;
                const double nLen = std::hypot(gx, gy, 1.0);
                const double nx = -gx / nLen;
                const double ny = -gy / nLen;
                const double nz = 1.0 / nLen;
                const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz) / lz;
                const double gloss = std::pow(std::max(0.0, nx * hx + ny * hy + nz * hz), 28.0);

                const double t = std::clamp((v - ink.top()) / ink.height(), 0.0, 1.0);
                const Rgb face = lerp(letterTop, letterBottom, t);
                const double light = 0.22 + 0.78 * diffuse;
                const Rgb lit{face.r * light + 255 * 0.55 * gloss,
                              face.g * light + 255 * 0.55 * gloss,
                              face.b * light + 255 * 0.55 * gloss};
                out = lerp(ground, lit, cover);
            }
            line[x] = qRgb(toByte(out.r), toByte(out.g), toByte(out.b));
        }
    }
    return image;
}

}  // namespace drawpictures
