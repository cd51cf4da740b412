#include "ui/layout/board_geometry.h"

#include <algorithm>
#include <cmath>

#include "resources/picture_ids.h"

namespace zentrix::layout {

bool isBallValue(int value) {
    return value >= kFirstBallValue && value <= kLastBallValue;
}

namespace {

// Half a ring's pen drawn at `scale`, rounded up.
int halfPen(double scale) {
    return static_cast<int>(std::ceil(kRingPenPixels * scale / 2.0));
}

PixelRect grown(const PixelRect& r, int by) {
    return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

}  // namespace

PixelRect ringPenBox(const PixelRect& circle, double scale) {
    return grown(scaled(circle, scale), halfPen(scale));
}

PixelRect ringCircle(const Arrangement& arrangement, int slot) {
    const PixelRect box = arrangement.ballBoxes.at(static_cast<std::size_t>(slot));
    const PixelRect designed = toPixels(ringRect(slot));
    return {box.x, box.y, designed.width, designed.height};
}

int ringReach(double scale) {
    return halfPen(scale) + 1;
}

PixelRect slotPaintRect(int slot, double scale) {
    return slotPaintRect(desktopArrangement(), slot, scale);
}

PixelRect slotPaintRect(const Arrangement& arrangement, int slot, double scale) {
    const PixelRect box = scaled(arrangement.ballBoxes.at(static_cast<std::size_t>(slot)), scale);
    // The pen box and a pixel more for smoothing.
    const PixelRect ring = grown(ringPenBox(ringCircle(arrangement, slot), scale), 1);
    const int left = std::min(box.x, ring.x);
    const int top = std::min(box.y, ring.y);
    const int right = std::max(box.right(), ring.right());
    const int bottom = std::max(box.bottom(), ring.bottom());
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
        take(ringPenBox(toPixels(ringRect(s.slot))));
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

double rackSide(const Arrangement& arrangement, double scale) {
    return pictures::kRackSize * arrangement.nextBall.pictureScale * scale;
}

int rackPixels(const Arrangement& arrangement, double scale) {
    return static_cast<int>(std::lround(rackSide(arrangement, scale)));
}

}  // namespace zentrix::layout
