// Screen pixels and the twips the game's windows were laid out in: one rectangle type and one
// conversion for every window of the game, the round ball windows included.
#pragma once

#include <cstdint>

namespace zentrix::display {

// Fifteen twips make one pixel on a screen of 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels: the quotient rounded to the nearest whole number, a half going to the
// even neighbour (112.5 gives 112, 113.5 gives 114). Throws std::domain_error when the twips per
// pixel are not positive and std::overflow_error when the result does not fit in 32 bits.
std::int32_t twipsToPixels(double twips, double twipsPerPixel = kTwipsPerPixel);

// A rectangle in whole pixels: its top-left corner and its size.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }  // one past the last column
    int bottom() const { return y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace zentrix::display
