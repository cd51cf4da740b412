// Where each control of the main window stands in an arrangement and which font it is drawn in:
// one answer for every control in the tab order, so that a front end places all of them from one
// table, when it makes them and again whenever the scale changes.
#pragma once

#include "ui/layout/arrangement.h"
#include "ui/layout/form1_layout.h"

namespace zentrix::layout {

struct ControlPlace {
    PixelRect rect;                    // in the arrangement's design pixels
    const FontDesign* font = nullptr;  // null for a control without text (a ball box, the bar)
};

ControlPlace placeOf(const Arrangement& arrangement, const TabStop& stop);

}  // namespace zentrix::layout
