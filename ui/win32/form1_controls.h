// Form1's controls as Windows windows: the 23 round ball boxes, the two felt buttons, the seven
// labels and the countdown bar, made in the design's tab order and placed, with their fonts, from
// one table: the controls in tab order, each where the arrangement puts it at the window's scale.
// The same table places them when they are made and again whenever the scale changes.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "ui/controller/form1_controller.h"
#include "ui/layout/arrangement.h"
#include "ui/layout/form1_view.h"
#include "ui/win32/accessible_name.h"
#include "ui/win32/ball_box.h"
#include "ui/win32/board_painter.h"
#include "ui/win32/handles.h"

namespace zentrix::win32 {

// Control and menu identifiers, for GetDlgItem and WM_COMMAND. None is 1 or 2, which dialog
// navigation sends for Enter and Escape.
inline constexpr int kMenuFileNew = 101;
inline constexpr int kMenuHelpRules = 102;
inline constexpr int kMenuHelpAbout = 103;
inline constexpr int kNextBallId = 200;       // cmdNext
inline constexpr int kScoreId = 201;          // cmdScore
inline constexpr int kProgressBarId = 202;    // ProgressBar1
inline constexpr int kFirstLabelId = 301;     // Label1; Label7 is 307
inline constexpr int kFirstBallBoxId = 1000;  // Picture1(slot) is 1000 + slot

// The menu bar as designed: plain captions, no access keys, no accelerators, no separators.
UniqueMenu createMenuBar();
// The design's command for a WM_COMMAND menu id, if it is one.
std::optional<layout::MenuCommand> menuCommandOf(int id);

class Form1Controls {
public:
    // Every control, made in tab order inside `parent` where the desktop arrangement puts it at
    // `painter`'s scale, showing `shown`, with its font. False when Windows refuses one.
    bool create(HWND parent, HINSTANCE instance, BallBoxHost& host, const BoardPainter& painter,
                const layout::Form1View& shown);
    // Every control and its font at `painter`'s scale, from the same table; a control that is
    // in its place already is not moved.
    void place(const BoardPainter& painter);
    // Every ball box clipped to its circle at `scale`. False when one does not come out round.
    bool makeRound(double scale);
    // The window and its controls are gone.
    void forget() { next_ = score_ = nullptr; }

    BallBox& ballBox(int slot) const { return *boxes_[static_cast<std::size_t>(slot)]; }
    NamedControl& label(int index) { return labels_[static_cast<std::size_t>(index)]; }
    HWND label(int index) const { return labels_[static_cast<std::size_t>(index)].hwnd(); }
    HWND progressBar() const { return progressBar_.hwnd(); }
    HWND nextButton() const { return next_; }
    HWND scoreButton() const { return score_; }
    // The control that stands for `focus`, or null.
    HWND controlOf(const controller::Focus& focus) const;

private:
    struct Placed {
        HWND window = nullptr;
        layout::TabStop stop;
        UniqueFont font;  // at the scale it was last placed at
    };
    // Moves `control` where it belongs at `painter`'s scale, and gives it its font there.
    static void place(Placed& control, const BoardPainter& painter, bool redraw);

    std::vector<Placed> placed_;  // in tab order
    std::array<std::unique_ptr<BallBox>, layout::kSlotCount> boxes_;
    // The labels and the countdown bar, with the names a screen reader reads for them.
    std::array<NamedControl, 7> labels_;
    NamedControl progressBar_;
    HWND next_ = nullptr;
    HWND score_ = nullptr;
};

}  // namespace zentrix::win32
