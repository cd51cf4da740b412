// Form1's drawing: the felt, the location-point markers and the selection rings painted on the
// window itself, the balls in their boxes with the keyboard focus ring, and the felt behind the
// transparent seconds label. The pictures are loaded from the program at the screen's DPI.
#pragma once

#include <windows.h>

#include <array>

#include "ui/layout/board_geometry.h"
#include "ui/layout/form1_view.h"
#include "ui/win32/handles.h"
#include "ui/win32/pictures.h"

namespace zentrix::win32 {

class BoardPainter {
public:
    // Pictures come from `pictures`, in the drawing for `dpi`.
    BoardPainter(const GdiplusSession& gdiplus, HINSTANCE pictures, UINT dpi);

    // The scale the design is drawn at.
    void setScale(double scale) { scale_ = scale; }
    double scale() const { return scale_; }
    HBRUSH felt() const { return felt_.get(); }

    // The markers and the rack, and a check that every ball face is there. Returns the number of
    // the first picture missing, 0 when none is.
    int loadPictures();
    const Picture& rack() const { return rack_; }

    // The design's rectangle at the scale, in the window's client pixels.
    layout::PixelRect place(const layout::PixelRect& designPixels) const;
    // What drawing slot `slot` may touch on the felt.
    RECT slotPaintRect(int slot) const;

    // WM_PAINT of Form1, drawn off screen first so that the felt never flashes over a ring.
    void paintWindow(HWND window, const layout::Form1View& view) const;
    // The felt, the markers and the shown rings that fall in `area` (client coordinates).
    void paintBoard(HDC dc, const RECT& area, const layout::Form1View& view) const;
    // WM_CTLCOLORSTATIC of a label: the text colour, and the felt behind it; a label without a
    // background of its own (`felt` false) has the board beneath it painted into it and fills
    // nothing itself. Returns the brush the label fills with.
    HBRUSH labelColours(HDC dc, HWND label, bool felt, const layout::Form1View& view) const;
    // A ball box's whole client area: its ball unscaled from the top-left corner, or the felt.
    // Throws when the ball's face does not decode.
    void paintBall(HDC dc, const RECT& client, const layout::SlotView& view, bool focused);

private:
    // The face of ball `value`, loaded the first time a ball of that value is drawn.
    const Picture& ballFace(int value);

    const GdiplusSession& gdiplus_;
    HINSTANCE pictures_;
    UINT dpi_;
    double scale_ = 1.0;
    UniqueBrush felt_;
    std::array<Picture, layout::kLastBallValue + 1> balls_;  // by value; empty until first drawn
    std::array<Picture, 6> markers_;
    Picture rack_;
};

}  // namespace zentrix::win32
