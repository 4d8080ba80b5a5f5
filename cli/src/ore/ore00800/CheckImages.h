#pragma once

#include <QColor>
#include <QPixmap>

class QBrush;
class QPainter;
class QRect;

// The grids' 16 × 16 check pictures, drawn on an olive ground that is
// transparent when they are drawn in a cell.
inline const QColor kCheckTransparent(128, 128, 0);

QPixmap UncheckPicture();  // empty box: "N"
QPixmap CheckPicture();    // box with a tick: "S"
QPixmap DescheckPicture(); // box filled grey: no closing mark

// Draws a grid cell that shows a check picture: the cell filled with the
// cell's brush, then the picture (if any) from `offset` pixels right of the
// cell's left edge, at its top, cut to the cell and never stretched, with the
// olive ground showing the brush.
void DrawCheckCell(QPainter& painter, const QRect& cell, const QBrush& brush,
                   const QPixmap* picture, int offset);
