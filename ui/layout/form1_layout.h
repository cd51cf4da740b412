// The main window's layout as plain data: where every control of Form1 stands, how big it is,
// its colours, font, caption, menu texts and tab order. No window toolkit here, so that every
// front end (the Qt window, a native Windows one) places the same controls in the same spots.
//
// Positions and sizes are in twips, measured inside the client area from its top-left corner;
// at 96 dots per inch fifteen twips make one pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "display/pixels.h"
#include "game/board.h"

namespace zentrix::layout {

using display::kTwipsPerPixel;
// A font's point is twenty twips.
inline constexpr int kTwipsPerPoint = 20;

// Twips to whole pixels, the nearest whole number, a half going to the even neighbour; and a
// rectangle in whole pixels.
using display::PixelRect;
using display::twipsToPixels;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Left and top converted on their own, width and height likewise: the controls were laid out on
// a grid of whole pixels, so each edge lands where the table puts it.
PixelRect toPixels(const TwipsRect& rect, int twipsPerPixel = kTwipsPerPixel);

// ---- Scaled layouts ----
//
// The design is drawn at any size by one uniform scale (1 is the design at 96 dots per inch): a
// high-density screen, or a window made larger or smaller. Each edge of a rectangle goes to its
// nearest whole pixel on its own, so controls that touch in the design still touch; at scale 1
// every rectangle is exactly as designed.
PixelRect scaled(const PixelRect& designPixels, double scale);
int scaled(int designPixels, double scale);

// The largest uniform scale at which a design of `design` pixels fits in `available` pixels.
double fitScale(int availableWidth, int availableHeight, const PixelRect& design);

// A design drawn in a window as large as it fits, centred: the scale, and where the design's
// top-left corner stands in the window's pixels.
struct Fitted {
    double scale = 1.0;
    int left = 0;
    int top = 0;
};
Fitted fitCentred(int availableWidth, int availableHeight, const PixelRect& design);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The felt of the table: the window, the labels but Label7, both buttons and every ball box.
inline constexpr Rgb kFeltGreen{82, 139, 105};
// The selection rings, drawn with a pen this wide centred on the ring's circle, so half of it
// shows outside the ball it surrounds.
inline constexpr Rgb kRingColour{255, 0, 255};
inline constexpr int kRingPenPixels = 10;
inline constexpr Rgb kTextColour{0, 0, 0};

enum class Align { Left, Centre, Right };

struct FontDesign {
    std::string_view family;   // as the game was designed
    std::string_view nearest;  // the metric-compatible stand-in where the design font is missing
    int sizeTwips = 0;         // 20 twips to the point: 36 pt is 720
    bool bold = false;

    // The size in pixels at fifteen twips to the pixel (36 pt is 48 pixels); fonts are sized in
    // pixels so that text keeps its place among controls laid out in pixels.
    int pixelSize() const { return twipsToPixels(sizeTwips); }
};

// ---- The window ----

inline constexpr std::string_view kWindowCaption = "Zentrix";
// The client area as designed.
inline constexpr TwipsRect kClientArea{0, 0, 14445, 10365};

// ---- Ball boxes and rings ----

// Picture1(0..22), the next ball's box last: the rules' own numbering.
using zentrix::kNextBallSlot;
using zentrix::kSlotCount;
inline constexpr int kBallBoxTwips = 1700;  // every ball box is this wide and high
inline constexpr int kRingTwips = 1695;     // every ring's circle

struct SlotDesign {
    int slot = 0;      // Picture1(slot), Shape1(slot)
    int row = 0;       // 1 (top) to 5 (bottom); 0 for the next-ball slot
    int left = 0;      // twips
    int top = 0;       // twips
    int tabIndex = 0;  // place in the window's tab order
};

// Indexed by slot number, 0..22.
std::span<const SlotDesign, kSlotCount> slots();
TwipsRect ballBoxRect(int slot);
// A ring sits at its ball box's top-left corner.
TwipsRect ringRect(int slot);

// ---- Location-point markers Image1(0..5) ----

struct MarkerDesign {
    int index = 0;     // Image1(index)
    int points = 0;    // 100..600, also the number of its picture
    TwipsRect rect{};  // 1620 x 540 twips, the size of the picture
};
std::span<const MarkerDesign, 6> markers();

// ---- Labels ----

enum class LabelRole {
    SelectionSum,    // Label1
    ElevensCount,    // Label2: removed balls divided by 2
    ScoreCaption,    // Label3
    TotalScore,      // Label4
    ElevensCaption,  // Label5
    RoundPoints,     // Label6
    SecondsLeft,     // Label7
};

struct LabelDesign {
    std::string_view name;  // "Label1".."Label7"
    LabelRole role{};
    TwipsRect rect{};
    std::string_view caption;  // as the window is created
    FontDesign font{};
    Align align = Align::Left;
    bool feltBackground = true;  // false: drawn transparent over the felt
    int tabIndex = 0;
};
// Label1..Label7 in that order.
std::span<const LabelDesign, 7> labels();

// ---- Buttons and the progress bar ----

struct ButtonDesign {
    std::string_view name;
    TwipsRect rect{};
    std::string_view caption;
    FontDesign font{};
    int pictureNumber = 0;  // bitmap shown centred above the caption, 0 for none
    int tabIndex = 0;
};
const ButtonDesign& nextBallButton();  // cmdNext
const ButtonDesign& scoreButton();     // cmdScore

struct ProgressBarDesign {
    std::string_view name;
    TwipsRect rect{};
    int minimum = 0;
    int maximum = 0;
    int tabIndex = 0;
};
const ProgressBarDesign& progressBar();  // ProgressBar1

// ---- Menus: no access keys, no shortcuts, no separators ----

// What a menu item does when it is chosen.
enum class MenuCommand {
    FileNew,    // mnuFileNew: a new game
    HelpRules,  // mnuHelpRules: the Rules window
    HelpAbout,  // mnuHelpAbout: the About window
};

struct MenuItemDesign {
    std::string_view name;
    std::string_view caption;
    MenuCommand command{};
};
struct MenuDesign {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuItemDesign> items;
};
std::span<const MenuDesign> menus();

// ---- Whole-window figures ----

// The smallest client area that shows every control and every ring whole: the designed area
// widened to the right edge of slot 15 and its ring.
PixelRect requiredClientArea();

// One control's place in the tab order: which control it is, by kind and number.
struct TabStop {
    enum class Kind {
        Ball,         // ball box Picture1(index)
        NextBall,     // cmdNext
        TakeScore,    // cmdScore
        ProgressBar,  // ProgressBar1
        Label,        // labels()[index]
    };
    Kind kind{};
    int index = 0;  // the ball box's slot or the label's place in labels(); 0 for the others

    friend bool operator==(const TabStop&, const TabStop&) = default;
};

// Every control in tab order (tab index 0 first), each once.
std::span<const TabStop> tabStops();

// The object name of a control in the tab order ("Picture1_7", "cmdNext", "Label4").
std::string_view objectName(const TabStop& stop);

// The names of the controls in tab order: objectName() of each of tabStops().
std::span<const std::string_view> tabOrder();

// The object name of ball box `slot` ("Picture1_7"), for front ends whose controls carry names.
std::string_view ballBoxObjectName(int slot);

}  // namespace zentrix::layout
