// The form arranged for the screen: as designed with a mouse and on large screens, and for a
// finger on phones held either way, with every control still there, nothing on top of anything,
// and every button and text large enough once drawn at the scale the phone gives it.
#include "ui/layout/arrangement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace zentrix::layout {
namespace {

bool overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// Every control but the ball boxes, by name.
std::vector<std::pair<std::string, PixelRect>> stripAndLabels(const Arrangement& a) {
    std::vector<std::pair<std::string, PixelRect>> controls;
    for (std::size_t i = 0; i < labels().size(); ++i) {
        controls.emplace_back(std::string(labels()[i].name), a.labels[i].rect);
    }
    for (std::size_t i = 0; i < a.markers.size(); ++i) {
        controls.emplace_back("Image1_" + std::to_string(i), a.markers[i]);
    }
    controls.emplace_back("cmdNext", a.nextBall.rect);
    controls.emplace_back("cmdScore", a.score.rect);
    controls.emplace_back("ProgressBar1", a.progressBar);
    return controls;
}

const Arrangement& named(std::string_view name) {
    const auto all = arrangements();
    const auto found = std::find_if(all.begin(), all.end(),
                                    [name](const Arrangement& a) { return a.name == name; });
    EXPECT_NE(found, all.end()) << name;
    return *found;
}

// With a mouse, whatever the window's size, and with a finger on a screen large enough for it,
// every control stands exactly where and as large as the form was designed.
TEST(Arrangement, TheDesktopIsTheFormAsDesigned) {
    const Arrangement& form = desktopArrangement();
    EXPECT_EQ(&arrangements().back(), &form);
    EXPECT_EQ(form.area, requiredClientArea());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(form.ballBoxes[static_cast<std::size_t>(slot)], toPixels(ballBoxRect(slot)));
    }
    for (const MarkerDesign& m : markers()) {
        EXPECT_EQ(form.markers[static_cast<std::size_t>(m.index)], toPixels(m.rect));
    }
    for (std::size_t i = 0; i < labels().size(); ++i) {
        EXPECT_EQ(form.labels[i].rect, toPixels(labels()[i].rect)) << labels()[i].name;
        EXPECT_EQ(form.labels[i].fontPixels, labels()[i].font.pixelSize()) << labels()[i].name;
    }
    EXPECT_EQ(form.nextBall.rect, (PixelRect{585, 534, 113, 121}));
    EXPECT_EQ(form.nextBall.fontPixels, 16);
    EXPECT_EQ(form.nextBall.pictureScale, 1.0);
    EXPECT_EQ(form.score.rect, (PixelRect{845, 548, 81, 33}));
    EXPECT_EQ(form.score.fontPixels, 13);
    EXPECT_EQ(form.progressBar, toPixels(progressBar().rect));
    EXPECT_EQ(mediaQuery(form), "all");

    for (const Screen mouse : {Screen{390, 844, false}, Screen{640, 480, false},
                               Screen{1280, 800, false}, Screen{1920, 1080, false}}) {
        EXPECT_EQ(&arrangementFor(mouse), &form) << mouse.width << " x " << mouse.height;
    }
    // Which screens get a finger's menus, help windows and boxes over it, the large touch
    // screen among them, is in the table of screens every front end is checked against.
    EXPECT_FALSE(form.forFinger);
    // Take Score, 33 pixels high, is a finger high from a scale of 4/3 on.
    EXPECT_EQ(&arrangementFor({1920, 1080, true}), &form);
    EXPECT_EQ(&arrangementFor({1312, 966, true}), &form);
    EXPECT_NE(&arrangementFor({1311, 966, true}), &form);
    EXPECT_NE(&arrangementFor({1312, 965, true}), &form);
}

// On a phone every control of the form is still there, inside the area, none on another: the balls
// as circles (their boxes' corners may cross, as in the form), everything else as rectangles.
// The heap keeps its shape, each marker beside its row, the selection sum in the gap of row 4.
TEST(Arrangement, APhoneShowsEveryControlOnceAndWhole) {
    const Arrangement& form = desktopArrangement();
    for (const std::string_view name : {"upright-tall", "upright", "sideways"}) {
        SCOPED_TRACE(std::string(name));
        const Arrangement& a = named(name);
        const int reach = (kRingPenPixels + 1) / 2;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const PixelRect box = a.ballBoxes[static_cast<std::size_t>(slot)];
            EXPECT_EQ(box.width, form.ballBoxes[0].width);
            const PixelRect ring{box.x - reach, box.y - reach, box.width + 2 * reach,
                                 box.height + 2 * reach};
            EXPECT_TRUE(inside(ring, a.area)) << "ring " << slot;
            for (int other = slot + 1; other < kSlotCount; ++other) {
                const PixelRect o = a.ballBoxes[static_cast<std::size_t>(other)];
                const double dx = box.x - o.x;
                const double dy = box.y - o.y;
                EXPECT_GE(dx * dx + dy * dy, 1.0 * box.width * box.width) << slot << ", " << other;
            }
        }
        // The heap is the form's, moved as one piece.
        const int dx = a.ballBoxes[0].x - form.ballBoxes[0].x;
        const int dy = a.ballBoxes[0].y - form.ballBoxes[0].y;
        for (int slot = 0; slot < kBoardSlotCount; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            EXPECT_EQ(a.ballBoxes[i].x - form.ballBoxes[i].x, dx) << slot;
            EXPECT_EQ(a.ballBoxes[i].y - form.ballBoxes[i].y, dy) << slot;
        }

        const auto controls = stripAndLabels(a);
        for (const auto& [label, rect] : controls) {
            EXPECT_TRUE(inside(rect, a.area)) << label;
            EXPECT_GT(rect.width, 0) << label;
            for (int slot = 0; slot < kSlotCount; ++slot) {
                EXPECT_FALSE(overlap(rect, a.ballBoxes[static_cast<std::size_t>(slot)]))
                    << label << " and slot " << slot;
            }
        }
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                EXPECT_FALSE(overlap(controls[i].second, controls[j].second))
                    << controls[i].first << " and " << controls[j].first;
            }
        }

        // Each marker stands left of its row, level with it: 100 beside row 5 up to 500 beside
        // row 1, and 600 on row 1 just left of slot 1.
        for (const MarkerDesign& m : markers()) {
            const PixelRect marker = a.markers[static_cast<std::size_t>(m.index)];
            const int row = m.points == 600 ? 1 : 6 - m.points / 100;
            const int middle = marker.y + marker.height / 2;
            for (const SlotDesign& s : slots()) {
                const PixelRect box = a.ballBoxes[static_cast<std::size_t>(s.slot)];
                if (s.row == row) {
                    EXPECT_GE(middle, box.y) << m.points;
                    EXPECT_LE(middle, box.bottom()) << m.points;
                }
            }
            const PixelRect right = a.ballBoxes[m.points == 600 ? 1u : 0u];
            EXPECT_LE(marker.right(), m.points == 600 ? right.x : a.ballBoxes[10].x) << m.points;
            EXPECT_EQ(marker.width, 3 * marker.height) << m.points;
        }
        const PixelRect sum = a.labels[0].rect;
        EXPECT_GE(sum.x, a.ballBoxes[17].right());
        EXPECT_LE(sum.right(), a.ballBoxes[18].x);
    }
}

struct Phone {
    Screen screen;
    std::string_view arrangement;
    int finger;  // the least a target may be, in CSS pixels
};

// Phones held upright and sideways get the arrangement made for that way round, and drawn at the
// scale that fits it beneath the touch bar it is large enough for a finger and an eye: every ball
// and button at least 44 pixels across from 375 pixels wide on (40 on a 360 x 640 phone), every
// text at least 12 pixels high; and the game fills more than half the screen. A tablet is a large
// phone.
TEST(Arrangement, PhonesOfEveryShapeAreDrawnForAFinger) {
    const std::vector<Phone> phones{
        {{390, 844, true}, "upright-tall", 44}, {{375, 667, true}, "upright", 44},
        {{360, 640, true}, "upright", 40},      {{430, 932, true}, "upright-tall", 44},
        {{844, 390, true}, "sideways", 44},     {{667, 375, true}, "sideways", 44},
        {{640, 360, true}, "sideways", 40},     {{932, 430, true}, "sideways", 44},
        {{768, 1024, true}, "upright", 44},     {{1024, 768, true}, "sideways", 44},
    };
    for (const Phone& phone : phones) {
        const Screen& screen = phone.screen;
        SCOPED_TRACE(std::to_string(screen.width) + " x " + std::to_string(screen.height));
        const ScreenLayout chosen = layoutFor(screen);
        ASSERT_EQ(chosen.arrangement, &arrangementFor(screen));
        const Arrangement& a = *chosen.arrangement;
        EXPECT_EQ(a.name, phone.arrangement);
        EXPECT_TRUE(a.forFinger);
        EXPECT_TRUE(chosen.fingerWindows);
        EXPECT_EQ(a.upright, screen.width < screen.height);
        const int feltHeight = screen.height - kTouchBarPixels;
        const double scale = fitScale(screen.width, feltHeight, a.area);
        EXPECT_GE(smallestTarget(a) * scale, phone.finger);
        for (std::size_t i = 0; i < a.labels.size(); ++i) {
            EXPECT_GE(a.labels[i].fontPixels * scale, kReadablePixels) << labels()[i].name;
        }
        EXPECT_GE(a.nextBall.fontPixels * scale, kReadablePixels);
        EXPECT_GE(a.score.fontPixels * scale, kReadablePixels);
        const double share =
            a.area.width * scale * a.area.height * scale / (1.0 * screen.width * feltHeight);
        EXPECT_GE(share, 0.55);
        EXPECT_LE(share, 1.0001);
        // The form as designed would have drawn Take Score too small for a finger.
        EXPECT_LT(fitScale(screen.width, feltHeight, desktopArrangement().area) *
                      smallestTarget(desktopArrangement()),
                  kFingerPixels);
    }
}

// Whether `screen` matches a media query list as the page's queries are written: alternatives
// separated by ", ", each features joined by " and ": the pointer, and ranges of width, height and
// aspect ratio.
bool matches(const std::string& list, const Screen& screen) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(", ", start), list.size());
        const std::string query = list.substr(start, end - start);
        bool all = true;
        std::size_t at = 0;
        while ((at = query.find('(', at)) != std::string::npos) {
            const std::string feature = query.substr(at + 1, query.find(')', at) - at - 1);
            at += feature.size();
            char name[16] = {};
            char op[3] = {};
            long a = 0;
            long b = 1;
            if (feature == "pointer: coarse") {
                all = all && screen.coarsePointer;
            } else if (std::sscanf(feature.c_str(), "%15s %2s %ld/%ld", name, op, &a, &b) >= 3) {
                const std::string what = name;
                // Each side times the other's denominator: whole numbers throughout.
                const long long left = what == "aspect-ratio" ? 1LL * screen.width * b
                                       : what == "width"      ? screen.width
                                                              : screen.height;
                const long long right = what == "aspect-ratio" ? 1LL * a * screen.height : a;
                const std::string o = op;
                all = all && (o == "<" ? left < right : o == "<=" ? left <= right : left > right);
            } else {
                ADD_FAILURE() << "unknown feature " << feature;
            }
        }
        if (all) {
            return true;
        }
        start = end + 2;
    }
    return false;
}

// The page chooses by CSS media queries before the game has loaded, the first that matches: on
// every screen, with a finger or a mouse, the queries choose what arrangementFor() chooses, and
// its windows are drawn for a finger where layoutFor() has them so.
TEST(Arrangement, MediaQueriesMakeTheSameChoice) {
    EXPECT_EQ(mediaQuery(desktopArrangement()), "all");
    std::vector<std::pair<const Arrangement*, std::string>> queries;
    for (const Arrangement& a : arrangements()) {
        queries.emplace_back(&a, mediaQuery(a));
    }
    const auto choice = [&queries](const Screen& screen) -> const Arrangement* {
        for (const auto& [arrangement, query] : queries) {
            if (query == "all" || matches(query, screen)) {
                return arrangement;
            }
        }
        return nullptr;
    };
    int phones = 0;
    for (int width = 200; width <= 2000; width += 13) {
        for (int height = 200; height <= 1400; height += 17) {
            for (const bool finger : {false, true}) {
                const Screen screen{width, height, finger};
                ASSERT_EQ(choice(screen), &arrangementFor(screen))
                    << width << " x " << height << (finger ? " by finger" : " by mouse");
                ASSERT_EQ(matches(fingerWindowsQuery(), screen), layoutFor(screen).fingerWindows)
                    << width << " x " << height << (finger ? " by finger" : " by mouse");
                phones += choice(screen) != &desktopArrangement();
            }
        }
    }
    EXPECT_GT(phones, 1000);
    // And at the shapes where they change over: 958 to 1840, and 1318 to 1580.
    for (const Screen edge : {Screen{479, 920, true}, Screen{480, 920, true},
                              Screen{659, 790, true}, Screen{660, 790, true}}) {
        EXPECT_EQ(choice(edge), &arrangementFor(edge)) << edge.width << " x " << edge.height;
    }
    EXPECT_EQ(arrangementFor({479, 920, true}).name, "upright-tall");
    EXPECT_EQ(arrangementFor({480, 920, true}).name, "upright");
    EXPECT_EQ(arrangementFor({659, 790, true}).name, "upright");
    EXPECT_EQ(arrangementFor({660, 790, true}).name, "sideways");
}

}  // namespace
}  // namespace zentrix::layout
