#include "ui/win32/form1_controls.h"

#include <commctrl.h>

#include "ui/layout/accessible_names.h"
#include "ui/layout/control_places.h"
#include "ui/win32/felt_button.h"
#include "ui/win32/pictures.h"
#include "ui/win32/text.h"
#include "ui/win32/window_geometry.h"

namespace zentrix::win32 {

namespace {

int menuId(layout::MenuCommand command) {
    switch (command) {
        case layout::MenuCommand::FileNew:
            return kMenuFileNew;
        case layout::MenuCommand::HelpRules:
            return kMenuHelpRules;
        case layout::MenuCommand::HelpAbout:
            return kMenuHelpAbout;
    }
    return 0;
}

// A label's text alignment, by layout::Align: left, centre, right.
DWORD alignStyle(layout::Align align) {
    constexpr std::array<DWORD, 3> kStyles{SS_LEFT, SS_CENTER, SS_RIGHT};
    return kStyles.at(static_cast<std::size_t>(align));
}

HWND createChild(HWND parent, HINSTANCE instance, const wchar_t* className,
                 const std::wstring& text, DWORD style, int id, const RECT& at) {
    return CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, at.left,
                           at.top, at.right - at.left, at.bottom - at.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

UniqueMenu createMenuBar() {
    UniqueMenu bar(CreateMenu());
    for (const layout::MenuDesign& design : layout::menus()) {
        HMENU popup = CreatePopupMenu();
        for (const layout::MenuItemDesign& item : design.items) {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(menuId(item.command)),
                        widen(item.caption).c_str());
        }
        AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    widen(design.caption).c_str());
    }
    return bar;
}

std::optional<layout::MenuCommand> menuCommandOf(int id) {
    for (const layout::MenuDesign& menu : layout::menus()) {
        for (const layout::MenuItemDesign& item : menu.items) {
            if (menuId(item.command) == id) {
                return item.command;
            }
        }
    }
    return std::nullopt;
}

bool Form1Controls::create(HWND parent, HINSTANCE instance, BallBoxHost& host,
                           const BoardPainter& painter, const layout::Form1View& shown) {
    // Made in the design's tab order, which Tab follows among siblings. No two controls overlap,
    // so the order that decides which of two overlapping windows is hit does not matter here.
    const layout::Arrangement& form = layout::desktopArrangement();
    placed_.clear();
    for (const layout::TabStop& stop : layout::tabStops()) {
        const auto at = static_cast<std::size_t>(stop.index);
        const RECT rect = toRect(painter.place(layout::placeOf(form, stop).rect));
        HWND made = nullptr;
        switch (stop.kind) {
            case layout::TabStop::Kind::Ball:
                boxes_[at] = std::make_unique<BallBox>(host, stop.index);
                made = boxes_[at]->create(parent, instance, kFirstBallBoxId + stop.index, rect,
                                          widen(shown.slots[at].accessibleName));
                break;
            case layout::TabStop::Kind::NextBall:
                made = next_ =
                    createFeltButton(parent, instance, kNextBallId,
                                     widen(layout::nextBallButton().caption), rect, true);
                break;
            case layout::TabStop::Kind::TakeScore:
                made = score_ = createFeltButton(parent, instance, kScoreId,
                                                 widen(layout::scoreButton().caption), rect,
                                                 shown.scoreEnabled);
                break;
            case layout::TabStop::Kind::ProgressBar: {
                made = createChild(parent, instance, PROGRESS_CLASSW, L"", WS_VISIBLE,
                                   kProgressBarId, rect);
                const layout::ProgressBarDesign& bar = layout::progressBar();
                SendMessageW(made, PBM_SETRANGE32, static_cast<WPARAM>(bar.minimum), bar.maximum);
                SendMessageW(made, PBM_SETPOS, static_cast<WPARAM>(shown.progressValue), 0);
                if (made != nullptr &&
                    !progressBar_.attach(made, widen(layout::kProgressBarName))) {
                    return false;
                }
                break;
            }
            case layout::TabStop::Kind::Label:
                made =
                    createChild(parent, instance, L"STATIC", widen(shown.labels[at].caption),
                                WS_VISIBLE | SS_NOPREFIX | alignStyle(layout::labels()[at].align),
                                kFirstLabelId + stop.index, rect);
                if (made != nullptr &&
                    !labels_[at].attach(made, widen(shown.labels[at].accessibleName))) {
                    return false;
                }
                break;
        }
        if (made == nullptr) {
            return false;
        }
        placed_.push_back({made, stop, {}});
        place(placed_.back(), painter, false);
    }
    return true;
}

void Form1Controls::place(const BoardPainter& painter) {
    // A control redraws with its new font only where it can be seen already.
    const bool redraw = !placed_.empty() && IsWindowVisible(GetParent(placed_.front().window));
    for (Placed& control : placed_) {
        place(control, painter, redraw);
    }
}

void Form1Controls::place(Placed& control, const BoardPainter& painter, bool redraw) {
    const layout::ControlPlace where = layout::placeOf(layout::desktopArrangement(), control.stop);
    const layout::PixelRect at = painter.place(where.rect);
    const RECT wanted = toRect(at);
    RECT now{};
    GetWindowRect(control.window, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(control.window), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &wanted) == FALSE) {
        SetWindowPos(control.window, nullptr, at.x, at.y, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (where.font != nullptr) {
        // The control takes its new font before the old one is deleted.
        UniqueFont font = createFont(*where.font, painter.scale());
        SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()),
                     redraw ? TRUE : FALSE);
        control.font = std::move(font);
    }
}

bool Form1Controls::makeRound(double scale) {
    // Twips per pixel as the window is drawn: 15 at the design's own size.
    const auto twipsPerPixel = static_cast<float>(layout::kTwipsPerPixel / scale);
    for (const auto& box : boxes_) {
        // A square ball would take clicks meant for its neighbours' rings and the felt, so the
        // game does not start with one.
        if (!box->clipToEllipse(static_cast<float>(layout::kBallBoxTwips), twipsPerPixel)) {
            return false;
        }
    }
    return true;
}

HWND Form1Controls::controlOf(const controller::Focus& focus) const {
    return controller::controlFor<HWND>(
        focus, [this](int slot) { return ballBox(slot).hwnd(); }, next_, score_);
}

}  // namespace zentrix::win32
