// The game's pictures and fonts for the Windows program, from the resources linked into it.
//
// Every picture comes in two drawings: the classic bitmap and one at twice the size (PNG or
// JPEG, decoded by GDI+). A screen of 144 dots per inch or more gets the double-size drawing, so
// a scaled window stays crisp; below that the classic one is drawn, scaled if need be.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "ui/layout/form1_layout.h"
#include "ui/win32/handles.h"

namespace zentrix::win32 {

inline constexpr UINT kDoubleSizeDpi = 144;

// A decoded picture: a bitmap and its own size in pixels. Empty when the resource is missing
// or does not decode.
struct Picture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return bitmap != nullptr; }
};

// GDI+ for as long as this object lives, started the first time a picture needs it. Only the
// double-size drawings and the title JPEG do, so at 96 dots per inch the main window opens
// without loading GDI+ (and the COM libraries it brings along) at all.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    // Starts GDI+ if it has not been started yet. False when it cannot start; every double-size
    // picture is then missing.
    bool running() const;

    // A PNG or JPEG held in memory, decoded and laid over `background`. Empty when GDI+ cannot
    // start or the bytes do not decode.
    Picture decode(const BYTE* bytes, std::size_t size, layout::Rgb background) const;

private:
    struct Library;
    // Loaded on first use, which a const session (a picture being loaded) may be asked for.
    mutable std::unique_ptr<Library> library_;
    mutable bool tried_ = false;
};

// Bitmap `number` (1..10 the balls, 100..600 the markers, 601 the rack) in the drawing for a
// screen of `dpi`. A transparent double-size drawing is laid over `background`.
Picture loadNumberedPicture(const GdiplusSession& gdiplus, HINSTANCE instance, int number, UINT dpi,
                            layout::Rgb background = layout::kFeltGreen);

// Whether zentrix.exe carries bitmap `number` in the drawing for `dpi`, without decoding it.
bool hasNumberedPicture(HINSTANCE instance, int number, UINT dpi);

// The title picture behind the About and Rules windows, in the drawing for `dpi`.
Picture loadTitlePicture(const GdiplusSession& gdiplus, HINSTANCE instance, UINT dpi);

// The title picture as the classic bitmap (About's Ok button face).
Picture loadTitleBitmap(HINSTANCE instance);

// Draws the whole of `picture` into `target`, smoothed where it is scaled.
void drawPicture(HDC dc, const Picture& picture, const RECT& target);

// The font of `design` at `scale`: its family by name (Windows finds Arial and MS Sans Serif;
// Wine stands in metric-compatible fonts), sized in pixels like the design.
UniqueFont createFont(const layout::FontDesign& design, double scale);

COLORREF colorOf(layout::Rgb rgb);

}  // namespace zentrix::win32
