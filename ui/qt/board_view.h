// The felt of the main window and everything drawn on it: the location-point markers Image1,
// the selection rings Shape1, and the balls. The 23 ball boxes Picture1 are transparent children
// of the board that take the clicks; the board draws what each of them shows, beneath it, with
// smooth edges at every scale.
//
// The board fills the window's client area. The controls stand where the arrangement in force puts
// them (the form as designed, or one made for a finger on a phone held either way), drawn as one
// piece (balls, rings, markers, and the labels, buttons and bar placed on it) at one uniform
// scale, the largest at which it fits, centred on the felt; at the design size that scale is 1
// and every control stands where the layout puts it.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/controller/form1_controller.h"
#include "ui/layout/arrangement.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"

namespace zentrix::ui {

class BallBox;

class BoardView final : public QWidget {
    Q_OBJECT

public:
    // The board draws what `controller` says the window shows; the controller must outlive it.
    explicit BoardView(const controller::Form1Controller& controller, QWidget* parent = nullptr);
    ~BoardView() override;

    BallBox* ballBox(int slot) const;
    // What slot `slot` shows: the controller's view of it.
    const layout::SlotView& slotView(int slot) const;

    // Start-up: the markers' pictures, one ball box clipped to its ellipse, one ring styled and
    // put under its ball.
    void loadMarkerPictures();
    void makeBallBoxRound(int slot);
    void placeRing(int slot);
    bool ringPlaced(int slot) const;

    // The arrows and Enter that the ball boxes and the felt buttons leave to the board go to
    // `handler`, which says whether the game used the key: what a key means is not the board's
    // to decide.
    using KeyHandler = std::function<bool(controller::Key key, bool autoRepeat)>;
    void setKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }

    // Slot `slot` is to show `view` in place of what the controller's view still holds for it;
    // repaints only what changed.
    void applySlot(int slot, const layout::SlotView& view);

    // Where things are in the form as designed, at the design size, in the board's pixels.
    static QRect ballBoxRect(int slot);
    static QRect ringRect(int slot);

    // The arrangement the controls stand in; a new one places every control again and keeps
    // what each shows.
    const layout::Arrangement& arrangement() const { return *arrangement_; }
    void setArrangement(const layout::Arrangement& arrangement);

    // The scale the design is drawn at now, and where a rectangle of the design (in its pixels)
    // stands on the board at that scale.
    double scale() const { return scale_; }
    QRect place(const layout::PixelRect& design) const;
    QRect placedBallBox(int slot) const;
    QRect placedRing(int slot) const;

    // Puts `control` (a child of the board) where `where` says it stands in the arrangement, in
    // `font` at the arrangement's size for it, scaled with the board when one is given, now and
    // whenever the board is scaled or arranged again.
    using PlaceOf = std::function<layout::TextPlace(const layout::Arrangement&)>;
    void placeControl(QWidget* control, PlaceOf where,
                      const std::optional<layout::FontDesign>& font);

    // Whether ball box `slot` holds a free ball on screen, which the keyboard can reach.
    bool canTakeFocus(int slot) const;

    // How many times a slot (a ball, an empty box or a ring) was drawn.
    int slotPaintCount() const { return slotPaintCount_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The design is now drawn at `scale`.
    void scaleChanged(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct PlacedControl {
        QPointer<QWidget> widget;
        PlaceOf where;
        std::optional<layout::FontDesign> font;
    };

    void applyScale(bool rearranged = false);
    void placeBallBox(int slot);
    void applyPlacement(const PlacedControl& control) const;
    QSize placedEllipse(int slot) const;
    QRect slotPaintRect(int slot) const;
    void paintRing(QPainter& painter, int slot);
    void paintBall(QPainter& painter, int slot);
    const QPixmap& roundBall(int value, QSize ellipse, qreal ratio);
    void readMarkerPictures(qreal ratio);

    const controller::Form1Controller& controller_;
    const layout::Arrangement* arrangement_ = &layout::desktopArrangement();
    KeyHandler keyHandler_;
    std::array<BallBox*, layout::kSlotCount> boxes_{};
    std::array<QSize, layout::kSlotCount> ellipses_{};  // design pixels; empty until made round
    std::array<bool, layout::kSlotCount> ringPlaced_{};
    std::array<QPixmap, 6> markerPictures_{};
    bool markersLoaded_ = false;
    // Balls already cut round at the present scale, by value, ellipse and device pixel ratio (in
    // hundredths).
    std::map<std::tuple<int, int, int, int>, QPixmap> roundBalls_;
    qreal picturesRatio_ = 1.0;
    double scale_ = 1.0;
    QPoint origin_;  // where the design's top-left corner stands on the board
    std::vector<PlacedControl> controls_;
    int slotPaintCount_ = 0;
};

}  // namespace zentrix::ui
