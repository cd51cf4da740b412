#include "ui/layout/rules_text.h"

#include <array>

namespace zentrix::layout {

namespace {

// Leading spaces are part of the text: they indent the rules under their headings.
constexpr std::array<std::string_view, 24> kLines = {
    "Zentrix     ver 1.0",
    "",
    "",
    "Rules:",
    "",
    "       Add up any number of balls that equalls 11.",
    "       Any ball blocked by another ball is not free",
    "       Only \"free\" balls can be choosen ",
    "       Score high enough to move on to the bonus round",
    "",
    "",
    "Scoring:",
    "",
    "       100 to 600 points per ball removed depending on location(Points marked on screen)",
    "       1000 for every set of \"11\" removed ",
    "       1000 for every space cleared on the board",
    "        250 for every 1.5 seconds remaing on the timer",
    "  ",
    "       10,000 bonus points fo completely clearing all balls",
    "",
    "",
    "Zentrix is free software under the MIT licence: copy it, change it, share it.",
    "Questions, comments and high scores are welcome at:",
    "zentrix-players@example.org",
};

}  // namespace

std::span<const std::string_view> rulesLines() {
    return kLines;
}

std::string rulesText() {
    std::string text;
    for (std::string_view line : kLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace zentrix::layout
