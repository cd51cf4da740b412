// Figures of the board that every front end draws alike, worked out once: how far a selection
// ring's pen reaches around its ball, the keyboard focus ring inside a ball, and which numbers are
// ball values with a face to draw.
#pragma once

#include "game/board.h"
#include "ui/layout/arrangement.h"
#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

// Ball values run from 1 to the rules' highest; each has a face, picture number `value`.
inline constexpr int kFirstBallValue = 1;
inline constexpr int kLastBallValue = kMaxValue;
bool isBallValue(int value);

// The square a selection ring's pen covers, its circle `circle` (in design pixels) drawn at
// `scale`: the circle scaled, and half the pen's width beyond it on every side, rounded up.
PixelRect ringPenBox(const PixelRect& circle, double scale = 1.0);

// Ring `slot`'s circle in `arrangement`: at its ball box's top-left corner, as large as designed.
PixelRect ringCircle(const Arrangement& arrangement, int slot);

// How far a selection ring's pen, drawn at `scale`, reaches beyond the ring's circle: half the
// pen's width, rounded up, and a pixel more for smoothing.
int ringReach(double scale);

// What drawing slot `slot` may touch on the window's felt at `scale`: its ball box and its ring
// with the ring's reach, in the window's client pixels, the design's origin at 0, 0. The first
// for the form as designed.
PixelRect slotPaintRect(int slot, double scale);
PixelRect slotPaintRect(const Arrangement& arrangement, int slot, double scale);

// The smallest client area that shows every control, marker and ring whole: the designed area
// less the bare felt below the status row.
PixelRect smallestClientArea();

// The rack of balls on Next Ball, square: its side in pixels with the button's share of the
// picture in `arrangement`, drawn at `scale`; fractional where the scale is, and to the nearest
// whole pixel for a front end that draws in whole pixels.
double rackSide(const Arrangement& arrangement, double scale);
int rackPixels(const Arrangement& arrangement, double scale);

// The felt buttons: a bevel this wide around the face, inside which the picture and caption are
// centred, and the dotted keyboard focus frame this far inside the button's edge.
inline constexpr int kFeltBevelPixels = 2;
inline constexpr int kFeltFocusInsetPixels = 4;

// The keyboard focus ring drawn on a focused ball: a circle inside the ball box, a light ring
// with dark dashes on it so that it shows on every ball's colour.
inline constexpr int kFocusRingInsetPixels = 6;  // from the box's edge, at the design's size
inline constexpr int kFocusRingPenPixels = 2;
inline constexpr int kFocusRingDashPixels = 4;  // dash and gap alike: two pen widths
inline constexpr Rgb kFocusRingLight{255, 255, 255};
inline constexpr Rgb kFocusRingDashes{0, 0, 0};

struct FocusRing {
    PixelRect circle;  // the bounds of the circle, in the box's own pixels
    int pen = 0;       // the width of both pens
    int dash = 0;      // the length of a dash and of a gap
};
// The focus ring of a ball box `boxPixels` wide and high, keeping its proportions to the box.
FocusRing focusRing(int boxPixels);

}  // namespace zentrix::layout
