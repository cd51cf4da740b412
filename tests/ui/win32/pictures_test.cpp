// The pictures as the Windows program reads them from its own resources, and its texts.
#include "ui/win32/pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "resources/picture_ids.h"
#include "ui/win32/text.h"

namespace zentrix::win32 {
namespace {

struct Size {
    int width;
    int height;
};

Size classicSize(int number) {
    if (number <= pictures::kLastBall) {
        return {pictures::kBallSize, pictures::kBallSize};
    }
    if (number == pictures::kRack) {
        return {pictures::kRackSize, pictures::kRackSize};
    }
    return {pictures::kMarkerWidth, pictures::kMarkerHeight};
}

std::vector<int> everyNumber() {
    std::vector<int> numbers;
    for (int ball = pictures::kFirstBall; ball <= pictures::kLastBall; ++ball) {
        numbers.push_back(ball);
    }
    for (int k = 0; k < pictures::kMarkerCount; ++k) {
        numbers.push_back(pictures::markerNumber(k));
    }
    numbers.push_back(pictures::kRack);
    return numbers;
}

// The colour at (x, y) of `picture` drawn into a bitmap of `width` x `height`.
COLORREF pixelDrawn(const Picture& picture, int width, int height, int x, int y) {
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap canvas(CreateCompatibleBitmap(screen.get(), width, height));
    Selection selected(dc.get(), canvas.get());
    drawPicture(dc.get(), picture, RECT{0, 0, width, height});
    return GetPixel(dc.get(), x, y);
}

int colourDistance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

TEST(Win32Pictures, EveryNumberedPictureInBothDrawingsShowsTheSameThing) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.running());
    const HINSTANCE self = GetModuleHandleW(nullptr);
    for (int number : everyNumber()) {
        SCOPED_TRACE(number);
        const Size size = classicSize(number);
        EXPECT_TRUE(hasNumberedPicture(self, number, 96));
        EXPECT_TRUE(hasNumberedPicture(self, number, 144));
        const Picture classic = loadNumberedPicture(gdiplus, self, number, 96);
        ASSERT_TRUE(classic);
        EXPECT_EQ(classic.width, size.width);
        EXPECT_EQ(classic.height, size.height);
        // 120 dpi still draws the classic bitmap, scaled; 144 and up the double-size one.
        EXPECT_EQ(loadNumberedPicture(gdiplus, self, number, 143).width, size.width);
        const Picture large = loadNumberedPicture(gdiplus, self, number, 144);
        ASSERT_TRUE(large);
        EXPECT_EQ(large.width, 2 * size.width);
        EXPECT_EQ(large.height, 2 * size.height);

        // Both drawn at the classic size agree in the middle of the picture (the PNG decoded).
        const int x = size.width / 2;
        const int y = size.height / 2;
        EXPECT_LE(colourDistance(pixelDrawn(classic, size.width, size.height, x, y),
                                 pixelDrawn(large, size.width, size.height, x, y)),
                  60);
    }
    // Numbers the game does not have.
    EXPECT_FALSE(loadNumberedPicture(gdiplus, self, 11, 96));
    EXPECT_FALSE(loadNumberedPicture(gdiplus, self, 11, 192));
    EXPECT_FALSE(loadNumberedPicture(gdiplus, self, 0, 96));
    EXPECT_FALSE(hasNumberedPicture(self, 11, 96));
    EXPECT_FALSE(hasNumberedPicture(self, 11, 192));
    EXPECT_FALSE(hasNumberedPicture(self, 0, 96));
}

TEST(Win32Pictures, TitlePictureInBothDrawingsAndAsABitmap) {
    GdiplusSession gdiplus;
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const Picture title = loadTitlePicture(gdiplus, self, 96);
    ASSERT_TRUE(title);
    EXPECT_EQ(title.width, pictures::kTitleWidth);
    EXPECT_EQ(title.height, pictures::kTitleHeight);
    const Picture large = loadTitlePicture(gdiplus, self, 192);
    EXPECT_EQ(large.width, 2 * pictures::kTitleWidth);
    const Picture face = loadTitleBitmap(self);
    EXPECT_EQ(face.width, pictures::kTitleWidth);
    EXPECT_EQ(face.height, pictures::kTitleHeight);
}

TEST(Win32Text, NonAsciiTextSurvivesTheWayToWindowsAndBack) {
    const std::string text = "90,000 \xC3\x97 2 \xE2\x80\x94 11'S";
    EXPECT_EQ(widen(text), L"90,000 \u00D7 2 \u2014 11'S");
    EXPECT_EQ(narrow(widen(text)), text);
    EXPECT_EQ(widen("\xFF"), L"\uFFFD");  // not UTF-8
}

}  // namespace
}  // namespace zentrix::win32
