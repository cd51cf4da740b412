#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

QFont toFont(const layout::FontDesign& design) {
    QFont font;
    font.setFamilies({qs(design.family), qs(design.nearest)});
    font.setPixelSize(design.pixelSize());
    font.setBold(design.bold);
    font.setItalic(false);
    return font;
}

}  // namespace zentrix::ui
