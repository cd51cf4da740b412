#include "ui/qt/ball_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace zentrix::ui {

namespace {

// All 23 boxes have the same size, so start-up would work out the same elliptic region 23 times;
// it is worked out once per size and shared (regions are implicitly shared).
QRegion ellipseRegion(QSize size) {
    static QSize madeFor;
    static QRegion made;
    if (size != madeFor || made.isEmpty()) {
        made = QRegion(QRect(QPoint(0, 0), size), QRegion::Ellipse);
        madeFor = size;
    }
    return made;
}

}  // namespace

BallBox::BallBox(int slot, QWidget* parent) : QAbstractButton(parent), slot_(slot) {
    // Reached with Tab and pressed with Space like a button, but a mouse click leaves the focus
    // where it was, as the boxes never showed a focus of their own to the mouse.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BallBox::makeRound(QSize ellipse) {
    setMask(ellipseRegion(ellipse));
    round_ = true;
}

void BallBox::paintEvent(QPaintEvent*) {
    // The ball itself is drawn by the board beneath; a box with the keyboard focus shows it with a
    // dotted ring inside the ball.
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::white, 2, Qt::DotLine);
    painter.setPen(pen);
    const QRegion shape = mask().isEmpty() ? QRegion(rect()) : mask();
    painter.drawEllipse(QRectF(shape.boundingRect()).adjusted(6, 6, -6, -6));
}

void BallBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double-click is one click on a ball: its first press and release already toggled it, and
    // the second press must not toggle it back.
    event->accept();
}

bool BallBox::hitButton(const QPoint& pos) const {
    // A release outside the ellipse, after a press inside it, is no click.
    return mask().isEmpty() ? rect().contains(pos) : mask().contains(pos);
}

}  // namespace zentrix::ui
