#pragma once

#include <QColor>
#include <QPixmap>

// The grids' 16 × 16 check pictures, drawn on an olive ground that is
// transparent when they are drawn in a cell.
inline const QColor kCheckTransparent(128, 128, 0);

QPixmap UncheckPicture();  // empty box: "N"
QPixmap CheckPicture();    // box with a tick: "S"
QPixmap DescheckPicture(); // box filled grey: no closing mark
