#include "ore/ore00800/PictureBox.h"

#include <QPainter>

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TPictureBox::SetPicture(const QPixmap& picture) {
    m_picture = picture;
    updateGeometry();
    update();
}

void TPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}
