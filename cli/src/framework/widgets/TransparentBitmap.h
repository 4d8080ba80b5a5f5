#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <optional>

class QPainter;
class QPoint;

// Bitmaps drawn with one colour left out (check marks and state images in
// grid cells): the pixels of that colour let the background show. The colour
// is the given one, or else the bitmap's bottom-left pixel.
QPixmap TransparentPixmap(const QImage& image, std::optional<QColor> transparent = {});
void DrawTransparentBitmap(QPainter& painter, const QPoint& topLeft, const QImage& image,
                           std::optional<QColor> transparent = {});
