// The layout data in Qt's own types: text, colours, rectangles and fonts.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

#include "ui/layout/form1_layout.h"

namespace zentrix::ui {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toColor(layout::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

inline QRect toRect(const layout::PixelRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

inline QRect toRect(const layout::TwipsRect& twips) {
    return toRect(layout::toPixels(twips));
}

// The design's font where the system has it, else its metric-compatible stand-in, sized in
// pixels like the rest of the layout and scaled with it.
QFont toFont(const layout::FontDesign& design, double scale = 1.0);
// The same font at `pixels` of the design's pixels rather than its own size.
QFont toFont(const layout::FontDesign& design, int pixels, double scale);

}  // namespace zentrix::ui
