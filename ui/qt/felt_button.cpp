#include "ui/qt/felt_button.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/layout/board_geometry.h"
#include "ui/layout/form1_layout.h"

namespace zentrix::ui {

namespace {

const QColor kFelt(layout::kFeltGreen.red, layout::kFeltGreen.green, layout::kFeltGreen.blue);

// How far down a picture's drawing reaches, in its device-independent pixels: the last row with a
// pixel that stands out from the colour of its top-left corner, its background.
qreal drawingBottom(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        return 0;
    }
    const QColor background = image.pixelColor(0, 0);
    const auto differs = [&background](QColor c) {
        return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                   std::abs(c.blue() - background.blue()) >
               12;
    };
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (differs(image.pixelColor(x, y))) {
                return (y + 1) / picture.devicePixelRatio();
            }
        }
    }
    return 0;
}

}  // namespace

FeltButton::FeltButton(const QString& caption, QWidget* parent) : ClickCounting(caption, parent) {
    setAutoDefault(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FeltButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    pictureBottom_ = drawingBottom(picture);
    update();
}

QRect FeltButton::focusFrame() const {
    // A rectangle's outline covers the column and row past its right and bottom edges.
    constexpr int inset = layout::kFeltFocusInsetPixels;
    return rect().adjusted(inset, inset, -inset - 1, -inset - 1);
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
    constexpr int bevel = layout::kFeltBevelPixels;
    QRect content = face.adjusted(bevel + shift, bevel + shift, -bevel + shift, -bevel + shift);

    const QRect frame = focusFrame();
    QRect textRect = content;
    if (!picture_.isNull()) {
        // The picture centred with the caption below it, the two together centred in the face.
        const QSize size = picture_.deviceIndependentSize().toSize();
        const int block = size.height() + textHeight;
        const int top = content.top() + std::max(0, (content.height() - block) / 2);
        const QPoint at(content.left() + (content.width() - size.width()) / 2, top);
        painter.drawPixmap(at, picture_);
        // The picture's own felt margin may run under the focus frame, but the caption's letters
        // sit clear of it and of the bevel: centred between the bottom of the drawing and the
        // frame's lower line (one past frame.bottom()), never lower than a pixel above that line.
        const QRect ink = metrics.tightBoundingRect(text());
        const int bandTop = top - shift + static_cast<int>(std::ceil(pictureBottom_)) + 1;
        const int bandBottom = frame.bottom();  // the last row inside the frame
        int baseline = bandTop + (bandBottom - bandTop + 1 - ink.height()) / 2 - ink.top();
        baseline = std::min(baseline, bandBottom - 1 - ink.bottom());
        textRect =
            QRect(content.left(), baseline + shift - metrics.ascent(), content.width(), textHeight);
    }

    const Qt::Alignment align =
        picture_.isNull() ? Qt::AlignCenter : (Qt::AlignHCenter | Qt::AlignTop);
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(textRect, align, text());
    } else {
        // Greyed out: the caption embossed into the felt.
        painter.setPen(light);
        painter.drawText(textRect.translated(1, 1), align, text());
        painter.setPen(shadow);
        painter.drawText(textRect, align, text());
    }

    // The focus is shown however it came, by key or by mouse.
    if (hasFocus()) {
        QPen dots(Qt::black, 1, Qt::DotLine);
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame);
    }
}

}  // namespace zentrix::ui
