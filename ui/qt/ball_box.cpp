#include "ui/qt/ball_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

#include "ui/layout/board_geometry.h"
#include "ui/qt/qt_layout.h"

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

BallBox::BallBox(int slot, QWidget* parent) : ClickCounting(parent), slot_(slot) {
    // Reached with Tab and the arrow keys and pressed with Space or Enter like a button; a ball
    // clicked with the mouse takes the focus too, as the game's picture boxes always did, so
    // that a key pressed next acts on the ball the player is looking at.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BallBox::clipToEllipse(QSize ellipse) {
    setMask(ellipseRegion(ellipse));
    round_ = true;
}

void BallBox::paintEvent(QPaintEvent*) {
    // The ball itself is drawn by the board beneath; a box with the keyboard focus shows it with a
    // dashed ring inside the ball, dark dashes on a light ring so that it shows on every colour of
    // ball, from the black 8 to the pale yellow 9.
    if (!hasFocus()) {
        return;
    }
    const QRegion shape = mask().isEmpty() ? QRegion(rect()) : mask();
    const QRect bounds = shape.boundingRect();
    const layout::FocusRing ring = layout::focusRing(std::max(bounds.width(), 1));
    const QRectF circle = toRect(ring.circle).translated(bounds.topLeft());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(toColor(layout::kFocusRingLight), ring.pen));
    painter.drawEllipse(circle);
    QPen dashes(toColor(layout::kFocusRingDashes), ring.pen, Qt::CustomDashLine, Qt::FlatCap);
    // A dash pattern counts in pen widths.
    const double dash = static_cast<double>(ring.dash) / ring.pen;
    dashes.setDashPattern({dash, dash});
    painter.setPen(dashes);
    painter.drawEllipse(circle);
}

void BallBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Left to the board, which hands them to the game: the arrows move to a neighbouring
            // ball (a plain button would take them for Tab and Shift+Tab), and Enter presses the
            // ball as Space does.
            event->ignore();
            return;
        default:
            QAbstractButton::keyPressEvent(event);
    }
}

bool BallBox::hitButton(const QPoint& pos) const {
    // A release outside the ellipse, after a press inside it, is no click.
    return mask().isEmpty() ? rect().contains(pos) : mask().contains(pos);
}

}  // namespace zentrix::ui
