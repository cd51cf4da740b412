#include "ui/layout/accessible_names.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zentrix::layout {

std::string ballBoxAccessibleName(const BallBoxFacts& facts) {
    if (!facts.occupied) {
        return facts.nextBall ? "No next ball" : "Empty slot";
    }
    std::string name = facts.nextBall ? "Next ball " : "Ball ";
    name += std::to_string(facts.value);
    name += facts.free ? ", free" : ", not free";
    if (facts.selected) {
        name += ", selected";
    }
    return name;
}

namespace {

// The words said before a label's number. The captions "Score" and "11'S" speak for themselves.
constexpr std::array<std::pair<LabelRole, std::string_view>, 5> kLabelWords{{
    {LabelRole::SelectionSum, "Selection sum"},
    {LabelRole::ElevensCount, "Elevens"},
    {LabelRole::TotalScore, "Total score"},
    {LabelRole::RoundPoints, "Round points"},
    {LabelRole::SecondsLeft, "Seconds left"},
}};

}  // namespace

std::string labelAccessibleName(LabelRole role, std::string_view caption) {
    const auto words = std::find_if(kLabelWords.begin(), kLabelWords.end(),
                                    [role](const auto& entry) { return entry.first == role; });
    if (words == kLabelWords.end()) {
        return std::string(caption);
    }
    std::string name(words->second);
    if (!caption.empty()) {
        name += ' ';
        name += caption;
    }
    return name;
}

}  // namespace zentrix::layout
