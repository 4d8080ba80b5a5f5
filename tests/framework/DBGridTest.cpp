// The data grid: what it reads, how its current row and the data set's
// current record follow each other, what it shows, keys and drawing.

#include "framework/widgets/DBGrid.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/widgets/DataSetTableModel.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "tests/framework/GridTestData.h"
#include "tests/support/FakeDialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QPoint CellCenter(const TDBGrid& grid, int row, int column) {
    return grid.visualRect(grid.model()->index(row, column)).center();
}

QString Cell(const TDBGrid& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

// A grid over the clients, on a window with an edit to take the focus away.
struct TClientGrid {
    TRecordSet rs{ClientDefs()};
    TDataSource source;
    QWidget window;
    TDBGrid* grid = new TDBGrid(&window);
    QLineEdit* other = new QLineEdit(&window);

    TClientGrid() {
        FillClients(rs);
        rs.MergeChangeLog();
        rs.First();
        source.SetDataSet(&rs);
        grid->SetDataSource(&source);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        window.resize(500, 300);
        window.show();
        QApplication::setActiveWindow(&window); // focus moves need an active window
        grid->setFocus();
    }
};

// Generated rows behind a source, counting the rows read.
struct TGeneratedRows {
    TCountingRecordSet rs{CodeNameDefs()};
    TDataSource source;

    explicit TGeneratedRows(int count) {
        rs.OpenGenerated(count);
        source.SetDataSet(&rs);
    }
};

} // namespace

TEST(DBGrid, LargeDataSetReadsOnlyTheRowsShown) {
    TGeneratedRows rows(50000);
    TCountingRecordSet& rs = rows.rs;
    TDBGrid grid;
    grid.resize(500, 300);
    grid.SetDataSource(&rows.source);
    EXPECT_EQ(grid.model()->rowCount(), 50000);
    EXPECT_TRUE(rs.reads.empty()) << "attaching must not read rows";

    grid.show();
    const int shownRows = grid.viewport()->height() / grid.rowHeight(0) + 2;
    const size_t shownCells = size_t(shownRows * grid.model()->columnCount());
    grid.grab();
    EXPECT_FALSE(rs.reads.empty());
    EXPECT_LE(rs.reads.size(), shownCells);
    EXPECT_LE(*std::max_element(rs.reads.begin(), rs.reads.end()), shownRows);

    // The operator goes to the end: the data set follows, only the last rows are read.
    rs.reads.clear();
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(rs.RecNo(), 50000);
    grid.grab();
    EXPECT_FALSE(rs.reads.empty());
    EXPECT_LE(rs.reads.size(), shownCells);
    EXPECT_GT(*std::min_element(rs.reads.begin(), rs.reads.end()), 50000 - shownRows);
}

TEST(DBGrid, CurrentRowAndCurrentRecordFollowEachOther) {
    TClientGrid t;
    TDBGrid& grid = *t.grid;
    EXPECT_EQ(grid.currentIndex().row(), 0);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 2, 1));
    EXPECT_EQ(t.rs.RecNo(), 3);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(t.rs.RecNo(), 4);

    t.rs.SetRecNo(2);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.currentIndex().column(), 1) << "the column stays";
    t.rs.Last();
    EXPECT_EQ(grid.currentIndex().row(), 3);

    // The indicator marks the current record and its state.
    auto mark = [&](int row) { return grid.model()->headerData(row, Qt::Vertical).toString(); };
    EXPECT_EQ(mark(3), QStringLiteral("▶"));
    EXPECT_EQ(mark(0), QString());
    t.rs.Edit();
    EXPECT_EQ(mark(3), QStringLiteral("I"));
    t.rs.Cancel();
}

// A grid on a page not shown follows the data set's moves, and shows the
// current row when the operator opens its page.
TEST(DBGrid, OnAPageNotShownItShowsTheCurrentRowWhenOpened) {
    TGeneratedRows rows(50000);
    TCountingRecordSet& rs = rows.rs;
    TPageControl pages;
    auto* first = new TTabSheet(&pages, QStringLiteral("Cabeçalho"));
    auto* second = new TTabSheet(&pages, QStringLiteral("Lista"));
    auto* grid = new TDBGrid(second);
    (new QVBoxLayout(second))->addWidget(grid);
    grid->SetDataSource(&rows.source);
    pages.resize(500, 300);
    pages.show();
    ASSERT_TRUE(first->isVisible());
    ASSERT_FALSE(grid->isVisible());

    QTabBar* bar = pages.tabBar();
    auto open = [&](TTabSheet* page) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page->PageIndex()).center());
        grid->grab();
    };
    for (int recNo : {50000, 20000, 1}) {
        SCOPED_TRACE(recNo);
        rs.SetRecNo(recNo);
        EXPECT_EQ(grid->currentIndex().row(), recNo - 1);
        rs.reads.clear();
        open(second);
        const QRect row = grid->visualRect(grid->currentIndex());
        EXPECT_TRUE(grid->viewport()->rect().contains(row)) << row.y();
        ASSERT_FALSE(rs.reads.empty());
        EXPECT_LE(*std::max_element(rs.reads.begin(), rs.reads.end()), recNo + 20);
        EXPECT_GE(*std::min_element(rs.reads.begin(), rs.reads.end()), recNo - 20);
        open(first);
    }
}

TEST(DBGrid, AMoveTheDataSetRefusesLeavesTheGridOnItsRecord) {
    TFakeDialogs dialogs;
    TClientGrid t;
    t.rs.AfterPost = [](TDataSet&) { throw Exception(QStringLiteral("Nome inválido.")); };
    t.rs.Edit();
    t.rs.FieldByName("NMCLIENTE").SetAsString(QStringLiteral("Outro"));

    QTest::mouseClick(t.grid->viewport(), Qt::LeftButton, {}, CellCenter(*t.grid, 2, 1));
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("Nome inválido.")});
    EXPECT_EQ(t.rs.RecNo(), 1);
    QApplication::processEvents(); // the grid goes back once the click is done
    EXPECT_EQ(t.grid->currentIndex().row(), 0);
}

TEST(DBGrid, ColumnsComeFromVisibleFieldsOrFromTheDeclaredOnes) {
    TRecordSet rs({StrField("CDCLIENTE", 6).Label("Código"), StrField("NMCLIENTE", 30),
                   FloatField("VRLIMITE").Format("#,##0.00"), StrField("IDINTERNO", 1).Hidden()});
    Fill(rs, {{"000010", "joão", 1234.5, "X"}});
    rs.FieldByName("NMCLIENTE").OnGetText = [](const TField& f, QString& text, bool) {
        text = f.AsString().toUpper();
    };
    TDataSource source;
    source.SetDataSet(&rs);
    TDBGrid grid;
    grid.SetDataSource(&source);

    QAbstractItemModel& m = *grid.model();
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("NMCLIENTE"));
    EXPECT_EQ(Cell(grid, 0, 1), QStringLiteral("JOÃO"));
    EXPECT_EQ(Cell(grid, 0, 2), QStringLiteral("1.234,50"));
    EXPECT_TRUE(Qt::Alignment(m.index(0, 2).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
    EXPECT_GT(grid.columnWidth(1), grid.columnWidth(0)) << "sized by the field";

    TDBGrid::TColumn name;
    name.FieldName = QStringLiteral("nmcliente");
    name.Title = QStringLiteral("Cliente");
    name.Width = 123;
    name.Alignment = Qt::AlignRight;
    TDBGrid::TColumn code;
    code.FieldName = QStringLiteral("CDCLIENTE");
    code.Visible = false;
    TDBGrid::TColumn limit;
    limit.FieldName = QStringLiteral("VRLIMITE");
    grid.SetColumns({name, code, limit});
    ASSERT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Cliente"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("VRLIMITE"));
    EXPECT_EQ(grid.columnWidth(0), 123);
    EXPECT_EQ(Cell(grid, 0, 0), QStringLiteral("JOÃO"));
    EXPECT_EQ(grid.SelectedField(), &rs.FieldByName("NMCLIENTE"));
}

TEST(DBGrid, FollowsEditsReloadsAndClosing) {
    TClientGrid t;
    QAbstractItemModel& m = *t.grid->model();
    t.rs.SetRecNo(2);
    t.rs.Edit();
    t.rs.FieldByName("NMCLIENTE").SetAsString(QStringLiteral("Maria das Dores"));
    EXPECT_EQ(Cell(*t.grid, 1, 1), QStringLiteral("Maria das Dores"));
    t.rs.Post();

    t.rs.Delete();
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(t.grid->currentIndex().row(), t.rs.RecNo() - 1);

    t.rs.SetData(ServerPacket(ClientDefs(), {{"000099", "Novo", "X"}}));
    EXPECT_EQ(m.rowCount(), 1);
    EXPECT_EQ(Cell(*t.grid, 0, 0), QStringLiteral("000099"));
    EXPECT_EQ(t.grid->currentIndex().row(), 0);

    t.rs.Close();
    EXPECT_EQ(m.rowCount(), 0);
}

TEST(DBGrid, KeyHandlerRunsFirstAndCanConsumeTheKey) {
    TFakeDialogs dialogs;
    TClientGrid t;
    std::vector<int> seen;
    t.grid->OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        seen.push_back(key);
        if (key == Qt::Key_F2)
            throw EAbort();
        if (key == Qt::Key_F3)
            throw Exception(QStringLiteral("Tecla não permitida."));
        if (key == Qt::Key_Down && t.rs.RecNo() == 2)
            key = 0;
    };
    QTest::keyClick(t.grid, Qt::Key_Down);
    QTest::keyClick(t.grid, Qt::Key_Down);
    EXPECT_EQ(t.rs.RecNo(), 2) << "a key set to 0 is consumed";
    QTest::keyClick(t.grid, Qt::Key_F2);
    QTest::keyClick(t.grid, Qt::Key_F3);
    EXPECT_EQ(seen, (std::vector<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_F2, Qt::Key_F3}));
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("Tecla não permitida.")});
}

TEST(DBGrid, CtrlDeleteAsksAndEscapeCancelsTheEdit) {
    TFakeDialogs dialogs;
    TClientGrid t;
    t.rs.SetRecNo(2);
    dialogs.Answer(false);
    QTest::keyClick(t.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(t.rs.RecordCount(), 4);
    dialogs.Answer(true);
    QTest::keyClick(t.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(t.rs.RecordCount(), 3);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::YesNo).size(), 2);

    t.grid->SetOptions(t.grid->Options() & ~TGridOptions(TGridOption::ConfirmDelete));
    QTest::keyClick(t.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(t.rs.RecordCount(), 2);
    EXPECT_EQ(dialogs.Texts(TFakeDialogs::TKind::YesNo).size(), 2)
        << "no question without the option";

    t.grid->SetOptions(t.grid->Options() & ~TGridOptions(TGridOption::Editing));
    QTest::keyClick(t.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(t.rs.RecordCount(), 2) << "read-only grid";

    t.rs.Edit();
    QTest::keyClick(t.grid, Qt::Key_Escape);
    EXPECT_EQ(t.rs.State(), TDataSetState::Browse);
}

TEST(DBGrid, LeavingDropsAnUntouchedInsertOnly) {
    TClientGrid t;
    ASSERT_TRUE(t.grid->hasFocus());
    t.rs.Append();
    t.other->setFocus();
    EXPECT_EQ(t.rs.State(), TDataSetState::Browse);
    EXPECT_EQ(t.rs.RecordCount(), 4);

    t.grid->setFocus();
    t.rs.Append();
    t.rs.FieldByName("CDCLIENTE").SetAsString(QStringLiteral("000050"));
    t.other->setFocus();
    EXPECT_EQ(t.rs.State(), TDataSetState::Insert);
}

TEST(DBGrid, OptionsShapeTheGrid) {
    TClientGrid t;
    TDBGrid& grid = *t.grid;
    EXPECT_TRUE(grid.horizontalHeader()->isVisible());
    EXPECT_TRUE(grid.verticalHeader()->isVisible());
    grid.SetOptions(TGridOption::RowSelect);
    EXPECT_FALSE(grid.horizontalHeader()->isVisible());
    EXPECT_FALSE(grid.verticalHeader()->isVisible());
    t.rs.SetRecNo(3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid.tabKeyNavigation());
}

TEST(DBGrid, OwnerDrawingSeesThePaintedRowsFields) {
    TClientGrid t;
    QStringList drawn;
    t.grid->OnDrawColumnCell = [&](QPainter& p, const QRect& rect, TField& field,
                                   const TDBGrid::TColumn& column, QStyle::State state) {
        if (field.FieldName() == QLatin1String("NMCLIENTE"))
            drawn << field.AsString();
        t.grid->DefaultDrawColumnCell(p, rect, field, column, state);
    };
    t.grid->grab();
    drawn.removeDuplicates();
    EXPECT_EQ(drawn,
              (QStringList{"JOÃO DA SILVA", "Maria Conceição", "Ana Lúcia", "Eventos \\ Festas"}));
    EXPECT_EQ(t.rs.RecNo(), 1) << "drawing does not move the data set";
}
