#include "ui/layout/control_places.h"

namespace zentrix::layout {

ControlPlace placeOf(const Arrangement& arrangement, const TabStop& stop) {
    const auto at = static_cast<std::size_t>(stop.index);
    switch (stop.kind) {
        case TabStop::Kind::Ball:
            return {arrangement.ballBoxes.at(at)};
        case TabStop::Kind::NextBall:
            return {arrangement.nextBall.rect, &nextBallButton().font};
        case TabStop::Kind::TakeScore:
            return {arrangement.score.rect, &scoreButton().font};
        case TabStop::Kind::ProgressBar:
            return {arrangement.progressBar};
        case TabStop::Kind::Label:
            return {arrangement.labels.at(at).rect, &labels()[at].font};
    }
    return {};
}

}  // namespace zentrix::layout
