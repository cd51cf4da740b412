#include "ui/layout/help_layout.h"

#include <algorithm>
#include <cmath>

#include "resources/picture_ids.h"

namespace zentrix::layout {

namespace {

int whole(double pixels) {
    return static_cast<int>(std::floor(pixels));
}

}  // namespace

Room windowRoom(int width, int height) {
    const int margin = kFingerWindows.screenMargin;
    return {width - 2 * margin, height - 2 * margin};
}

Room helpWindowRoom(int width, int height, int above, int frame) {
    const Room room = windowRoom(width, height - above);
    return {room.width - 2 * frame, room.height - kFingerWindows.titleBarPixels - 2 * frame};
}

FingerAbout aboutForFinger(int roomWidth, int roomHeight) {
    const PixelRect design = toPixels(kAboutClientArea);
    const PixelRect designOk = toPixels(kAboutOkButton);
    const double s = std::clamp(fitScale(roomWidth, roomHeight, design), 0.0, 1.0);
    const PixelRect client{0, 0, whole(design.width * s), whole(design.height * s)};
    const int width = std::max(designOk.width, kFingerPixels);
    const int height = std::max(designOk.height, kFingerPixels);
    const int inset = kFingerWindows.buttonInset;
    // Centred where the design centres it, then kept inside the picture (its inset first where
    // the picture is too small for both).
    const auto keep = [inset](double centre, int size, int room) {
        return std::max(inset, std::min(static_cast<int>(std::lround(centre - size / 2.0)),
                                        room - size - inset));
    };
    const PixelRect ok{keep((designOk.x + designOk.width / 2.0) * s, width, client.width),
                       keep((designOk.y + designOk.height / 2.0) * s, height, client.height), width,
                       height};
    return {client, ok, s};
}

FingerRules rulesForFinger(int roomWidth, int roomHeight, int textHeight) {
    const PixelRect design = toPixels(kRulesClientArea);
    const PixelRect designText = toPixels(kRulesTextBox);
    const int width = std::max(1, std::min(design.width, roomWidth));
    const int height = std::max(1, roomHeight);
    // The picture above the text: as much of it as the width shows, but no more than a third of
    // the height, and never less than its upper half.
    const int top =
        std::min(whole(static_cast<double>(designText.y) * width / design.width), height / 3);
    const double s = std::min(static_cast<double>(width) / design.width, 2.0 * top / designText.y);
    const PixelRect text{0, top, width, std::max(0, std::min(height - top, textHeight))};
    const int pictureWidth = scaled(pictures::kTitleWidth, s);
    const int side = kFingerWindows.titleBarPixels;
    return {{0, 0, width, text.bottom()},
            text,
            {width - side, 0, side, side},
            s,
            std::max(0, (width - pictureWidth) / 2)};
}

}  // namespace zentrix::layout
