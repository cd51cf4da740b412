#include "ui/qt/finger_style.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

#include "ui/layout/arrangement.h"
#include "ui/layout/help_layout.h"

namespace zentrix::ui {

FingerStyle::FingerStyle() : QProxyStyle(nullptr) {}

QSize FingerStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
    QSize wanted = QProxyStyle::sizeFromContents(type, option, size, widget);
    const layout::FingerWindows& finger = layout::kFingerWindows;
    switch (type) {
        case CT_MenuBarItem:
            wanted.rwidth() += 2 * finger.menuTitlePadding;
            wanted = wanted.expandedTo({layout::kFingerPixels, layout::kTouchBarPixels});
            break;
        case CT_MenuItem:
            wanted = wanted.expandedTo({finger.menuWidth, layout::kFingerPixels});
            break;
        case CT_PushButton:
            wanted = wanted.expandedTo({finger.buttonWidth, layout::kFingerPixels});
            break;
        default:
            break;
    }
    return wanted;
}

QFont FingerStyle::windowFont() {
    QFont font = QApplication::font();
    font.setPixelSize(layout::kFingerWindows.textPixels);
    return font;
}

void FingerStyle::apply(QWidget* widget, QStyle* style) {
    QStyle* used = style != nullptr ? style : QApplication::style();
    widget->setStyle(used);
    for (QWidget* inside : widget->findChildren<QWidget*>()) {
        inside->setStyle(used);
    }
    widget->setFont(style != nullptr ? windowFont() : QFont());
}

}  // namespace zentrix::ui
