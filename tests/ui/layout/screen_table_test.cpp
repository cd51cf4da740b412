// One table of screens (screens.txt) and the layout's answers for each: the arrangement and the
// windows' sizing, the board fitted to the felt, and About and Rules laid out for a finger. The
// Linux and Windows programs take these answers from the layout itself; the page's test
// (tests/web/layout-table.test.js) finds the same numbers in the page.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/layout/arrangement.h"
#include "ui/layout/help_layout.h"

namespace zentrix::layout {
namespace {

std::string rect(const PixelRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", r.x, r.y, r.width, r.height);
    return text;
}

std::string fraction(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// The answers for a screen by finger or mouse, with a menu bar `above` pixels high over the felt
// and windows framed `frame` pixels wide, as a line of the table has them.
std::string answers(int width, int height, bool finger, int above, int frame) {
    const ScreenLayout chosen = layoutFor({width, height, finger});
    const Fitted board = fitCentred(width, height - above, chosen.arrangement->area);
    std::string line = std::string(chosen.arrangement->name) +
                       (chosen.fingerWindows ? " finger | " : " mouse | ") + fraction(board.scale) +
                       " " + std::to_string(board.left) + " " + std::to_string(board.top);
    if (!chosen.fingerWindows) {
        return line;
    }
    const Room room = helpWindowRoom(width, height, above, frame);
    const FingerAbout about = aboutForFinger(room.width, room.height);
    // The rules' text is longer than any screen holds.
    const FingerRules rules = rulesForFinger(room.width, room.height, 100000);
    return line + " | " + rect(about.client) + " " + rect(about.ok) + " " +
           fraction(about.pictureScale) + " | " + rect(rules.client) + " " + rect(rules.textBox) +
           " " + rect(rules.closeBox) + " " + fraction(rules.pictureScale) + " " +
           std::to_string(rules.pictureLeft);
}

TEST(ScreenTable, EveryFrontEndGetsTheSameAnswers) {
    std::ifstream table(ZENTRIX_SCREEN_TABLE);
    ASSERT_TRUE(table) << ZENTRIX_SCREEN_TABLE;
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t split = line.find(" => ");
        ASSERT_NE(split, std::string::npos) << line;
        std::istringstream in(line.substr(0, split));
        int width = 0, height = 0, above = 0, frame = 0;
        std::string pointer;
        ASSERT_TRUE(in >> width >> height >> pointer >> above >> frame) << line;
        EXPECT_EQ(answers(width, height, pointer == "finger", above, frame), line.substr(split + 4))
            << line.substr(0, split);
        ++rows;
    }
    EXPECT_GE(rows, 10);
}

}  // namespace
}  // namespace zentrix::layout
