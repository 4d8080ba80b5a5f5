#include "ore/ore00800/CheckImages.h"

#include "framework/widgets/TransparentBitmap.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

enum class TFill { White, Grey };

// A 10-pixel box at (2, 3): black top and left edges, white or grey inside,
// and a light grey shadow one pixel away to its right and below.
QImage Box(TFill fill) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(kCheckTransparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect box(2, 3, 10, 10);
    p.fillRect(box, fill == TFill::White ? QColor(Qt::white) : QColor(192, 192, 192));
    p.setPen(Qt::black);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(QColor(192, 192, 192));
    p.drawLine(box.right() + 2, box.top() + 1, box.right() + 2, box.bottom() + 2);
    p.drawLine(box.left() + 1, box.bottom() + 2, box.right() + 2, box.bottom() + 2);
    return image;
}

} // namespace

QPixmap UncheckPicture() {
    return QPixmap::fromImage(Box(TFill::White));
}

QPixmap CheckPicture() {
    QImage image = Box(TFill::White);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    // A tick two pixels thick: down to the lower third, then up to the right.
    for (int dy = 0; dy < 2; ++dy) {
        p.drawLine(4, 7 + dy, 6, 9 + dy);
        p.drawLine(6, 9 + dy, 10, 5 + dy);
    }
    return QPixmap::fromImage(image);
}

QPixmap DescheckPicture() {
    return QPixmap::fromImage(Box(TFill::Grey));
}

void DrawCheckCell(QPainter& painter, const QRect& cell, const QBrush& brush,
                   const QPixmap* picture, int offset) {
    painter.fillRect(cell, brush);
    if (!picture || picture->isNull())
        return;
    // The ground is replaced by the brush, so the picture keeps the cell's
    // selection colour; a cell lower than the picture shows its top part.
    const QImage image =
        picture->toImage().copy(0, 0, picture->width(), std::min(picture->height(), cell.height()));
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    DrawTransparentBitmap(painter, QPoint(cell.left() + offset, cell.top()), image,
                          kCheckTransparent);
    painter.restore();
}
