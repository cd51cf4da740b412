#include "ui/qt/felt_button.h"

#include <QPainter>

#include "ui/layout/form1_layout.h"

namespace zentrix::ui {

namespace {

const QColor kFelt(layout::kFeltGreen.red, layout::kFeltGreen.green, layout::kFeltGreen.blue);

}  // namespace

FeltButton::FeltButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FeltButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void FeltButton::setFacePicture(const QPixmap& face) {
    face_ = face;
    update();
}

void FeltButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, kFelt);
    if (!face_.isNull()) {
        const QSizeF size = face_.deviceIndependentSize();
        painter.drawPixmap(
            QPointF((face.width() - size.width()) / 2.0, (face.height() - size.height()) / 2.0),
            face_);
    }

    // A two-pixel bevel: light above and left, dark below and right; the other way round while
    // pressed, when the face's contents also move down and right by a pixel.
    const bool pressed = isDown();
    const QColor light = kFelt.lighter(160);
    const QColor dark = kFelt.darker(250);
    const QColor shadow = kFelt.darker(160);
    const int l = face.left();
    const int t = face.top();
    const int r = face.right();
    const int b = face.bottom();
    painter.setPen(pressed ? dark : light);
    painter.drawLine(l, t, r - 1, t);
    painter.drawLine(l, t, l, b - 1);
    painter.setPen(pressed ? light : dark);
    painter.drawLine(l, b, r, b);
    painter.drawLine(r, t, r, b);
    painter.setPen(pressed ? shadow.lighter(130) : shadow);
    if (!pressed) {
        painter.drawLine(l + 1, b - 1, r - 1, b - 1);
        painter.drawLine(r - 1, t + 1, r - 1, b - 1);
    }

    const int shift = pressed ? 1 : 0;
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    QRect content = face.adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);

    QRect textRect = content;
    if (!picture_.isNull()) {
        // The picture centred with the caption below it, the two together centred in the face.
        const QSize size = picture_.deviceIndependentSize().toSize();
        const int block = size.height() + textHeight;
        const int top = content.top() + std::max(0, (content.height() - block) / 2);
        const QPoint at(content.left() + (content.width() - size.width()) / 2, top);
        painter.drawPixmap(at, picture_);
        textRect = QRect(content.left(), at.y() + size.height(), content.width(), textHeight);
    }

    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(textRect, Qt::AlignCenter, text());
    } else {
        // Greyed out: the caption embossed into the felt.
        painter.setPen(light);
        painter.drawText(textRect.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(shadow);
        painter.drawText(textRect, Qt::AlignCenter, text());
    }

    if (hasFocus()) {
        QPen dots(Qt::black, 1, Qt::DotLine);
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}

}  // namespace zentrix::ui
