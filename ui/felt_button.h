// The main window's two buttons: classic raised buttons whose face is the felt green, with an
// optional picture centred above the caption (the rack of balls on Next Ball).
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace zentrix::ui {

class FeltButton final : public QPushButton {
public:
    FeltButton(const QString& caption, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace zentrix::ui
