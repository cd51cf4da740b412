// Classic raised buttons whose face is the felt green, with an optional picture centred above the
// caption (the rack of balls on Next Ball), or a face picture that covers the felt instead (the
// About window's Ok, whose face is a piece of the title picture).
#pragma once

#include <QPixmap>
#include <QPushButton>

#include "ui/qt/click_count.h"

namespace zentrix::ui {

class FeltButton final : public ClickCounting<QPushButton> {
public:
    FeltButton(const QString& caption, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    // Drawn centred on the face and cut off by its edges, behind the caption.
    void setFacePicture(const QPixmap& face);

    // The dotted frame drawn inside the bevel while the button has the focus; its lines lie just
    // outside this rectangle's right and bottom edges, as QPainter strokes a rectangle.
    QRect focusFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    qreal pictureBottom_ = 0;  // how far down the picture's drawing reaches
    QPixmap face_;
};

}  // namespace zentrix::ui
