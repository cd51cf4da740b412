#include "ui/win32/board_painter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "resources/picture_ids.h"
#include "ui/win32/window_geometry.h"

namespace zentrix::win32 {

BoardPainter::BoardPainter(const GdiplusSession& gdiplus, HINSTANCE pictures, UINT dpi)
    : gdiplus_(gdiplus),
      pictures_(pictures),
      dpi_(dpi),
      felt_(CreateSolidBrush(colorOf(layout::kFeltGreen))) {}

int BoardPainter::loadPictures() {
    // The markers in index order, then the rack of Next Ball: the first frame draws them.
    for (const layout::MarkerDesign& marker : layout::markers()) {
        Picture& picture = markers_[static_cast<std::size_t>(marker.index)];
        picture = loadNumberedPicture(gdiplus_, pictures_, marker.points, dpi_);
        if (!picture) {
            return marker.points;
        }
    }
    const int rack = layout::nextBallButton().pictureNumber;
    rack_ = loadNumberedPicture(gdiplus_, pictures_, rack, dpi_);
    if (!rack_) {
        return rack;
    }
    // No ball lies on the board before the first deal, so the faces are decoded when first
    // drawn (on a high-DPI screen each is a PNG). That every one is there is made sure of now,
    // so that a missing one stops the game here rather than in the middle of a deal.
    for (int value = layout::kFirstBallValue; value <= layout::kLastBallValue; ++value) {
        if (!hasNumberedPicture(pictures_, value, dpi_)) {
            return value;
        }
    }
    return 0;
}

const Picture& BoardPainter::ballFace(int value) {
    Picture& face = balls_[static_cast<std::size_t>(value)];
    if (!face) {
        face = loadNumberedPicture(gdiplus_, pictures_, value, dpi_);
        if (!face) {
            throw std::runtime_error("picture " + std::to_string(value) + " does not decode");
        }
    }
    return face;
}

layout::PixelRect BoardPainter::place(const layout::PixelRect& designPixels) const {
    return layout::scaled(designPixels, scale_);
}

RECT BoardPainter::slotPaintRect(int slot) const {
    return toRect(layout::slotPaintRect(slot, scale_));
}

void BoardPainter::paintBoard(HDC dc, const RECT& area, const layout::Form1View& view) const {
    FillRect(dc, &area, felt_.get());
    RECT overlap{};
    // The markers lie on the felt, beneath everything.
    const layout::Arrangement& form = layout::desktopArrangement();
    for (const layout::MarkerDesign& marker : layout::markers()) {
        const RECT where = toRect(place(form.markers.at(static_cast<std::size_t>(marker.index))));
        if (IntersectRect(&overlap, &where, &area)) {
            drawPicture(dc, markers_[static_cast<std::size_t>(marker.index)], where);
        }
    }
    // The rings lie beneath every ball: only the half of the pen outside the ellipses shows.
    UniquePen ring(CreatePen(PS_SOLID, layout::scaled(layout::kRingPenPixels, scale_),
                             colorOf(layout::kRingColour)));
    Selection pen(dc, ring.get());
    Selection brush(dc, GetStockObject(NULL_BRUSH));
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        const RECT reach = slotPaintRect(slot);
        if (view.slots[static_cast<std::size_t>(slot)].selected &&
            IntersectRect(&overlap, &reach, &area)) {
            const RECT circle = toRect(place(layout::ringCircle(form, slot)));
            Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
        }
    }
}

void BoardPainter::paintWindow(HWND window, const layout::Form1View& view) const {
    const PaintScope paint(window);
    const HDC dc = paint.dc();
    const RECT& area = paint.area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    UniqueMemoryDc buffer(CreateCompatibleDC(dc));
    // 32 bits per pixel whatever the screen's depth, so that the felt comes out exactly like the
    // labels' felt, which is filled straight on the screen.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = std::max(width, 1);
    format.bmiHeader.biHeight = -std::max(height, 1);
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap canvas(CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (buffer && canvas) {
        Selection selected(buffer.get(), canvas.get());
        SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
        paintBoard(buffer.get(), area, view);
        SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
        BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
    } else {
        paintBoard(dc, area, view);
    }
}

void BoardPainter::paintBall(HDC dc, const RECT& client, const layout::SlotView& view,
                             bool focused) {
    if (view.occupied && layout::isBallValue(view.value)) {
        // The ball picture at its own size from the box's top-left corner; the region cuts it
        // round.
        const int size = layout::scaled(pictures::kBallSize, scale_);
        drawPicture(dc, ballFace(view.value), RECT{0, 0, size, size});
    } else {
        // An empty box still covers what lies beneath it with the felt.
        FillRect(dc, &client, felt_.get());
    }
    if (!focused) {
        return;
    }
    // The focus ring: a light ring with dark dashes on it, which shows on every ball.
    const layout::FocusRing ring = layout::focusRing(client.right - client.left);
    const RECT circle = toRect(ring.circle);
    Selection brush(dc, GetStockObject(NULL_BRUSH));
    {
        UniquePen light(CreatePen(PS_SOLID, ring.pen, colorOf(layout::kFocusRingLight)));
        Selection pen(dc, light.get());
        Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
    }
    LOGBRUSH dark{BS_SOLID, colorOf(layout::kFocusRingDashes), 0};
    const DWORD pattern[2] = {static_cast<DWORD>(ring.dash), static_cast<DWORD>(ring.dash)};
    UniquePen dashes(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT,
                                  static_cast<DWORD>(ring.pen), &dark, 2, pattern));
    if (dashes) {
        Selection pen(dc, dashes.get());
        Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
    }
}

HBRUSH BoardPainter::labelColours(HDC dc, HWND label, bool felt,
                                  const layout::Form1View& view) const {
    SetTextColor(dc, colorOf(layout::kTextColour));
    if (felt) {
        SetBkColor(dc, colorOf(layout::kFeltGreen));
        return felt_.get();
    }
    RECT client{};
    GetClientRect(label, &client);
    MapWindowPoints(label, GetParent(label), reinterpret_cast<POINT*>(&client), 2);
    POINT origin{};
    SetViewportOrgEx(dc, -client.left, -client.top, &origin);
    paintBoard(dc, client, view);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace zentrix::win32
