// The game's pictures, read from the resources built into the program.
//
// Every picture comes in two drawings: the classic one (the 1x bitmaps) and one at double size for
// high-density screens. The loaders hand out the drawing that suits a device pixel ratio, marked
// with its own ratio, so Qt draws it at the classic size either way.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zentrix::ui {

// The picture at `classic`, or the one at `large` (drawn at double size) on a screen whose ratio
// asks for it.
QPixmap loadPicture(const QString& classic, const QString& large, qreal devicePixelRatio);

// Bitmap `number` (1..10 balls, 100..600 markers, 601 the rack) drawn `size` large in the window's
// pixels, on a screen of this ratio: made from the classic drawing, or from the double-size one
// once the picture is shown at one and a half times its classic size or more, and smoothly scaled
// to exactly the screen pixels it covers, so that it is drawn without any further scaling and stays
// crisp. At the classic size on an ordinary screen it is the classic bitmap itself. Null for a
// number the game does not have.
QPixmap loadBitmapSized(int number, QSizeF size, qreal devicePixelRatio);

// The magenta "7" ball, in both sizes.
QIcon gameIcon();

}  // namespace zentrix::ui
