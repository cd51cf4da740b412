// The About and Rules windows' layout as plain data, in twips like the main window's.
#pragma once

#include <string_view>

#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

// Both windows show the title picture, 600 x 450 pixels, unscaled from their top-left corner.

// About: the upper two thirds of the title picture, with the whole title, and the Ok button
// near the lower right corner.
inline constexpr std::string_view kAboutCaption = "ABout";
inline constexpr TwipsRect kAboutClientArea{0, 0, 8940, 4485};
inline constexpr std::string_view kAboutOkCaption = "Ok";
inline constexpr TwipsRect kAboutOkButton{7815, 3270, 960, 450};
inline constexpr FontDesign kAboutOkFont{"Arial", "Liberation Sans", 240, true};

// Rules: the title picture above a read-only box with the rules, reaching the bottom edge.
inline constexpr std::string_view kRulesCaption = "Rules";
inline constexpr TwipsRect kRulesClientArea{0, 0, 8970, 7470};
inline constexpr TwipsRect kRulesTextBox{0, 4440, 8985, 3030};
inline constexpr FontDesign kRulesFont{"Arial", "Liberation Sans", 240, false};

}  // namespace zentrix::layout
