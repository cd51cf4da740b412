// A button that remembers how many quick clicks in a row its latest click was: 1 for a single
// click, 2 for the second press of a double-click. The controller decides what a double-click
// means; the button only reports it.
#pragma once

#include <QMouseEvent>

namespace zentrix::ui {

template <typename Button>
class ClickCounting : public Button {
public:
    using Button::Button;

    // Read while the button's clicked() signal runs; a click from the keyboard or a screen
    // reader is a single click.
    int clickCount() const { return clickCount_; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        clickCount_ = 1;
        Button::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        // The second press of a double-click presses the button as any press does.
        clickCount_ = 2;
        Button::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        Button::mouseReleaseEvent(event);
        clickCount_ = 1;
    }

private:
    int clickCount_ = 1;
};

}  // namespace zentrix::ui
