#pragma once

#include <QStyle>

class QPainter;
class QPixmap;
class QRect;
class TDBGrid;
class TField;
struct TGridColumn;

// Where a picture starts in a cell to stand centred: half the cell's width
// less half the picture's, truncated toward zero (22 pixels for 16 in 60).
int CentredOffset(int cellWidth, int pictureWidth);

// Draws a cell of the item grid: the invoice and fixed-cost flags as check
// pictures centred in their cells ("S" `check`, "N" `uncheck`, any other
// value, empty included, none), every other cell as the grid draws it.
void DrawItemCell(const TDBGrid& grid, QPainter& painter, const QRect& rect, TField& field,
                  const TGridColumn& column, QStyle::State state, const QPixmap& check,
                  const QPixmap& uncheck);
