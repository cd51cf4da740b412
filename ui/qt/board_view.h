// The felt of the main window and everything drawn on it: the location-point markers Image1,
// the selection rings Shape1, and the balls. The 23 ball boxes Picture1 are transparent children
// of the board that take the clicks; the board draws what each of them shows, beneath it, with
// smooth edges at every scale.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <map>
#include <tuple>

#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"

namespace zentrix::ui {

class BallBox;

class BoardView final : public QWidget {
public:
    // What one slot shows.
    using SlotLook = layout::SlotView;

    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    BallBox* ballBox(int slot) const;
    const SlotLook& slotLook(int slot) const;

    // Start-up: the markers' pictures, one ball box clipped to its ellipse, one ring styled and
    // put under its ball.
    void loadMarkerPictures();
    void makeRound(int slot);
    void placeRing(int slot);
    bool ringPlaced(int slot) const;

    // Shows `look` in slot `slot`; repaints only what changed.
    void setSlotLook(int slot, const SlotLook& look);

    // Where things are, in the board's pixels.
    static QRect ballBoxRect(int slot);
    static QRect ringRect(int slot);

    // How many times the board has painted itself, so that an idle game can be seen to leave it
    // alone.
    int paintCount() const { return paintCount_; }
    // How many times a slot (a ball, an empty box or a ring) was drawn.
    int slotPaintCount() const { return slotPaintCount_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect slotPaintRect(int slot) const;
    void paintRing(QPainter& painter, int slot);
    void paintBall(QPainter& painter, int slot);
    const QPixmap& roundBall(int value, QSize ellipse, qreal ratio);
    void readMarkerPictures(qreal ratio);

    std::array<BallBox*, layout::kSlotCount> boxes_{};
    std::array<SlotLook, layout::kSlotCount> looks_{};
    std::array<QSize, layout::kSlotCount> ellipses_{};  // empty until the box is made round
    std::array<bool, layout::kSlotCount> ringPlaced_{};
    std::array<QPixmap, 6> markerPictures_{};
    bool markersLoaded_ = false;
    // Balls already cut round, by value, ellipse and device pixel ratio (in hundredths).
    std::map<std::tuple<int, int, int, int>, QPixmap> roundBalls_;
    qreal picturesRatio_ = 1.0;
    int paintCount_ = 0;
    int slotPaintCount_ = 0;
};

}  // namespace zentrix::ui
