// The layout's answers the page needs at any moment, before the game's module has come and
// whatever the screen's size: a very small module of its own, which the page fetches once it has
// been painted (js/geometry.js). Each entry point writes its answer into one shared array of
// numbers (zl_answer), which the page reads; nothing is worked out in the page itself.
#include "ui/layout/form1_layout.h"
#include "ui/layout/help_layout.h"

namespace {

double answer[14];

void put(int at, const zentrix::layout::PixelRect& r) {
    answer[at] = r.x;
    answer[at + 1] = r.y;
    answer[at + 2] = r.width;
    answer[at + 3] = r.height;
}

}  // namespace

using namespace zentrix::layout;

extern "C" {

// Where the answers are, in the module's memory.
__attribute__((used, export_name("zl_answer"))) double* zl_answer() {
    return answer;
}

// A design of `designWidth` x `designHeight` fitted to `width` x `height` and centred:
// scale, left, top.
__attribute__((used, export_name("zl_fit"))) void zl_fit(int width, int height, int designWidth,
                                                         int designHeight) {
    const Fitted fitted = fitCentred(width, height, {0, 0, designWidth, designHeight});
    answer[0] = fitted.scale;
    answer[1] = fitted.left;
    answer[2] = fitted.top;
}

// The room a help window's client area may take for a finger: width, height.
__attribute__((used, export_name("zl_help_room"))) void zl_help_room(int width, int height,
                                                                     int above, int frame) {
    const Room room = helpWindowRoom(width, height, above, frame);
    answer[0] = room.width;
    answer[1] = room.height;
}

// The room a window over the game may take, frame and all: width, height.
__attribute__((used, export_name("zl_window_room"))) void zl_window_room(int width, int height) {
    const Room room = windowRoom(width, height);
    answer[0] = room.width;
    answer[1] = room.height;
}

// About for a finger: client (4), Ok (4), the picture's scale.
__attribute__((used, export_name("zl_about"))) void zl_about(int roomWidth, int roomHeight) {
    const FingerAbout about = aboutForFinger(roomWidth, roomHeight);
    put(0, about.client);
    put(4, about.ok);
    answer[8] = about.pictureScale;
}

// Rules for a finger: client (4), text box (4), close box (4), the picture's scale and left.
__attribute__((used, export_name("zl_rules"))) void zl_rules(int roomWidth, int roomHeight,
                                                             int textHeight) {
    const FingerRules rules = rulesForFinger(roomWidth, roomHeight, textHeight);
    put(0, rules.client);
    put(4, rules.textBox);
    put(8, rules.closeBox);
    answer[12] = rules.pictureScale;
    answer[13] = rules.pictureLeft;
}
}
