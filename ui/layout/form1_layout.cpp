#include "ui/layout/form1_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/layout/board_geometry.h"

namespace zentrix::layout {

namespace {

constexpr FontDesign arial(int sizeTwips, bool bold) {
    return {"Arial", "Liberation Sans", sizeTwips, bold};
}
constexpr FontDesign msSansSerif(int sizeTwips, bool bold) {
    return {"MS Sans Serif", "Liberation Sans", sizeTwips, bold};
}

// Slot, row, left, top, tab index; indexed by slot.
constexpr std::array<SlotDesign, kSlotCount> kSlots{{
    {0, 1, 3810, 420, 27},    {1, 1, 7425, 420, 26},    {2, 1, 11175, 420, 25},
    {3, 2, 6555, 1890, 24},   {4, 2, 8355, 1890, 23},   {5, 2, 2925, 1890, 28},
    {6, 2, 4695, 1890, 29},   {7, 2, 10290, 1890, 22},  {8, 2, 12105, 1890, 21},
    {9, 3, 7425, 3360, 20},   {10, 3, 2025, 3360, 19},  {11, 3, 3810, 3360, 18},
    {12, 3, 5595, 3360, 17},  {13, 3, 9375, 3360, 16},  {14, 3, 11175, 3360, 15},
    {15, 3, 12990, 3360, 14}, {16, 4, 2925, 4830, 13},  {17, 4, 4695, 4830, 12},
    {18, 4, 10290, 4830, 11}, {19, 4, 12105, 4830, 10}, {20, 5, 3810, 6285, 9},
    {21, 5, 11175, 6285, 8},  {22, 0, 6855, 8100, 0},
}};

constexpr int kMarkerWidth = 1620;
constexpr int kMarkerHeight = 540;
constexpr std::array<MarkerDesign, 6> kMarkers{{
    {0, 100, {105, 7065, kMarkerWidth, kMarkerHeight}},
    {1, 200, {105, 5520, kMarkerWidth, kMarkerHeight}},
    {2, 300, {105, 3975, kMarkerWidth, kMarkerHeight}},
    {3, 400, {105, 2370, kMarkerWidth, kMarkerHeight}},
    {4, 500, {105, 840, kMarkerWidth, kMarkerHeight}},
    {5, 600, {5595, 900, kMarkerWidth, kMarkerHeight}},
}};

constexpr std::array<LabelDesign, 7> kLabels{{
    {"Label1",
     LabelRole::SelectionSum,
     {7755, 5115, 1095, 990},
     "",
     arial(720, false),
     Align::Centre,
     true,
     3},
    {"Label2",
     LabelRole::ElevensCount,
     {5235, 8190, 1260, 1050},
     "",
     arial(720, false),
     Align::Left,
     true,
     4},
    {"Label3",
     LabelRole::ScoreCaption,
     {10613, 8195, 1470, 585},
     "Score",
     arial(525, false),
     Align::Left,
     true,
     5},
    {"Label4",
     LabelRole::TotalScore,
     {10590, 9285, 3375, 495},
     "",
     arial(315, false),
     Align::Left,
     true,
     6},
    {"Label5",
     LabelRole::ElevensCaption,
     {3533, 8165, 1455, 975},
     "11'S",
     arial(720, false),
     Align::Centre,
     true,
     7},
    {"Label6",
     LabelRole::RoundPoints,
     {10860, 8820, 1890, 435},
     "",
     arial(195, false),
     Align::Left,
     true,
     31},
    {"Label7",
     LabelRole::SecondsLeft,
     {6285, 9255, 480, 345},
     "",
     arial(240, true),
     Align::Right,
     false,
     32},
}};

constexpr ButtonDesign kNextBall{
    "cmdNext", {8775, 8010, 1695, 1815}, "Next Ball", msSansSerif(240, true), 601, 2};
constexpr ButtonDesign kScore{
    "cmdScore", {12668, 8225, 1215, 495}, "Take Score", msSansSerif(195, true), 0, 30};
constexpr ProgressBarDesign kProgressBar{"ProgressBar1", {480, 9200, 5760, 375}, 0, 90, 1};

constexpr std::array<MenuItemDesign, 1> kFileItems{{{"mnuFileNew", "New", MenuCommand::FileNew}}};
constexpr std::array<MenuItemDesign, 2> kHelpItems{{
    {"mnuHelpRules", "Rules", MenuCommand::HelpRules},
    {"mnuHelpAbout", "About", MenuCommand::HelpAbout},
}};
constexpr std::array<MenuDesign, 2> kMenus{{
    {"mnuFile", "File", kFileItems},
    {"mnuHelp", "Help", kHelpItems},
}};

constexpr std::array<std::string_view, kSlotCount> kBallBoxNames{
    "Picture1_0",  "Picture1_1",  "Picture1_2",  "Picture1_3",  "Picture1_4",  "Picture1_5",
    "Picture1_6",  "Picture1_7",  "Picture1_8",  "Picture1_9",  "Picture1_10", "Picture1_11",
    "Picture1_12", "Picture1_13", "Picture1_14", "Picture1_15", "Picture1_16", "Picture1_17",
    "Picture1_18", "Picture1_19", "Picture1_20", "Picture1_21", "Picture1_22",
};

constexpr std::size_t kTabStopCount = kSlotCount + kLabels.size() + 3;

constexpr std::array<TabStop, kTabStopCount> buildTabStops() {
    std::array<TabStop, kTabStopCount> order{};
    const auto place = [&order](int tabIndex, TabStop stop) {
        order[static_cast<std::size_t>(tabIndex)] = stop;
    };
    for (const SlotDesign& s : kSlots) {
        place(s.tabIndex, {TabStop::Kind::Ball, s.slot});
    }
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        place(kLabels[i].tabIndex, {TabStop::Kind::Label, static_cast<int>(i)});
    }
    place(kNextBall.tabIndex, {TabStop::Kind::NextBall, 0});
    place(kScore.tabIndex, {TabStop::Kind::TakeScore, 0});
    place(kProgressBar.tabIndex, {TabStop::Kind::ProgressBar, 0});
    return order;
}
constexpr std::array<TabStop, kTabStopCount> kTabStops = buildTabStops();

// With as many places as controls, no two alike means every control has its place.
constexpr bool eachControlOnce(const std::array<TabStop, kTabStopCount>& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            if (order[i] == order[j]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(eachControlOnce(kTabStops), "two controls share a tab index");

constexpr std::string_view nameOf(const TabStop& stop) {
    switch (stop.kind) {
        case TabStop::Kind::Ball:
            return kBallBoxNames.at(static_cast<std::size_t>(stop.index));
        case TabStop::Kind::NextBall:
            return kNextBall.name;
        case TabStop::Kind::TakeScore:
            return kScore.name;
        case TabStop::Kind::ProgressBar:
            return kProgressBar.name;
        case TabStop::Kind::Label:
            return kLabels.at(static_cast<std::size_t>(stop.index)).name;
    }
    return {};
}

constexpr std::array<std::string_view, kTabStopCount> buildTabOrder() {
    std::array<std::string_view, kTabStopCount> names{};
    for (std::size_t i = 0; i < kTabStops.size(); ++i) {
        names[i] = nameOf(kTabStops[i]);
    }
    return names;
}
constexpr std::array<std::string_view, kTabStopCount> kTabOrder = buildTabOrder();

}  // namespace

PixelRect toPixels(const TwipsRect& rect, int twipsPerPixel) {
    return {twipsToPixels(rect.left, twipsPerPixel), twipsToPixels(rect.top, twipsPerPixel),
            twipsToPixels(rect.width, twipsPerPixel), twipsToPixels(rect.height, twipsPerPixel)};
}

int scaled(int designPixels, double scale) {
    return static_cast<int>(std::lround(designPixels * scale));
}

PixelRect scaled(const PixelRect& designPixels, double scale) {
    const int x = scaled(designPixels.x, scale);
    const int y = scaled(designPixels.y, scale);
    return {x, y, scaled(designPixels.right(), scale) - x,
            scaled(designPixels.bottom(), scale) - y};
}

double fitScale(int availableWidth, int availableHeight, const PixelRect& design) {
    if (design.width <= 0 || design.height <= 0 || availableWidth <= 0 || availableHeight <= 0) {
        return 1.0;
    }
    return std::min(static_cast<double>(availableWidth) / design.width,
                    static_cast<double>(availableHeight) / design.height);
}

Fitted fitCentred(int availableWidth, int availableHeight, const PixelRect& design) {
    const double scale = fitScale(availableWidth, availableHeight, design);
    return {scale, (availableWidth - scaled(design.width, scale)) / 2,
            (availableHeight - scaled(design.height, scale)) / 2};
}

std::span<const SlotDesign, kSlotCount> slots() {
    return kSlots;
}

TwipsRect ballBoxRect(int slot) {
    const SlotDesign& s = kSlots.at(static_cast<std::size_t>(slot));
    return {s.left, s.top, kBallBoxTwips, kBallBoxTwips};
}

TwipsRect ringRect(int slot) {
    const SlotDesign& s = kSlots.at(static_cast<std::size_t>(slot));
    return {s.left, s.top, kRingTwips, kRingTwips};
}

std::span<const MarkerDesign, 6> markers() {
    return kMarkers;
}
std::span<const LabelDesign, 7> labels() {
    return kLabels;
}
const ButtonDesign& nextBallButton() {
    return kNextBall;
}
const ButtonDesign& scoreButton() {
    return kScore;
}
const ProgressBarDesign& progressBar() {
    return kProgressBar;
}
std::span<const MenuDesign> menus() {
    return kMenus;
}
std::span<const TabStop> tabStops() {
    return kTabStops;
}
std::string_view objectName(const TabStop& stop) {
    return nameOf(stop);
}
std::span<const std::string_view> tabOrder() {
    return kTabOrder;
}

std::string_view ballBoxObjectName(int slot) {
    return kBallBoxNames.at(static_cast<std::size_t>(slot));
}

PixelRect requiredClientArea() {
    const PixelRect designed = toPixels(kClientArea);
    int right = designed.right();
    int bottom = designed.bottom();
    for (const SlotDesign& s : kSlots) {
        const PixelRect box = toPixels(ballBoxRect(s.slot));
        const PixelRect ring = ringPenBox(toPixels(ringRect(s.slot)));
        right = std::max({right, box.right(), ring.right()});
        bottom = std::max({bottom, box.bottom(), ring.bottom()});
    }
    return {0, 0, right, bottom};
}

}  // namespace zentrix::layout
