// The item grid as it is painted: the invoice and fixed-cost flags as check
// pictures centred in their cells on the cell's own ground, or nothing.

#include "tests/ore00800/ui/FechaOrcaPagesTestUtil.h"

#include "framework/widgets/DBGrid.h"
#include "ore/ore00800/CheckImages.h"

#include <QImage>

namespace {

constexpr int kFaturar = 2;
constexpr int kCustoFixo = 11;

// Every pixel of `cell` in `shot` but its grid lines (right and bottom): the
// picture's own pixels from `offset` pixels in, the ground everywhere else.
void ExpectCell(const QImage& shot, const QRect& cell, const QColor& ground, const QImage* picture,
                int offset) {
    int wrong = 0;
    QString first; // the first pixel that is wrong
    for (int y = cell.top(); y < cell.bottom(); ++y)
        for (int x = cell.left(); x < cell.right(); ++x) {
            QColor expected = ground;
            const QPoint p(x - cell.left() - offset, y - cell.top());
            if (picture && picture->rect().contains(p) &&
                picture->pixelColor(p) != kCheckTransparent)
                expected = picture->pixelColor(p);
            if (shot.pixelColor(x, y) != expected && wrong++ == 0)
                first = QStringLiteral("(%1, %2) is %3, not %4")
                            .arg(x - cell.left())
                            .arg(y - cell.top())
                            .arg(shot.pixelColor(x, y).name(), expected.name());
        }
    EXPECT_EQ(wrong, 0) << first.toStdString();
}

} // namespace

TEST_F(FechaOrcaPages, ItemGridDrawsFlagsCentredOnTheirCellsGround) {
    ListBudgets();
    ClickTab(screen->tshItens);
    TDBGrid* grid = screen->dbgItemOrcaEven;
    const QImage check = CheckPicture().toImage(), uncheck = UncheckPicture().toImage();
    // The current row is selected.
    const QColor selected = grid->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor ground = grid->palette().color(QPalette::Base);
    ASSERT_EQ(grid->columnWidth(kFaturar), 60);
    // An odd width: 30.5 − 8 is cut to 22, not rounded to 23.
    grid->setColumnWidth(kCustoFixo, 61);
    const QImage shot = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const struct {
        int row, column;
        QColor ground;
        const QImage* picture;
        int offset;
    } cells[] = {
        {0, kFaturar, selected, &check, 22},     // "S"
        {0, kCustoFixo, selected, &uncheck, 22}, // "N"
        {1, kFaturar, ground, nullptr, 0},       // empty: no grey box here
        {1, kCustoFixo, ground, &check, 22},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", column " << c.column);
        ExpectCell(shot, grid->visualRect(grid->model()->index(c.row, c.column)), c.ground,
                   c.picture, c.offset);
    }

    // A value other than "S" or "N" shows nothing either.
    Next();
    const QImage child = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ExpectCell(child, grid->visualRect(grid->model()->index(0, kCustoFixo)), selected, nullptr, 0);
}
