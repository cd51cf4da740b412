// The text of the Rules window, kept apart from any window toolkit so that every front end shows
// the same words.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zentrix::layout {

// The rules and scoring, one entry per line, exactly as the game has always shown them
// (spelling included), followed by the distribution notice and the contact line.
std::span<const std::string_view> rulesLines();

// The whole text as the Rules window holds it: every line ended by a carriage return and a line
// feed.
std::string rulesText();

}  // namespace zentrix::layout
