// One ball box Picture1(i) as the player's mouse, keyboard and a screen reader meet it.
//
// The box paints nothing itself: the board behind it draws the ball with smooth edges. The box is
// a button clipped to the ellipse inscribed in it, so Qt's own hit-testing gives a click on one of
// its corners to whatever lies beneath (the felt, which ignores it), and a screen reader finds a
// pressable button named after the ball it holds.
#pragma once

#include <QAbstractButton>

#include "ui/qt/click_count.h"

namespace zentrix::ui {

class BallBox final : public ClickCounting<QAbstractButton> {
public:
    BallBox(int slot, QWidget* parent);

    int slot() const { return slot_; }

    // Clips the box to the ellipse inscribed in the rectangle from (0, 0) to `ellipse` (in the
    // box's own pixels): from then on it takes clicks only inside it. Made again whenever the
    // board is scaled.
    void clipToEllipse(QSize ellipse);
    bool isRound() const { return round_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    int slot_;
    bool round_ = false;
};

}  // namespace zentrix::ui
