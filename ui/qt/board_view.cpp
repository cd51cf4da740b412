#include "ui/qt/board_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QString>
#include <cmath>

#include "display/ball_shape.h"
#include "ui/layout/accessible_names.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

namespace {

// How far a ring's pen reaches outside its circle, with a pixel for the smoothed edge.
constexpr int kRingReach = layout::kRingPenPixels / 2 + 1;

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Board"));
    setAutoFillBackground(true);
    QPalette felt = palette();
    felt.setColor(QPalette::Window, toColor(layout::kFeltGreen));
    setPalette(felt);

    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        auto* box = new BallBox(slot, this);
        box->setObjectName(QString::fromLatin1(layout::ballBoxName(slot)));
        box->setGeometry(ballBoxRect(slot));
        box->setEnabled(false);
        box->setAccessibleName(QString::fromStdString(
            layout::ballBoxName(layout::BallBoxFacts{.nextBall = slot == layout::kNextBallSlot})));
        boxes_[static_cast<std::size_t>(slot)] = box;
    }
}

BoardView::~BoardView() = default;

BallBox* BoardView::ballBox(int slot) const {
    return boxes_.at(static_cast<std::size_t>(slot));
}

const BoardView::SlotLook& BoardView::slotLook(int slot) const {
    return looks_.at(static_cast<std::size_t>(slot));
}

QRect BoardView::ballBoxRect(int slot) {
    return toRect(layout::toPixels(layout::ballBoxRect(slot)));
}

QRect BoardView::ringRect(int slot) {
    return toRect(layout::toPixels(layout::ringRect(slot)));
}

QSize BoardView::sizeHint() const {
    const layout::PixelRect area = layout::requiredClientArea();
    return {area.width, area.height};
}

void BoardView::loadMarkerPictures() {
    picturesRatio_ = devicePixelRatioF();
    readMarkerPictures(picturesRatio_);
    markersLoaded_ = true;
    update();
}

void BoardView::readMarkerPictures(qreal ratio) {
    for (const layout::MarkerDesign& marker : layout::markers()) {
        markerPictures_[static_cast<std::size_t>(marker.index)] = loadBitmap(marker.points, ratio);
    }
}

void BoardView::makeRound(int slot) {
    const auto s = static_cast<std::size_t>(slot);
    const display::PixelRect ellipse = display::BallEllipseRect(
        static_cast<float>(layout::kBallBoxTwips), static_cast<float>(layout::kBallBoxTwips),
        static_cast<float>(layout::kTwipsPerPixel), static_cast<float>(layout::kTwipsPerPixel));
    ellipses_[s] = QSize(ellipse.right - ellipse.left, ellipse.bottom - ellipse.top);
    boxes_[s]->makeRound(ellipses_[s]);
    update(slotPaintRect(slot));
}

void BoardView::placeRing(int slot) {
    ringPlaced_.at(static_cast<std::size_t>(slot)) = true;
    update(slotPaintRect(slot));
}

bool BoardView::ringPlaced(int slot) const {
    return ringPlaced_.at(static_cast<std::size_t>(slot));
}

void BoardView::setSlotLook(int slot, const SlotLook& look) {
    const auto s = static_cast<std::size_t>(slot);
    if (looks_.at(s) == look) {
        return;
    }
    const SlotLook before = looks_[s];
    looks_[s] = look;

    BallBox* box = boxes_[s];
    box->setEnabled(look.free);
    box->setVisible(look.shown);
    box->setAccessibleName(QString::fromStdString(look.accessibleName));

    if (!before.drawnLike(look)) {
        update(slotPaintRect(slot));
    }
}

QRect BoardView::slotPaintRect(int slot) const {
    return ballBoxRect(slot).united(
        ringRect(slot).adjusted(-kRingReach, -kRingReach, kRingReach, kRingReach));
}

const QPixmap& BoardView::roundBall(int value, QSize ellipse, qreal ratio) {
    const auto key = std::make_tuple(value, ellipse.width(), ellipse.height(),
                                     static_cast<int>(std::lround(ratio * 100)));
    auto found = roundBalls_.find(key);
    if (found != roundBalls_.end()) {
        return found->second;
    }
    // The ball bitmap shown unscaled from the box's top-left corner, cut to the box's ellipse
    // with a smoothed edge.
    const QPixmap face = loadBitmap(value, ratio);
    QImage cut(static_cast<int>(std::ceil(ellipse.width() * ratio)),
               static_cast<int>(std::ceil(ellipse.height() * ratio)),
               QImage::Format_ARGB32_Premultiplied);
    cut.setDevicePixelRatio(ratio);
    cut.fill(Qt::transparent);
    {
        QPainter painter(&cut);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(QPointF(0, 0), QSizeF(ellipse)));
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.drawPixmap(QPointF(0, 0), face);
    }
    return roundBalls_.emplace(key, QPixmap::fromImage(cut)).first->second;
}

void BoardView::paintEvent(QPaintEvent* event) {
    ++paintCount_;
    const qreal ratio = devicePixelRatioF();
    if (ratio != picturesRatio_ && markersLoaded_) {
        // Moved to a screen of another density: the markers are read again in the drawing that
        // suits it (the balls are kept per density).
        readMarkerPictures(ratio);
    }
    picturesRatio_ = ratio;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect dirty = event->rect();

    // The markers lie on the felt, beneath everything.
    for (const layout::MarkerDesign& marker : layout::markers()) {
        const QRect where = toRect(layout::toPixels(marker.rect));
        const QPixmap& picture = markerPictures_[static_cast<std::size_t>(marker.index)];
        if (!picture.isNull() && where.intersects(dirty)) {
            painter.drawPixmap(where.topLeft(), picture);
        }
    }
    // The rings lie on the felt beneath every ball, their own and their neighbours': only the
    // half of a ring's pen outside the balls' ellipses shows.
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        if (slotPaintRect(slot).intersects(dirty)) {
            paintRing(painter, slot);
        }
    }
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        if (slotPaintRect(slot).intersects(dirty)) {
            paintBall(painter, slot);
        }
    }
}

void BoardView::paintRing(QPainter& painter, int slot) {
    const auto s = static_cast<std::size_t>(slot);
    if (looks_[s].selected && ringPlaced_[s]) {
        painter.setPen(QPen(toColor(layout::kRingColour), layout::kRingPenPixels));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(ringRect(slot)));
    }
}

void BoardView::paintBall(QPainter& painter, int slot) {
    ++slotPaintCount_;
    const auto s = static_cast<std::size_t>(slot);
    const SlotLook& look = looks_[s];
    if (!look.shown) {
        return;
    }
    const QRect box = ballBoxRect(slot);
    const QSize ellipse = ellipses_[s].isEmpty() ? box.size() : ellipses_[s];
    if (look.occupied && look.value >= 1 && look.value <= 10) {
        painter.drawPixmap(box.topLeft(), roundBall(look.value, ellipse, picturesRatio_));
    } else {
        // An empty box still covers what lies beneath it with the felt.
        painter.setPen(Qt::NoPen);
        painter.setBrush(toColor(layout::kFeltGreen));
        painter.drawEllipse(QRectF(box.topLeft(), QSizeF(ellipse)));
    }
}

}  // namespace zentrix::ui
