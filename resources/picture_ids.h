// The game's pictures by number, with their sizes and where each is found in the embedded
// resources. Plain data, shared by every front end.
#pragma once

#include <string>

namespace zentrix::pictures {

// Ball faces: bitmap v shows the ball of value v.
inline constexpr int kFirstBall = 1;
inline constexpr int kLastBall = 10;
inline constexpr int kBallSize = 120;  // square; a slot shows its top-left 113 x 113

// Location-point markers: bitmap 100 x k shows "100 x k", k = 1..6, for Image1(k - 1).
inline constexpr int kMarkerStep = 100;
inline constexpr int kMarkerCount = 6;
inline constexpr int kMarkerWidth = 108;
inline constexpr int kMarkerHeight = 36;
constexpr int markerNumber(int index) {
    return kMarkerStep * (index + 1);
}

// The rack of balls on the Next Ball button.
inline constexpr int kRack = 601;
inline constexpr int kRackSize = 100;

// The title picture behind the About and Rules windows.
inline constexpr int kTitleWidth = 600;
inline constexpr int kTitleHeight = 450;

// Every picture also comes at twice the resolution, for high-DPI screens.
inline constexpr int kHighDpiScale = 2;

// Embedded paths. Numbered bitmaps: ":/bitmaps/<n>.bmp" at their own size and
// ":/bitmaps/<n>@2x.png" at twice it.
inline std::string bitmapPath(int number) {
    return ":/bitmaps/" + std::to_string(number) + ".bmp";
}
inline std::string bitmapPath2x(int number) {
    return ":/bitmaps/" + std::to_string(number) + "@2x.png";
}
inline constexpr const char* kTitleJpeg = ":/pictures/title.jpg";
inline constexpr const char* kTitleJpeg2x = ":/pictures/title@2x.jpg";
inline constexpr const char* kTitleBitmap = ":/pictures/title.bmp";  // the About window's Ok face
inline constexpr const char* kIcon = ":/pictures/icon.png";          // 32 x 32
inline constexpr const char* kIcon2x = ":/pictures/icon@2x.png";     // 64 x 64

}  // namespace zentrix::pictures
