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

// Bitmap `number` (1..10 balls, 100..600 markers, 601 the rack) for a screen of this ratio.
// Returns a null pixmap for a number the game does not have.
QPixmap loadBitmap(int number, qreal devicePixelRatio);

// The magenta "7" ball, in both sizes.
QIcon gameIcon();

}  // namespace zentrix::ui
