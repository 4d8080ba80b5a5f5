#include "framework/widgets/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace {

const QColor kInk(60, 60, 60);

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - 3 * d + 2.5 * n);
    p.drawLine(to, to - 3 * d - 2.5 * n);
}

// Draws on a 16 × 16 grid.
void Draw(QPainter& p, TToolIcon icon) {
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (icon) {
    case TToolIcon::Edit: { // a pencil
        QPainterPath body;
        body.moveTo(3, 13);
        body.lineTo(4, 10);
        body.lineTo(11.5, 2.5);
        body.lineTo(13.5, 4.5);
        body.lineTo(6, 12);
        body.closeSubpath();
        p.setBrush(QColor(240, 190, 60));
        p.drawPath(body);
        p.drawLine(QPointF(4, 10), QPointF(6, 12));
        break;
    }
    case TToolIcon::Sort: // lines getting shorter, and an arrow down
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(2, 3.5 + 3 * i), QPointF(9 - 2 * i, 3.5 + 3 * i));
        p.setPen(QPen(QColor(30, 110, 200), 1.5, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(12.5, 2), QPointF(12.5, 14));
        break;
    case TToolIcon::Print: // a printer with a sheet in it and one coming out
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 5), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
        p.drawLine(QPointF(6, 13), QPointF(9, 13));
        break;
    case TToolIcon::Exit: // a door, and an arrow going out of it
        p.setBrush(QColor(185, 130, 80));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(QColor(200, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
        Arrow(p, QPointF(7, 8), QPointF(14.5, 8));
        break;
    }
}

} // namespace

QIcon ToolIcon(TToolIcon icon) {
    QIcon out;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        Draw(p, icon);
        p.end();
        out.addPixmap(pixmap);
    }
    return out;
}
