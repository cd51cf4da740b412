#include "ui/layout/opening_size.h"

#include <algorithm>

#include "ui/layout/arrangement.h"
#include "ui/layout/board_geometry.h"

namespace zentrix::layout {

Opening openingSize(const OpeningRequest& request) {
    const PixelRect& work = request.workArea;
    const int roomWide = work.width - request.frameWidth;
    const int roomHigh = work.height - request.frameHeight;
    const PixelRect designed = desktopArrangement().area;
    const PixelRect needed = request.wholeBoard ? designed : smallestClientArea();

    // A high-DPI scale as large as the work area allows, not below the design's own size.
    double scale = request.displayScale;
    if (scale > 1.0) {
        scale = std::max(1.0, std::min(scale, fitScale(roomWide, roomHigh, designed)));
    }
    // A work area too small for what the player needs to see takes the board smaller still, down
    // to the least size it is drawn at.
    if (scaled(needed.width, scale) > roomWide || scaled(needed.height, scale) > roomHigh) {
        const PixelRect least = smallestDrawn(desktopArrangement());
        scale = std::min(scale, std::max(fitScale(roomWide, roomHigh, needed),
                                         static_cast<double>(least.width) / designed.width));
    }
    const PixelRect full = scaled(designed, scale);
    const int height = std::clamp(roomHigh, scaled(needed, scale).height, full.height);
    const int outerWidth = full.width + request.frameWidth;
    const int outerHeight = height + request.frameHeight;
    // Inside the work area, as near the system's place as it can be; a window larger than the
    // work area keeps to its left and top edges.
    const int left = std::max(work.x, std::min(request.left, work.right() - outerWidth));
    const int top = std::max(work.y, std::min(request.top, work.bottom() - outerHeight));
    return {scale, {0, 0, full.width, height}, {left, top, outerWidth, outerHeight}};
}

}  // namespace zentrix::layout
