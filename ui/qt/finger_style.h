// The look of the menus, the help windows and the message boxes where the pointer is a finger:
// the platform's own style, with everything pressed at least a finger across and the text at the
// size the layout gives windows over the game.
#pragma once

#include <QFont>
#include <QProxyStyle>

class QWidget;

namespace zentrix::ui {

class FingerStyle final : public QProxyStyle {
public:
    FingerStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

    // The text of the windows over the game, in pixels.
    static QFont windowFont();

    // `widget` and every widget inside it drawn in `style`, or in the platform's style again
    // where `style` is null; the text at windowFont()'s size, or the application's again.
    static void apply(QWidget* widget, QStyle* style);
};

}  // namespace zentrix::ui
