#include "ui/web/layout_json.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "display/current_mode_driver.h"
#include "game/random_source.h"
#include "resources/picture_ids.h"
#include "ui/controller/form1_controller.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/arrangement.h"
#include "ui/layout/board_geometry.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"
#include "ui/layout/help_layout.h"
#include "ui/layout/rules_text.h"

namespace zentrix::web {

namespace {

// A small writer that puts the commas where they belong.
class Json {
public:
    Json& open(char bracket) {
        comma();
        text_ += bracket;
        first_ = true;
        return *this;
    }
    Json& close(char bracket) {
        text_ += bracket;
        first_ = false;
        return *this;
    }
    Json& key(std::string_view name) {
        comma();
        string(name);
        text_ += ':';
        first_ = true;
        return *this;
    }
    Json& value(std::string_view s) {
        comma();
        string(s);
        return *this;
    }
    Json& value(int number) {
        comma();
        text_ += std::to_string(number);
        return *this;
    }
    Json& value(bool flag) {
        comma();
        text_ += flag ? "true" : "false";
        return *this;
    }
    template <typename T>
    Json& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }
    Json& field(std::string_view name, const char* v) { return field(name, std::string_view(v)); }

    std::string take() { return std::move(text_); }

private:
    void comma() {
        if (!first_) {
            text_ += ',';
        }
        first_ = false;
    }
    void string(std::string_view s) {
        text_ += '"';
        for (const char c : s) {
            switch (c) {
                case '"':
                    text_ += "\\\"";
                    break;
                case '\\':
                    text_ += "\\\\";
                    break;
                case '\n':
                    text_ += "\\n";
                    break;
                case '\r':
                    text_ += "\\r";
                    break;
                default:
                    if (static_cast<unsigned char>(c) < 0x20) {
                        char escaped[8];
                        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                        text_ += escaped;
                    } else {
                        text_ += c;
                    }
            }
        }
        text_ += '"';
    }

    std::string text_;
    bool first_ = true;
};

void rect(Json& json, const layout::PixelRect& r) {
    json.open('{');
    json.field("x", r.x).field("y", r.y).field("w", r.width).field("h", r.height);
    json.close('}');
}

void rect(Json& json, std::string_view name, const layout::PixelRect& r) {
    json.key(name);
    rect(json, r);
}

void rect(Json& json, std::string_view name, const layout::TwipsRect& r) {
    rect(json, name, layout::toPixels(r));
}

void colour(Json& json, std::string_view name, const layout::Rgb& c) {
    json.key(name).open('[');
    json.value(int{c.red}).value(int{c.green}).value(int{c.blue});
    json.close(']');
}

void font(Json& json, const layout::FontDesign& f) {
    json.key("font").open('{');
    json.field("family", f.family).field("nearest", f.nearest);
    json.field("px", f.pixelSize()).field("bold", f.bold);
    json.close('}');
}

std::string_view alignName(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return "center";
        case layout::Align::Right:
            return "right";
        case layout::Align::Left:
            break;
    }
    return "left";
}

void button(Json& json, std::string_view name, const layout::ButtonDesign& b) {
    json.key(name).open('{');
    json.field("caption", b.caption);
    font(json, b.font);
    json.field("picture", b.pictureNumber);
    json.close('}');
}

void textPlace(Json& json, const layout::PixelRect& r, int fontPixels) {
    json.open('{');
    rect(json, "rect", r);
    json.field("px", fontPixels);
    json.close('}');
}

// Where each control stands in each arrangement of the form, with the CSS media query that
// chooses it: the first that matches the screen is used.
void arrangements(Json& json) {
    json.key("arrangements").open('[');
    for (const layout::Arrangement& a : layout::arrangements()) {
        json.open('{');
        json.field("name", a.name).field("media", layout::mediaQuery(a));
        rect(json, "area", a.area);
        json.key("balls").open('[');
        for (const layout::PixelRect& box : a.ballBoxes) {
            rect(json, box);
        }
        json.close(']');
        // Each selection ring with its pen: the square its border covers.
        json.key("rings").open('[');
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            rect(json, layout::ringPenBox(layout::ringCircle(a, slot)));
        }
        json.close(']');
        json.key("markers").open('[');
        for (const layout::PixelRect& marker : a.markers) {
            rect(json, marker);
        }
        json.close(']');
        json.key("labels").open('[');
        for (const layout::TextPlace& label : a.labels) {
            textPlace(json, label.rect, label.fontPixels);
        }
        json.close(']');
        json.key("nextBall");
        textPlace(json, a.nextBall.rect, a.nextBall.fontPixels);
        json.field("rack", layout::rackPixels(a, 1.0));
        json.key("score");
        textPlace(json, a.score.rect, a.score.fontPixels);
        rect(json, "progress", a.progressBar);
        json.close('}');
    }
    json.close(']');
}

// The window as the game's start-up leaves it (no ball is dealt before New): what the page shows
// while the game itself is still loading, and what the start-up then applies again. Taken from
// the controller's own start-up; the controls it applies to are the page's, later.
class NoWindow final : public controller::Form1Port {
public:
    void prepareControls() override {}
    void showWindow() override {}
    void applySlot(int, const layout::SlotView&) override {}
    void applyLabel(int, const layout::LabelView&) override {}
    void applyProgress(int) override {}
    void applyScoreEnabled(bool) override {}
    void startTimer(controller::Timer, std::chrono::milliseconds) override {}
    void stopTimer(controller::Timer) override {}
    // The page cannot show a message before the game has loaded.
    void showMessage(const controller::Message& box) override {
        std::fprintf(stderr, "The start-up has a message to show: %s\n", box.text.c_str());
        std::abort();
    }
    void moveFocus(const controller::Focus&) override {}
    bool showHelp(controller::HelpWindow) override { return true; }
    void closeHelpWindows() override {}
    void ended() override {}
};

void startView(Json& json) {
    NoWindow port;
    SeededRandom random(0);
    display::CurrentModeDriver display(display::DisplayMode{});
    controller::Form1Controller controller(port, random, display);
    controller.startUp();
    const layout::Form1View& view = controller.shownView();
    const controller::Focus& focus = controller.focus();

    json.key("start").open('{');
    json.key("slots").open('[');
    for (const layout::SlotView& s : view.slots) {
        json.open('{');
        json.field("shown", s.shown).field("occupied", s.occupied).field("value", s.value);
        json.field("free", s.free).field("selected", s.selected);
        json.field("name", s.accessibleName);
        json.close('}');
    }
    json.close(']');
    json.key("labels").open('[');
    for (const layout::LabelView& l : view.labels) {
        json.open('{');
        json.field("caption", l.caption).field("name", l.accessibleName);
        json.close('}');
    }
    json.close(']');
    json.field("progress", view.progressValue).field("scoreEnabled", view.scoreEnabled);
    json.key("focus").open('{');
    json.field("kind", static_cast<int>(focus.kind)).field("slot", focus.slot);
    json.close('}');
    json.close('}');
}

}  // namespace

std::string layoutJson() {
    Json json;
    json.open('{');
    json.field("caption", layout::kWindowCaption);
    colour(json, "felt", layout::kFeltGreen);
    colour(json, "ringColour", layout::kRingColour);
    colour(json, "text", layout::kTextColour);
    json.field("ringPen", layout::kRingPenPixels);
    // The felt buttons' bevel and their focus frame's distance from the edge.
    json.field("feltBevel", layout::kFeltBevelPixels);
    json.field("feltFocusInset", layout::kFeltFocusInsetPixels);
    // The keyboard focus ring inside a focused ball, in the ball box's own design pixels.
    const int boxPixels = layout::twipsToPixels(layout::kBallBoxTwips);
    const layout::FocusRing focus = layout::focusRing(boxPixels);
    json.key("focusRing").open('{');
    json.field("box", boxPixels);
    rect(json, "circle", focus.circle);
    json.field("pen", focus.pen).field("dash", focus.dash);
    colour(json, "light", layout::kFocusRingLight);
    colour(json, "dashes", layout::kFocusRingDashes);
    json.close('}');

    json.key("slots").open('[');
    for (const layout::SlotDesign& s : layout::slots()) {
        json.open('{');
        json.field("slot", s.slot);
        rect(json, "ring", layout::ringRect(s.slot));
        json.close('}');
    }
    json.close(']');

    json.key("markers").open('[');
    for (const layout::MarkerDesign& m : layout::markers()) {
        json.open('{');
        json.field("index", m.index).field("points", m.points);
        json.close('}');
    }
    json.close(']');

    json.key("labels").open('[');
    for (const layout::LabelDesign& l : layout::labels()) {
        json.open('{');
        json.field("caption", l.caption);
        json.field("accessibleName", layout::labelAccessibleName(l.role, l.caption));
        font(json, l.font);
        json.field("align", alignName(l.align)).field("felt", l.feltBackground);
        json.close('}');
    }
    json.close(']');

    button(json, "nextBall", layout::nextBallButton());
    button(json, "score", layout::scoreButton());

    const layout::ProgressBarDesign& bar = layout::progressBar();
    json.key("progress").open('{');
    json.field("accessibleName", layout::kProgressBarName);
    json.field("min", bar.minimum).field("max", bar.maximum);
    json.close('}');

    arrangements(json);
    json.key("finger").open('{');
    json.field("target", layout::kFingerPixels).field("touchBar", layout::kTouchBarPixels);
    // The windows over the game for a finger: text, menus, help windows and message boxes.
    const layout::FingerWindows& windows = layout::kFingerWindows;
    json.field("text", windows.textPixels).field("menuTitlePadding", windows.menuTitlePadding);
    json.field("menuWidth", windows.menuWidth).field("titleBar", windows.titleBarPixels);
    json.field("closeBoxText", windows.closeBoxTextPixels);
    json.field("messageTitleBar", windows.messageTitleBarPixels);
    json.field("messageWidth", windows.messageWidth)
        .field("messageIcon", windows.messageIconPixels);
    json.field("buttonWidth", windows.buttonWidth).field("margin", windows.screenMargin);
    json.field("inset", windows.buttonInset);
    // The media query under which the windows over the game are drawn for a finger.
    json.field("windows", layout::fingerWindowsQuery());
    colour(json, "sky", layout::kTitleSky);
    json.close('}');

    json.key("menus").open('[');
    for (const layout::MenuDesign& menu : layout::menus()) {
        json.open('{');
        json.field("name", menu.name).field("caption", menu.caption);
        json.key("items").open('[');
        for (const layout::MenuItemDesign& item : menu.items) {
            json.open('{');
            json.field("caption", item.caption).field("command", static_cast<int>(item.command));
            // The help window an item opens, which the page can open itself before the game
            // has loaded.
            if (const auto window = controller::helpWindowOpenedBy(item.command)) {
                json.field("help", static_cast<int>(*window));
            }
            json.close('}');
        }
        json.close(']');
        json.close('}');
    }
    json.close(']');

    // The window's tab order: each control by kind (codes.tabStops) and slot or label number.
    json.key("tabStops").open('[');
    for (const layout::TabStop& stop : layout::tabStops()) {
        json.open('{');
        json.field("kind", static_cast<int>(stop.kind)).field("index", stop.index);
        json.close('}');
    }
    json.close(']');

    json.key("pictures").open('{');
    json.field("ball", pictures::kBallSize);
    json.field("titleWidth", pictures::kTitleWidth).field("titleHeight", pictures::kTitleHeight);
    json.close('}');

    // The numbers the page passes to the game's entry points (ui/web/main.cpp) for the
    // controller's timers, buttons, focus targets, keys and help windows, and those it is given
    // for the message boxes' styles.
    using namespace controller;
    const auto code = [](auto value) { return static_cast<int>(value); };
    json.key("codes").open('{');
    json.key("timers").open('{');
    json.field("countdown", code(Timer::Countdown)).field("refresh", code(Timer::Refresh));
    json.close('}');
    json.key("buttons").open('{');
    json.field("nextBall", code(Button::NextBall)).field("takeScore", code(Button::TakeScore));
    json.close('}');
    json.key("focus").open('{');
    json.field("ball", code(Focus::Kind::Ball));
    json.field("nextBall", code(Focus::Kind::NextBall));
    json.field("takeScore", code(Focus::Kind::TakeScore));
    json.close('}');
    json.key("tabStops").open('{');
    json.field("ball", code(layout::TabStop::Kind::Ball));
    json.field("nextBall", code(layout::TabStop::Kind::NextBall));
    json.field("takeScore", code(layout::TabStop::Kind::TakeScore));
    json.field("progressBar", code(layout::TabStop::Kind::ProgressBar));
    json.field("label", code(layout::TabStop::Kind::Label));
    json.close('}');
    json.key("keys").open('{');
    json.field("up", code(Key::Up)).field("down", code(Key::Down));
    json.field("left", code(Key::Left)).field("right", code(Key::Right));
    json.field("activate", code(Key::Activate));
    json.close('}');
    json.key("help").open('{');
    json.field("about", code(HelpWindow::About)).field("rules", code(HelpWindow::Rules));
    json.close('}');
    json.key("messageStyles").open('{');
    json.field("critical", code(MessageStyle::Critical));
    json.field("question", code(MessageStyle::Question));
    json.field("exclamation", code(MessageStyle::Exclamation));
    json.field("information", code(MessageStyle::Information));
    json.close('}');
    json.close('}');

    json.key("about").open('{');
    json.field("caption", layout::kAboutCaption);
    rect(json, "client", layout::kAboutClientArea);
    json.field("okCaption", layout::kAboutOkCaption);
    rect(json, "ok", layout::kAboutOkButton);
    font(json, layout::kAboutOkFont);
    json.close('}');

    json.key("rules").open('{');
    json.field("caption", layout::kRulesCaption);
    rect(json, "client", layout::kRulesClientArea);
    rect(json, "textBox", layout::kRulesTextBox);
    font(json, layout::kRulesFont);
    json.field("text", layout::rulesText());
    json.close('}');

    startView(json);

    json.close('}');
    return json.take();
}

}  // namespace zentrix::web
