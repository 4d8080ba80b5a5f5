#include "ore/ore00800/ErroOriPicture.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

const QRgb kGround = qRgb(192, 192, 192);
const QRgb kShadow = qRgb(128, 128, 128);
const QRgb kLetter = qRgb(0, 0, 255);

// The 16 colours of the classic display palette.
QList<QRgb> SixteenColours() {
    return {qRgb(0, 0, 0),   qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128), qRgb(128, 0, 128), qRgb(0, 128, 128), kShadow,
            kGround,         qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            kLetter,         qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

void DrawBalloon(QPainter& p, QPoint offset) {
    p.save();
    p.translate(offset);
    p.drawEllipse(QRect(2, 1, 31, 23));
    p.drawPolygon(QPolygon({QPoint(10, 21), QPoint(7, 32), QPoint(18, 23)}));
    p.restore();
}

} // namespace

QPixmap ErroOriPicture() {
    QImage image(37, 38, QImage::Format_RGB32);
    image.fill(kGround);
    {
        QPainter p(&image);
        // No antialiasing: every pixel must be one of the 16 colours.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kShadow));
        DrawBalloon(p, QPoint(3, 3));
        p.setPen(QColor(Qt::black));
        p.setBrush(QColor(Qt::white));
        DrawBalloon(p, QPoint(0, 0));
        // The outline of the tail would cut the balloon: paint its joint over.
        p.setPen(Qt::NoPen);
        p.drawRect(QRect(11, 19, 7, 4));
        p.setBrush(QColor(kLetter));
        p.drawRect(QRect(16, 4, 4, 3));  // dot
        p.drawRect(QRect(16, 9, 4, 10)); // stem
        p.drawRect(QRect(14, 9, 2, 2));  // serif
        p.drawRect(QRect(14, 18, 8, 2)); // foot
    }
    const QImage sixteen =
        image.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::ThresholdDither);
    QPixmap pixmap = QPixmap::fromImage(sixteen);
    pixmap.setMask(pixmap.createMaskFromColor(QColor(kGround), Qt::MaskInColor));
    return pixmap;
}
