#include "ui/layout/board_geometry.h"

#include <algorithm>
#include <cmath>

namespace zentrix::layout {

bool isBallValue(int value) {
    return value >= kFirstBallValue && value <= kLastBallValue;
}

int ringReach(double scale) {
    return static_cast<int>(std::ceil(kRingPenPixels * scale / 2.0)) + 1;
}

PixelRect slotPaintRect(int slot, double scale) {
    const PixelRect box = scaled(toPixels(ballBoxRect(slot)), scale);
    const PixelRect ring = scaled(toPixels(ringRect(slot)), scale);
    const int reach = ringReach(scale);
    const int left = std::min(box.x, ring.x - reach);
    const int top = std::min(box.y, ring.y - reach);
    const int right = std::max(box.right(), ring.right() + reach);
    const int bottom = std::max(box.bottom(), ring.bottom() + reach);
    return {left, top, right - left, bottom - top};
}

PixelRect smallestClientArea() {
    int right = 0;
    int bottom = 0;
    const auto take = [&right, &bottom](const PixelRect& r) {
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    };
    for (const SlotDesign& s : slots()) {
        take(toPixels(ballBoxRect(s.slot)));
        const PixelRect ring = toPixels(ringRect(s.slot));
        const int halfPen = (kRingPenPixels + 1) / 2;
        take({ring.x - halfPen, ring.y - halfPen, ring.width + 2 * halfPen,
              ring.height + 2 * halfPen});
    }
    for (const MarkerDesign& marker : markers()) {
        take(toPixels(marker.rect));
    }
    for (const LabelDesign& label : labels()) {
        take(toPixels(label.rect));
    }
    take(toPixels(nextBallButton().rect));
    take(toPixels(scoreButton().rect));
    take(toPixels(progressBar().rect));
    return {0, 0, right, bottom};
}

FocusRing focusRing(int boxPixels) {
    const double unit = std::max(boxPixels, 1) / static_cast<double>(twipsToPixels(kBallBoxTwips));
    const int inset = static_cast<int>(std::lround(kFocusRingInsetPixels * unit));
    const int pen =
        std::max(kFocusRingPenPixels, static_cast<int>(std::lround(kFocusRingPenPixels * unit)));
    const int dash =
        std::max(kFocusRingDashPixels, static_cast<int>(std::lround(kFocusRingDashPixels * unit)));
    const int size = std::max(boxPixels - 2 * inset, 0);
    return {{inset, inset, size, size}, pen, dash};
}

}  // namespace zentrix::layout
