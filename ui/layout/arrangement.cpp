#include "ui/layout/arrangement.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zentrix::layout {

namespace {

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

// Where the label of `role` stands in labels(), and so in an arrangement's labels.
std::size_t labelOf(LabelRole role) {
    const auto all = labels();
    return static_cast<std::size_t>(
        std::find_if(all.begin(), all.end(),
                     [role](const LabelDesign& l) { return l.role == role; }) -
        all.begin());
}

PixelRect moved(const PixelRect& r, int dx, int dy) {
    return {r.x + dx, r.y + dy, r.width, r.height};
}

Arrangement designed() {
    Arrangement a;
    a.name = "desktop";
    a.area = requiredClientArea();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        a.ballBoxes[at(slot)] = toPixels(ballBoxRect(slot));
    }
    for (const MarkerDesign& m : markers()) {
        a.markers[at(m.index)] = toPixels(m.rect);
    }
    for (std::size_t i = 0; i < labels().size(); ++i) {
        a.labels[i] = {toPixels(labels()[i].rect), labels()[i].font.pixelSize()};
    }
    a.nextBall = {toPixels(nextBallButton().rect), nextBallButton().font.pixelSize(), 1.0};
    a.score = {toPixels(scoreButton().rect), scoreButton().font.pixelSize(), 1.0};
    a.progressBar = toPixels(progressBar().rect);
    return a;
}

// ---- The heap on a phone ----
//
// The heap as designed, drawn as wide as the screen: moved to the area's top-left corner, with the
// location-point markers at five sixths of their size, so that the marker column and the heap
// together are narrow enough for a ball to be a finger wide on a phone 375 pixels across. Each
// marker keeps its row; those at the left edge stay inside the area.
constexpr int kPhoneHeapWidth = 958;
constexpr int kHeapShiftX = -30;
constexpr int kHeapShiftY = -15;
constexpr int kPhoneMarkerWidth = 90;
constexpr int kPhoneMarkerHeight = 30;
constexpr int kEdge = 4;  // the least felt between a marker or a ring and the area's edge

void placePhoneHeap(const Arrangement& form, Arrangement& a) {
    for (int slot = 0; slot < kNextBallSlot; ++slot) {
        a.ballBoxes[at(slot)] = moved(form.ballBoxes[at(slot)], kHeapShiftX, kHeapShiftY);
    }
    for (std::size_t i = 0; i < form.markers.size(); ++i) {
        const PixelRect m = moved(form.markers[i], kHeapShiftX, kHeapShiftY);
        const int top = m.y + (m.height - kPhoneMarkerHeight) / 2;
        a.markers[i] = {std::max(kEdge, m.x), top, kPhoneMarkerWidth, kPhoneMarkerHeight};
    }
    // The selection sum stays in the gap of row 4, at its own size.
    const std::size_t sum = labelOf(LabelRole::SelectionSum);
    a.labels[sum] = {moved(form.labels[sum].rect, kHeapShiftX, kHeapShiftY),
                     form.labels[sum].fontPixels};
}

// The strip's controls, by the role each plays.
struct StripPlaces {
    TextPlace elevensCaption;  // "11'S"
    TextPlace elevensCount;
    PixelRect nextBallBox;  // its size is every ball box's
    ButtonPlace nextBall;
    PixelRect progressBar;
    TextPlace secondsLeft;
    TextPlace scoreCaption;  // "Score"
    TextPlace totalScore;
    TextPlace roundPoints;
    ButtonPlace score;
};

Arrangement phone(const Arrangement& form, std::string_view name, PixelRect area,
                  const StripPlaces& strip) {
    Arrangement a;
    a.name = name;
    a.forFinger = true;
    a.upright = area.width <= area.height;
    a.area = area;
    placePhoneHeap(form, a);
    a.ballBoxes[at(kNextBallSlot)] = strip.nextBallBox;
    const auto label = [&a](LabelRole role) -> TextPlace& { return a.labels.at(labelOf(role)); };
    label(LabelRole::ElevensCaption) = strip.elevensCaption;
    label(LabelRole::ElevensCount) = strip.elevensCount;
    label(LabelRole::SecondsLeft) = strip.secondsLeft;
    label(LabelRole::ScoreCaption) = strip.scoreCaption;
    label(LabelRole::TotalScore) = strip.totalScore;
    label(LabelRole::RoundPoints) = strip.roundPoints;
    a.nextBall = strip.nextBall;
    a.score = strip.score;
    a.progressBar = strip.progressBar;
    return a;
}

// Upright: the strip in three rows beneath the heap, across the same width. The next ball first,
// beside the count of elevens and the button that plays it; then the countdown; then the score
// with Take Score. The area is as high as a 360 x 640 phone lets it be at the heap's full width.
Arrangement upright(const Arrangement& form) {
    const int ball = form.ballBoxes[0].width;
    return phone(form, "upright", {0, 0, kPhoneHeapWidth, 1580},
                 {
                     .elevensCaption = {{8, 640, 232, 120}, 88},
                     .elevensCount = {{240, 640, 150, 120}, 88},
                     .nextBallBox = {410, 644, ball, ball},
                     .nextBall = {{560, 570, 390, 290}, 52, 1.5},
                     .progressBar = {16, 940, 760, 72},
                     .secondsLeft = {{786, 940, 156, 72}, 56},
                     .scoreCaption = {{16, 1100, 300, 100}, 84},
                     .totalScore = {{330, 1100, 612, 100}, 84},
                     .roundPoints = {{16, 1250, 520, 84}, 64},
                     .score = {{560, 1240, 390, 240}, 56, 1.0},
                 });
}

// Upright on a tall phone (390 x 844 and taller): the same rows, further apart and larger, so that
// the game fills the height too.
Arrangement uprightTall(const Arrangement& form) {
    const int ball = form.ballBoxes[0].width;
    return phone(form, "upright-tall", {0, 0, kPhoneHeapWidth, 1840},
                 {
                     .elevensCaption = {{8, 690, 232, 120}, 88},
                     .elevensCount = {{240, 690, 150, 120}, 88},
                     .nextBallBox = {410, 694, ball, ball},
                     .nextBall = {{560, 600, 390, 310}, 56, 1.6},
                     .progressBar = {16, 1040, 760, 80},
                     .secondsLeft = {{786, 1040, 156, 80}, 60},
                     .scoreCaption = {{16, 1240, 300, 110}, 92},
                     .totalScore = {{330, 1240, 612, 110}, 92},
                     .roundPoints = {{16, 1420, 520, 90}, 68},
                     .score = {{560, 1420, 390, 300}, 60, 1.0},
                 });
}

// Sideways: the strip in a column beside the heap, the countdown at the top and Take Score at the
// bottom, as high as the heap. Its width makes the area the shape of a phone held sideways.
Arrangement sideways(const Arrangement& form) {
    const int ball = form.ballBoxes[0].width;
    return phone(form, "sideways", {0, 0, 1318, 540},
                 {
                     .elevensCaption = {{966, 76, 160, 74}, 60},
                     .elevensCount = {{1130, 76, 120, 74}, 60},
                     .nextBallBox = {974, 178, ball, ball},
                     .nextBall = {{1104, 162, 206, 148}, 32, 0.9},
                     .progressBar = {966, 14, 254, 46},
                     .secondsLeft = {{1226, 14, 84, 46}, 36},
                     .scoreCaption = {{966, 322, 150, 60}, 48},
                     .totalScore = {{1120, 326, 190, 56}, 44},
                     .roundPoints = {{966, 390, 344, 44}, 32},
                     .score = {{966, 438, 344, 92}, 36, 1.0},
                 });
}

constexpr std::size_t kPhoneCount = 3;

// A page's word for a screen whose pointer is a finger.
constexpr std::string_view kCoarsePointer = "(pointer: coarse)";

const std::array<Arrangement, kPhoneCount + 1>& all() {
    static const std::array<Arrangement, kPhoneCount + 1> list = [] {
        const Arrangement form = designed();
        return std::array<Arrangement, kPhoneCount + 1>{uprightTall(form), upright(form),
                                                        sideways(form), form};
    }();
    return list;
}

// A screen's shape, its width to its height.
struct Shape {
    int width = 0;
    int height = 0;
};

// Each arrangement for a finger serves the shapes up to its bound, from the one before's on: a
// tall phone's as far as it fills the width, then upright's as far as it draws the heap larger
// than sideways would (there upright fills the height and sideways the width), then sideways.
std::array<Shape, kPhoneCount - 1> shapeBounds() {
    const PixelRect tall = all()[0].area;
    return {Shape{tall.width, tall.height}, Shape{all()[2].area.width, all()[1].area.height}};
}

bool atMost(const Screen& screen, const Shape& bound) {
    return static_cast<long long>(screen.width) * bound.height <=
           static_cast<long long>(bound.width) * screen.height;
}

std::string ratio(const Shape& shape) {
    return std::to_string(shape.width) + "/" + std::to_string(shape.height);
}

// The narrowest and lowest screens on which the form as designed, fitted to the felt beneath a
// touch bar, leaves every target a finger wide.
int fingerWideForm(int designPixels) {
    const Arrangement& form = desktopArrangement();
    return static_cast<int>(
        std::ceil(static_cast<double>(designPixels) * kFingerPixels / smallestTarget(form)));
}
int formWidthForFingers() {
    return fingerWideForm(desktopArrangement().area.width);
}
int formHeightForFingers() {
    return fingerWideForm(desktopArrangement().area.height) + kTouchBarPixels;
}

}  // namespace

std::span<const Arrangement> arrangements() {
    return all();
}

const Arrangement& desktopArrangement() {
    return all()[kPhoneCount];
}

int smallestTarget(const Arrangement& a) {
    int smallest = std::min(
        {a.nextBall.rect.width, a.nextBall.rect.height, a.score.rect.width, a.score.rect.height});
    for (const PixelRect& box : a.ballBoxes) {
        smallest = std::min({smallest, box.width, box.height});
    }
    return smallest;
}

const Arrangement& arrangementFor(const Screen& screen) {
    if (!screen.coarsePointer ||
        (screen.width >= formWidthForFingers() && screen.height >= formHeightForFingers())) {
        return desktopArrangement();
    }
    const auto bounds = shapeBounds();
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        if (atMost(screen, bounds[i])) {
            return all()[i];
        }
    }
    return all()[kPhoneCount - 1];
}

ScreenLayout layoutFor(const Screen& screen) {
    return {&arrangementFor(screen), screen.coarsePointer};
}

std::string fingerWindowsQuery() {
    return std::string(kCoarsePointer);
}

bool fingerScreen(int width, int height, bool touchScreen) {
    return touchScreen || std::min(width, height) < kPhoneShorterSide;
}

PixelRect smallestDrawn(const Arrangement& a) {
    if (!a.forFinger) {
        constexpr double kReadable = 0.4;
        return {0, 0, scaled(a.area.width, kReadable), scaled(a.area.height, kReadable)};
    }
    const int wide = a.upright ? kSmallestPhoneWidth : kSmallestPhoneHeight;
    const int high = (a.upright ? kSmallestPhoneHeight : kSmallestPhoneWidth) - kTouchBarPixels;
    const double scale = fitScale(wide, high, a.area);
    // Whole pixels inside the room, never a pixel over it.
    return {0, 0, static_cast<int>(std::floor(a.area.width * scale)),
            static_cast<int>(std::floor(a.area.height * scale))};
}

std::string mediaQuery(const Arrangement& a) {
    const auto& list = all();
    const auto index =
        static_cast<std::size_t>(std::find_if(list.begin(), list.end(),
                                              [&a](const Arrangement& one) { return &one == &a; }) -
                                 list.begin());
    if (index >= kPhoneCount) {
        return "all";
    }
    const auto bounds = shapeBounds();
    std::string shape;
    if (index > 0) {
        shape += " and (aspect-ratio > " + ratio(bounds[index - 1]) + ")";
    }
    if (index < bounds.size()) {
        shape += " and (aspect-ratio <= " + ratio(bounds[index]) + ")";
    }
    const std::string finger = std::string(kCoarsePointer) + " and ";
    return finger + "(width < " + std::to_string(formWidthForFingers()) + "px)" + shape + ", " +
           finger + "(height < " + std::to_string(formHeightForFingers()) + "px)" + shape;
}

}  // namespace zentrix::layout
