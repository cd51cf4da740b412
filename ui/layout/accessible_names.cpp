#include "ui/layout/accessible_names.h"

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

std::string labelAccessibleName(LabelRole role, std::string_view caption) {
    std::string_view what;
    switch (role) {
        case LabelRole::SelectionSum:
            what = "Selection sum";
            break;
        case LabelRole::ElevensCount:
            what = "Elevens";
            break;
        case LabelRole::TotalScore:
            what = "Total score";
            break;
        case LabelRole::RoundPoints:
            what = "Round points";
            break;
        case LabelRole::SecondsLeft:
            what = "Seconds left";
            break;
        case LabelRole::ScoreCaption:
        case LabelRole::ElevensCaption:
            return std::string(caption);
    }
    std::string name(what);
    if (!caption.empty()) {
        name += ' ';
        name += caption;
    }
    return name;
}

}  // namespace zentrix::layout
