#include "ui/qt/board_view.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "display/ball_shape.h"
#include "resources/picture_ids.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/board_geometry.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

namespace {

// The keys the board hands to the game, and what each means to it.
constexpr std::array<std::pair<int, controller::Key>, 6> kBoardKeys{{
    {Qt::Key_Up, controller::Key::Up},
    {Qt::Key_Down, controller::Key::Down},
    {Qt::Key_Left, controller::Key::Left},
    {Qt::Key_Right, controller::Key::Right},
    {Qt::Key_Return, controller::Key::Activate},
    {Qt::Key_Enter, controller::Key::Activate},
}};

}  // namespace

BoardView::BoardView(const controller::Form1Controller& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("Board"));
    setAutoFillBackground(true);
    QPalette felt = palette();
    felt.setColor(QPalette::Window, toColor(layout::kFeltGreen));
    setPalette(felt);

    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        auto* box = new BallBox(slot, this);
        box->setObjectName(QString::fromLatin1(layout::ballBoxObjectName(slot)));
        box->setEnabled(false);
        box->setAccessibleName(QString::fromStdString(layout::ballBoxAccessibleName(
            layout::BallBoxFacts{.nextBall = slot == layout::kNextBallSlot})));
        boxes_[static_cast<std::size_t>(slot)] = box;
        placeBallBox(slot);
    }
}

BoardView::~BoardView() = default;

BallBox* BoardView::ballBox(int slot) const {
    return boxes_.at(static_cast<std::size_t>(slot));
}

const layout::SlotView& BoardView::slotView(int slot) const {
    return controller_.shownView().slots.at(static_cast<std::size_t>(slot));
}

QRect BoardView::ballBoxRect(int slot) {
    return toRect(layout::toPixels(layout::ballBoxRect(slot)));
}

QRect BoardView::ringRect(int slot) {
    return toRect(layout::toPixels(layout::ringRect(slot)));
}

QRect BoardView::place(const layout::PixelRect& design) const {
    return toRect(layout::scaled(design, scale_)).translated(origin_);
}

QRect BoardView::placedBallBox(int slot) const {
    return place(arrangement_->ballBoxes.at(static_cast<std::size_t>(slot)));
}

QRect BoardView::placedRing(int slot) const {
    return place(layout::ringCircle(*arrangement_, slot));
}

QSize BoardView::placedEllipse(int slot) const {
    // The ellipse's rectangle scaled as part of the design, from the box's own corner, so that
    // where the ellipse fills its box it still does.
    const layout::PixelRect box = arrangement_->ballBoxes.at(static_cast<std::size_t>(slot));
    const QSize ellipse = ellipses_.at(static_cast<std::size_t>(slot));
    return place({box.x, box.y, ellipse.width(), ellipse.height()}).size();
}

QSize BoardView::sizeHint() const {
    const layout::PixelRect area = arrangement_->area;
    return {area.width, area.height};
}

QSize BoardView::minimumSizeHint() const {
    const layout::PixelRect least = layout::smallestDrawn(*arrangement_);
    return {least.width, least.height};
}

void BoardView::setArrangement(const layout::Arrangement& arrangement) {
    if (&arrangement == arrangement_) {
        return;
    }
    arrangement_ = &arrangement;
    updateGeometry();
    applyScale(true);
}

void BoardView::placeControl(QWidget* control, PlaceOf where,
                             const std::optional<layout::FontDesign>& font) {
    controls_.push_back({control, std::move(where), font});
    applyPlacement(controls_.back());
}

void BoardView::applyPlacement(const PlacedControl& control) const {
    if (control.widget == nullptr) {
        return;
    }
    const layout::TextPlace where = control.where(*arrangement_);
    control.widget->setGeometry(place(where.rect));
    if (control.font) {
        control.widget->setFont(toFont(*control.font, where.fontPixels, scale_));
    }
}

void BoardView::placeBallBox(int slot) {
    BallBox* box = boxes_[static_cast<std::size_t>(slot)];
    box->setGeometry(placedBallBox(slot));
    if (box->isRound()) {
        box->clipToEllipse(placedEllipse(slot));
    }
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyScale();
}

void BoardView::applyScale(bool rearranged) {
    const layout::Fitted fitted = layout::fitCentred(width(), height(), arrangement_->area);
    const double scale = fitted.scale;
    const QPoint origin(fitted.left, fitted.top);
    if (!rearranged && scale == scale_ && origin == origin_) {
        return;
    }
    // The markers and the rack are drawn for their size in the arrangement as much as the scale.
    const bool rescaled = rearranged || scale != scale_;
    scale_ = scale;
    origin_ = origin;
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        placeBallBox(slot);
    }
    for (const PlacedControl& control : controls_) {
        applyPlacement(control);
    }
    if (rescaled) {
        // The pictures are made again for the new size, so that they are drawn unscaled.
        roundBalls_.clear();
        if (markersLoaded_) {
            readMarkerPictures(picturesRatio_);
        }
        Q_EMIT scaleChanged(scale_);
    }
    update();
}

void BoardView::loadMarkerPictures() {
    picturesRatio_ = devicePixelRatioF();
    readMarkerPictures(picturesRatio_);
    markersLoaded_ = true;
    update();
}

void BoardView::readMarkerPictures(qreal ratio) {
    for (const layout::MarkerDesign& marker : layout::markers()) {
        const auto index = static_cast<std::size_t>(marker.index);
        markerPictures_[index] =
            loadBitmapSized(marker.points, place(arrangement_->markers.at(index)).size(), ratio);
    }
}

void BoardView::makeBallBoxRound(int slot) {
    const auto s = static_cast<std::size_t>(slot);
    const display::PixelRect ellipse = display::ballEllipseRect(
        static_cast<float>(layout::kBallBoxTwips), static_cast<float>(layout::kBallBoxTwips),
        static_cast<float>(layout::kTwipsPerPixel), static_cast<float>(layout::kTwipsPerPixel));
    ellipses_[s] = QSize(ellipse.width, ellipse.height);
    boxes_[s]->clipToEllipse(placedEllipse(slot));
    update(slotPaintRect(slot));
}

void BoardView::placeRing(int slot) {
    ringPlaced_.at(static_cast<std::size_t>(slot)) = true;
    update(slotPaintRect(slot));
}

bool BoardView::ringPlaced(int slot) const {
    return ringPlaced_.at(static_cast<std::size_t>(slot));
}

void BoardView::applySlot(int slot, const layout::SlotView& view) {
    // The controller's view still holds what the slot showed until this call returns; the paint
    // that follows reads the new one from it.
    const layout::SlotView& before = slotView(slot);
    BallBox* box = boxes_[static_cast<std::size_t>(slot)];
    box->setEnabled(view.free);
    box->setVisible(view.shown);
    // An emptied box can stay enabled and on screen until the next refresh hides it; there is no
    // ball in it for the keyboard to reach.
    box->setFocusPolicy(view.occupied ? Qt::StrongFocus : Qt::NoFocus);
    box->setAccessibleName(QString::fromStdString(view.accessibleName));

    if (!before.drawnLike(view)) {
        update(slotPaintRect(slot));
    }
}

bool BoardView::canTakeFocus(int slot) const {
    const BallBox* box = ballBox(slot);
    return box->isEnabled() && box->isVisibleTo(this) && box->focusPolicy() != Qt::NoFocus;
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    // The ball boxes and the felt buttons leave these keys to the board, which hands them to the
    // game: the arrows move between the balls, Enter presses the focused control. Whether a held
    // key presses again is the game's to decide.
    const auto handed =
        std::find_if(kBoardKeys.begin(), kBoardKeys.end(),
                     [event](const auto& entry) { return entry.first == event->key(); });
    std::optional<controller::Key> key;
    if (handed != kBoardKeys.end()) {
        key = handed->second;
    }
    // The game says whether the key was its own (the arrows are, on a ball only); one it did not
    // use goes on to the window.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (key && plain && keyHandler_ && keyHandler_(*key, event->isAutoRepeat())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QRect BoardView::slotPaintRect(int slot) const {
    return toRect(layout::slotPaintRect(*arrangement_, slot, scale_)).translated(origin_);
}

const QPixmap& BoardView::roundBall(int value, QSize ellipse, qreal ratio) {
    const auto key = std::make_tuple(value, ellipse.width(), ellipse.height(),
                                     static_cast<int>(std::lround(ratio * 100)));
    auto found = roundBalls_.find(key);
    if (found != roundBalls_.end()) {
        return found->second;
    }
    // The ball bitmap drawn from the box's top-left corner, larger than the box (which cuts off
    // its right and bottom edges), cut to the box's ellipse with a smoothed edge.
    const double side = pictures::kBallSize * scale_;
    const QPixmap face = loadBitmapSized(value, QSizeF(side, side), ratio);
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
        const auto index = static_cast<std::size_t>(marker.index);
        const QRect where = place(arrangement_->markers.at(index));
        const QPixmap& picture = markerPictures_[index];
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
    if (slotView(slot).selected && ringPlaced_[s]) {
        painter.setPen(QPen(toColor(layout::kRingColour), layout::kRingPenPixels * scale_));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(placedRing(slot)));
    }
}

void BoardView::paintBall(QPainter& painter, int slot) {
    ++slotPaintCount_;
    const auto s = static_cast<std::size_t>(slot);
    const layout::SlotView& view = slotView(slot);
    if (!view.shown) {
        return;
    }
    const QRect box = placedBallBox(slot);
    const QSize ellipse = ellipses_[s].isEmpty() ? box.size() : placedEllipse(slot);
    if (view.occupied && layout::isBallValue(view.value)) {
        painter.drawPixmap(box.topLeft(), roundBall(view.value, ellipse, picturesRatio_));
    } else {
        // An empty box still covers what lies beneath it with the felt.
        painter.setPen(Qt::NoPen);
        painter.setBrush(toColor(layout::kFeltGreen));
        painter.drawEllipse(QRectF(box.topLeft(), QSizeF(ellipse)));
    }
}

}  // namespace zentrix::ui
