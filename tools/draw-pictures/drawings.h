// The game's pictures, drawn from their descriptions. Every drawing takes a scale: 1 gives the
// picture at its own size, 2 the same drawing at twice the resolution for high-DPI screens.
#pragma once

#include <QImage>
#include <QRawFont>
#include <QString>

#include "writers.h"

namespace drawpictures {

// The font files the letters are cut from.
struct Fonts {
    QRawFont digits;  // ball and marker numbers
    QRawFont title;   // the name on the title picture

    // Loads the fonts from the usual Debian locations, or from `directory` if given (a folder
    // holding LiberationSans-Bold.ttf and DejaVuSerif-Bold.ttf). Throws if one is missing.
    static Fonts load(const QString& directory = {});
};

// Ball face of `value` (1-10): 120 x 120, a square of the value's colour with a white disc
// centred at (80, 40) holding the value in black digits.
QImage drawBall(int value, int scale, const Fonts& fonts);

// Location-point marker for `points` (100-600): 108 x 36, a green pennant pointing right with
// the number in violet, on the felt green.
QImage drawMarker(int points, int scale, const Fonts& fonts);

// The Next Ball button's rack: 100 x 100, fifteen shaded balls in a triangle on the felt green.
QImage drawRack(int scale);

// The window icon: a magenta ball with a 7 on a white disc, in the 16-colour palette.
IconPixels drawIcon();
// The same icon drawn smooth at twice the size (64 x 64).
QImage drawIconLarge(const Fonts& fonts);

// The icon as the desktop's menus show it, drawn at `size` x `size` (16 to 256) with a
// transparent ground: the sizes below 48 set the 7 pixel by pixel so that it stays sharp.
QImage drawThemeIcon(int size, const Fonts& fonts);

// The sizes the desktop's icon theme is given, each drawn at its own size.
inline constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Title picture: 600 x 450, "Zentrix" in embossed letters across the upper third on a mottled
// blue-green ground.
QImage drawTitle(int scale, const Fonts& fonts);

}  // namespace drawpictures
