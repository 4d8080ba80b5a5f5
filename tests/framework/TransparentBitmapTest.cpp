// Check images drawn over a cell: one colour of the bitmap lets the cell show.

#include "framework/widgets/TransparentBitmap.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A 4x4 magenta bitmap with a black 2x2 square in its top-left corner.
QImage CheckImage() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            image.setPixelColor(x, y, Qt::black);
    return image;
}

QImage DrawnOnWhite(const QImage& bitmap, std::optional<QColor> transparent) {
    QImage cell(6, 6, QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter painter(&cell);
    DrawTransparentBitmap(painter, QPoint(1, 1), bitmap, transparent);
    return cell;
}

} // namespace

TEST(TransparentBitmap, BottomLeftColourOrTheGivenOneLetsTheBackgroundShow) {
    const QImage byCorner = DrawnOnWhite(CheckImage(), std::nullopt);
    EXPECT_EQ(byCorner.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(byCorner.pixelColor(4, 4), QColor(Qt::white)) << "magenta left out";
    EXPECT_EQ(byCorner.pixelColor(0, 0), QColor(Qt::white));

    const QImage byBlack = DrawnOnWhite(CheckImage(), QColor(Qt::black));
    EXPECT_EQ(byBlack.pixelColor(1, 1), QColor(Qt::white)) << "black left out";
    EXPECT_EQ(byBlack.pixelColor(4, 4), QColor(Qt::magenta));
}
