// The main window's controls arranged for the screen they are drawn on. With a mouse, and on any
// screen large enough for a finger to hit the form's smallest button, the form stands exactly as
// designed. On a phone it does not: the form is wider than a phone is tall, and its bottom strip
// was drawn for a mouse. There the same controls, with the same names and the same tab order, are
// arranged for the hand: held upright, the heap across the whole width with the strip's controls in
// rows beneath it (further apart on a tall phone); held sideways, the strip in a column beside the
// heap.
//
// An arrangement is in design pixels, like the form, and is drawn as one piece at one scale: the
// largest at which its area fits the screen. No window toolkit here; the page applies it.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

// A finger needs a target this many CSS pixels across; an eye, text this many pixels high.
inline constexpr int kFingerPixels = 44;
inline constexpr int kReadablePixels = 12;
// The menu bar's height where the pointer is a finger: a touch bar, above the felt.
inline constexpr int kTouchBarPixels = 44;

// A text control's place and the size of its font, in pixels.
struct TextPlace {
    PixelRect rect;
    int fontPixels = 0;
};

struct ButtonPlace {
    PixelRect rect;
    int fontPixels = 0;
    double pictureScale = 1.0;  // the button's picture drawn at this share of its own size
};

struct Arrangement {
    std::string_view name;  // "upright-tall", "upright", "sideways", "desktop"
    // Made for a finger, on a phone, rather than the form as designed; and for a screen held
    // upright, taller than wide.
    bool forFinger = false;
    bool upright = false;
    // Everything lies inside it, the selection rings' pens included; it starts at 0, 0.
    PixelRect area;
    // Every ball box, the next ball's last; each ring stands at its box's top-left corner, as
    // large as designed.
    std::array<PixelRect, kSlotCount> ballBoxes{};
    std::array<PixelRect, 6> markers{};  // as markers(), each its picture's shape
    std::array<TextPlace, 7> labels{};   // as labels()
    ButtonPlace nextBall;
    ButtonPlace score;
    PixelRect progressBar;
};

// The arrangements for a finger, upright on a tall phone, upright and sideways, then the form as
// designed, which serves every screen they do not.
std::span<const Arrangement> arrangements();
const Arrangement& desktopArrangement();

// The smallest width or height of anything a player presses: a ball box or a button.
int smallestTarget(const Arrangement& arrangement);

// A screen as the page sees it: its size in CSS pixels, the menu bar included, and whether its
// pointer is a finger (a coarse pointer).
struct Screen {
    int width = 0;
    int height = 0;
    bool coarsePointer = false;
};

// The arrangement for `screen`: the form as designed for a mouse, and for a finger wherever the
// designed form, fitted to the screen, would leave a button smaller than a finger; otherwise the
// one made for the screen's shape: upright on a phone as tall as the tall arrangement or taller,
// upright where that draws the heap larger than sideways, else sideways.
const Arrangement& arrangementFor(const Screen& screen);

// The layout's answer for a screen: the arrangement of the form, and whether the windows over
// the game (the menus, the help windows and the message boxes) are drawn for a finger. They are
// wherever the pointer is a finger, on a large touch screen that shows the form as designed too:
// there the form's own targets are a finger wide, the menus and boxes as designed are not, and
// the touch bar above the felt is already counted in the choice of the form.
struct ScreenLayout {
    const Arrangement* arrangement = nullptr;
    bool fingerWindows = false;
};
ScreenLayout layoutFor(const Screen& screen);

// The media query under which a page draws its windows for a finger: the same rule as
// layoutFor()'s.
std::string fingerWindowsQuery();

// A screen counts as a finger's where it has a touch screen (as a page's pointer is coarse) and
// where its shorter side is one no desktop has, under this many pixels: a phone's, held either
// way, which does not always say that its screen takes touches.
inline constexpr int kPhoneShorterSide = 500;
bool fingerScreen(int width, int height, bool touchScreen);

// The smallest phone screen an arrangement for a finger fits, upright; the menu bar above it.
inline constexpr int kSmallestPhoneWidth = 360;
inline constexpr int kSmallestPhoneHeight = 640;

// The least size `arrangement` is drawn at before a window stops shrinking: the form as designed
// at two fifths of its size, below which the numbers on the balls are too small to read; one for
// a finger as it fits the smallest phone held its way, beneath a touch bar.
PixelRect smallestDrawn(const Arrangement& arrangement);

// The same choice as a CSS media query list, for a page to match arrangement by arrangement in
// the order of arrangements(), the first that matches, before any of the game's code has run.
std::string mediaQuery(const Arrangement& arrangement);

}  // namespace zentrix::layout
