// The budget list drawn with a column bound to the closing mark: which
// picture each mark gets, where it starts, and what shows through it.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "framework/widgets/DBGrid.h"

#include <QImage>

using namespace Qt::StringLiterals;
using FechaOrcaListGrid = FechaOrcaTest;

TEST_F(FechaOrcaListGrid, ClosingMarkColumnShowsTheMarksPicture) {
    TfrmFechaOrca& s = Open();
    std::vector<TGridColumn> columns = s.dbgPadrao->Columns();
    columns.insert(columns.begin(), TGridColumn{u"IDMARCADO"_s, {}, 24});
    s.dbgPadrao->SetColumns(columns);
    const QString marks[] = {QString(), u"S"_s, u"s"_s, u"N"_s};
    std::vector<TPacketRow> budgets;
    for (const QString& mark : marks) {
        budgets.push_back(BudgetRow(u"%1"_s.arg(budgets.size()), u"00"_s, u"2"_s));
        budgets.back().push_back({u"IDMARCADO"_s, mark});
    }
    List(s, budgets);

    const QImage image = s.dbgPadrao->viewport()->grab().toImage();
    const QColor black(0, 0, 0), white(255, 255, 255), grey(192, 192, 192);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE("mark \"" + marks[row].toStdString() + "\"");
        const QRect cell = s.dbgPadrao->visualRect(s.dbgPadrao->model()->index(row, 0));
        // The first row is the current one, in the selection's brush.
        const QColor brush = row == 0 ? s.dbgPadrao->palette().color(QPalette::Highlight)
                                      : s.dbgPadrao->palette().color(QPalette::Base);
        // Pixels of the picture, which starts one pixel into the cell.
        auto at = [&](int x, int y) {
            return image.pixelColor(cell.left() + 1 + x, cell.top() + y);
        };
        EXPECT_EQ(at(0, 0), brush); // the olive ground shows the brush
        EXPECT_EQ(at(-1, 5), brush);
        if (marks[row] == u"s") { // no picture and no text: the comparison is exact
            for (int y = 0; y < cell.height() - 1; ++y)
                for (int x = 0; x < cell.width() - 2; ++x)
                    ASSERT_EQ(at(x, y), brush) << x << "," << y;
            continue;
        }
        EXPECT_EQ(at(2, 5), black); // the box's left edge
        const QColor inside = marks[row].isEmpty() ? grey : white;
        EXPECT_EQ(at(8, 11), inside);
        EXPECT_EQ(at(4, 7), marks[row] == u"S" ? black : inside); // the tick
    }
}
