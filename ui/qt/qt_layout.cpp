#include "ui/qt/qt_layout.h"

#include <algorithm>

namespace zentrix::ui {

QFont toFont(const layout::FontDesign& design, double scale) {
    return toFont(design, design.pixelSize(), scale);
}

QFont toFont(const layout::FontDesign& design, int pixels, double scale) {
    QFont font;
    font.setFamilies({qs(design.family), qs(design.nearest)});
    font.setPixelSize(std::max(1, layout::scaled(pixels, scale)));
    font.setBold(design.bold);
    font.setItalic(false);
    return font;
}

}  // namespace zentrix::ui
