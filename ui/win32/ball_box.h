// One ball box, Picture1(slot): a child window clipped to the ellipse inscribed in it, which
// takes the focus, the clicks and the keys meant for its ball and leaves the drawing and every
// decision to its host (Form1). A screen reader hears it as a push button with its name ("Ball
// 5, free").
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/controller/form1_controller.h"
#include "ui/win32/window_object.h"

namespace zentrix::win32 {

inline constexpr const wchar_t* kBallBoxClass = L"ZentrixBallBox";

class BallBoxHost {
public:
    // A click released inside the ball; `clickCount` is 2 for the second press of a double-click.
    virtual void ballBoxClicked(int slot, int clickCount) = 0;
    // A key the box takes for the board (arrows, Space, Enter), `autoRepeat` when a held key
    // repeats it; returns whether it was used.
    virtual bool ballBoxKey(int slot, controller::Key key, bool autoRepeat) = 0;
    // The box has taken the keyboard focus.
    virtual void ballBoxFocused(int slot) = 0;
    // Paints the box's whole client area.
    virtual void paintBallBox(int slot, HDC dc, const RECT& client, bool focused) = 0;
    // A handler of the box failed.
    virtual void ballBoxFailed(const std::string& what) = 0;

protected:
    ~BallBoxHost() = default;
};

class BallBox final : public WindowObject {
public:
    BallBox(BallBoxHost& host, int slot) : host_(host), slot_(slot) {}
    ~BallBox();

    // Registers the class, once per program.
    static bool registerClass(HINSTANCE instance);
    // The box at `at` in `parent`'s client area, with `id` as its control id and `name` as its
    // text and accessible name, disabled until a free ball lies in it. Null when Windows refuses.
    HWND create(HWND parent, HINSTANCE instance, int id, const RECT& at, std::wstring name);

    // Renames the box, its text and what a screen reader reads; nothing when unchanged.
    void rename(std::wstring_view name);

    // Clips the box to the ellipse inscribed in its `widthTwips` square at `twipsPerPixel`.
    // False when the box did not come out round.
    bool clipToEllipse(float sizeTwips, float twipsPerPixel);

    int slot() const { return slot_; }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void failed(const std::string& what) override { host_.ballBoxFailed(what); }

    void onPaint();
    void onMouseDown(bool doubleClick);
    void onMouseUp(LPARAM at);
    bool onKeyDown(WPARAM key, LPARAM flags);

    BallBoxHost& host_;
    int slot_;
    int clickCount_ = 1;  // of the press the mouse is captured for
    std::wstring name_;
};

}  // namespace zentrix::win32
