// The felt buttons of Form1, Next Ball and Take Score: owner-drawn buttons painted in the felt
// green with a bevel of their own, a picture above the caption where the design has one, the
// caption embossed while disabled and a dotted focus frame whenever they hold the focus.
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/pictures.h"

namespace zentrix::win32 {

// The button at `at` in `parent`'s client area with `id`, born `enabled` or not; null when
// Windows refuses. It sends BN_SETFOCUS, so that its parent hears where the focus went.
HWND createFeltButton(HWND parent, HINSTANCE instance, int id, const std::wstring& caption,
                      const RECT& at, bool enabled);

// WM_DRAWITEM for a felt button: `picture` (may be empty) drawn `pictureSize` pixels square,
// centred above the caption.
void drawFeltButton(const DRAWITEMSTRUCT& item, HBRUSH felt, const Picture& picture,
                    int pictureSize);

}  // namespace zentrix::win32
