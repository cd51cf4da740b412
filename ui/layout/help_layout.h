// The About and Rules windows' layout as plain data, in twips like the main window's; and how
// they, the message boxes and the menus are laid out where the pointer is a finger.
#pragma once

#include <string_view>

#include "ui/layout/arrangement.h"
#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

// Both windows show the title picture, 600 x 450 pixels, unscaled from their top-left corner.

// About: the upper two thirds of the title picture, with the whole title, and the Ok button
// near the lower right corner.
inline constexpr std::string_view kAboutCaption = "ABout";
inline constexpr TwipsRect kAboutClientArea{0, 0, 8940, 4485};
inline constexpr std::string_view kAboutOkCaption = "Ok";
inline constexpr TwipsRect kAboutOkButton{7815, 3270, 960, 450};
inline constexpr FontDesign kAboutOkFont{"Arial", "Liberation Sans", 240, true};

// Rules: the title picture above a read-only box with the rules, reaching the bottom edge.
inline constexpr std::string_view kRulesCaption = "Rules";
inline constexpr TwipsRect kRulesClientArea{0, 0, 8970, 7470};
inline constexpr TwipsRect kRulesTextBox{0, 4440, 8985, 3030};
inline constexpr FontDesign kRulesFont{"Arial", "Liberation Sans", 240, false};

// ---- For a finger ----
//
// On a phone or a tablet the windows over the game keep their text at its own size rather than
// the board's, and everything pressed is at least a finger across: the menus' titles and items,
// a help window's title bar and close box, About's Ok and a message box's OK. In pixels.
struct FingerWindows {
    int textPixels = 16;                 // menus, titles, message texts
    int menuTitlePadding = 16;           // beside a menu title's text
    int menuWidth = 180;                 // the least width of an open menu
    int titleBarPixels = kFingerPixels;  // a help window's title bar, and its close box
    int closeBoxTextPixels = 24;         // the close box's cross
    int messageTitleBarPixels = 36;      // a message box's title bar
    int messageWidth = 240;              // the least width of a message box's text and icon
    int messageIconPixels = 36;
    int buttonWidth = 96;  // a message box's OK, a finger high
    int screenMargin = 4;  // felt kept between a window and the screen's edges
    int buttonInset = 6;   // About's Ok kept this far inside the picture
};
inline constexpr FingerWindows kFingerWindows{};
// Where a help window is wider than its title picture, the picture's sky goes on beside it.
inline constexpr Rgb kTitleSky{33, 93, 113};

// The room a help window's client area may take for a finger on a screen `width` x `height`
// pixels: all of it but a margin at every edge, `above` pixels at the top (a page's menu bar, which
// its windows stay beneath), a title bar a finger can take hold of, and a frame `frame` pixels
// wide about the window where the window draws its own.
struct Room {
    int width = 0;
    int height = 0;
    friend bool operator==(const Room&, const Room&) = default;
};
Room helpWindowRoom(int width, int height, int above = 0, int frame = 0);

// The room a window over the game (a message box, a help window as designed), frame and all, may
// take in `width` x `height` pixels: all of it but a margin at every edge.
Room windowRoom(int width, int height);

// About for a finger in a client area of at most `roomWidth` x `roomHeight`: the whole title
// picture at `pictureScale` (never above 1), with Ok at least a finger wide and high, centred
// where the design centres it and kept inside the picture.
struct FingerAbout {
    PixelRect client;
    PixelRect ok;
    double pictureScale = 1.0;
};
FingerAbout aboutForFinger(int roomWidth, int roomHeight);

// Rules for a finger: the title picture, at least its upper half where the title is, over the
// text, which takes the height left (no more than `textHeight`, all of the text) and scrolls
// inside itself. The picture is centred at `pictureLeft` where the window is wider than it. A close
// box a finger can tap stands at the top right corner over the picture, where a window has no
// title bar of its own to close it by (a phone's shell may draw none).
struct FingerRules {
    PixelRect client;
    PixelRect textBox;
    PixelRect closeBox;
    double pictureScale = 1.0;
    int pictureLeft = 0;
};
FingerRules rulesForFinger(int roomWidth, int roomHeight, int textHeight);

}  // namespace zentrix::layout
