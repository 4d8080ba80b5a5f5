#include "framework/widgets/TransparentBitmap.h"

#include <QBitmap>
#include <QPainter>

QPixmap TransparentPixmap(const QImage& image, std::optional<QColor> transparent) {
    if (image.isNull())
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent ? transparent->rgba() : argb.pixel(0, argb.height() - 1);
    QPixmap pixmap = QPixmap::fromImage(argb);
    // In the mask, the pixels of the key colour are the ones set: they are left out.
    pixmap.setMask(QBitmap::fromImage(argb.createMaskFromColor(key, Qt::MaskInColor)));
    return pixmap;
}

void DrawTransparentBitmap(QPainter& painter, const QPoint& topLeft, const QImage& image,
                           std::optional<QColor> transparent) {
    painter.drawPixmap(topLeft, TransparentPixmap(image, transparent));
}
