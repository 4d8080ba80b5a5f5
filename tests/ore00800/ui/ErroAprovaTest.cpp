// The approval-error dialog, driven as the operator would.

#include "framework/widgets/DBGrid.h"
#include "ore/ore00800/Cli_ore00802.h"
#include "ore/ore00800/PictureBox.h"
#include "tests/ore00800/ui/ModalTestUtil.h"

#include "core/data/DataSource.h"
#include "core/data/RecordSet.h"

#include <QBitmap>
#include <QFrame>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<TRecordSet> Products(int rows) {
    auto cds = std::make_unique<TRecordSet>(TFieldDefs{StrField("CDARVPROD", 20).Label("Produto"),
                                                       StrField("NMPRODUTO", 50).Label("Descrição"),
                                                       StrField("CDDEPTO", 3).Hidden()});
    cds->setObjectName(QStringLiteral("cdsErro"));
    cds->CreateDataSet();
    for (int i = 1; i <= rows; ++i) {
        cds->Append();
        cds->FieldByName(QStringLiteral("CDARVPROD"))
            .SetAsString(QStringLiteral("1.01.00%1").arg(i));
        cds->FieldByName(QStringLiteral("NMPRODUTO"))
            .SetAsString(QStringLiteral("Produto %1").arg(i));
        cds->Post();
    }
    cds->First();
    return cds;
}

QStringList Titles(QTableView* grid) {
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return titles;
}

bool Released(const QPointer<QWidget>& dialog) {
    return QTest::qWaitFor([&] { return dialog.isNull(); }, 5000);
}

} // namespace

TEST(ErroAprova, FactoryReturnsOnlyOnceTheOperatorClosedTheDialog) {
    auto cds = Products(2);
    bool returned = false;
    QPointer<QWidget> shown;
    WhenModal([&](QWidget* modal) {
        shown = modal;
        EXPECT_FALSE(returned);
        EXPECT_EQ(modal, frmErroAprova);
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Atenção"));
        auto* memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("memInforma"));
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("Sem departamento: "));
        auto* grid = modal->findChild<QTableView*>(QStringLiteral("dbgMensagem"));
        EXPECT_EQ(grid->model()->rowCount(), 2);
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    CriaErroAprova(cds.get(), QStringLiteral("Sem departamento: "));
    returned = true;
    ASSERT_FALSE(shown.isNull() && shown->isVisible());
    EXPECT_EQ(frmErroAprova, nullptr);
    EXPECT_TRUE(Released(shown));
}

TEST(ErroAprova, EnterClosesFromTheGridAsOkDoesAndOtherKeysDoNot) {
    auto cds = Products(3);
    QPointer<QWidget> shown;
    WhenModal([&](QWidget* modal) {
        shown = modal;
        auto* grid = modal->findChild<QTableView*>(QStringLiteral("dbgMensagem"));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_TRUE(modal->isVisible());
        EXPECT_EQ(cds->RecNo(), 2);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    CriaErroAprova(cds.get(), QString());
    EXPECT_TRUE(Released(shown));
}

TEST(ErroAprova, GridShowsVisibleFieldsByLabelAndFollowsTheRecordSet) {
    auto empty = Products(0);
    QPointer<TfrmErroAprova> dialog = new TfrmErroAprova();
    dialog->dtsProduto->SetDataSet(empty.get());
    EXPECT_EQ(Titles(dialog->dbgMensagem),
              (QStringList{QStringLiteral("Produto"), QStringLiteral("Descrição")}));
    EXPECT_EQ(dialog->dbgMensagem->model()->rowCount(), 0);

    auto cds = Products(4);
    dialog->dtsProduto->SetDataSet(cds.get());
    dialog->show();
    QTableView* grid = dialog->dbgMensagem;
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), QStringLiteral("Produto 2"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(cds->RecNo(), 3);
    cds->Last();
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_EQ(cds->RecNo(), 4);
    delete dialog;
}

TEST(ErroAprova, WindowAndPictureAsDesigned) {
    auto dialog = std::make_unique<TfrmErroAprova>();
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()); // not resizable
    EXPECT_NEAR(double(dialog->width()) / dialog->height(), 3.0, 0.3);
    EXPECT_FALSE(dialog->Panel1->isEnabled());
    EXPECT_EQ(dialog->memInforma->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(dialog->memInforma->toPlainText(),
              QStringLiteral("Não há departamento parametrizado para os seguintes produtos: "));
    EXPECT_EQ(dialog->btnOK->text(), QStringLiteral("&OK"));

    const QImage picture = dialog->imgErroOri->Picture().toImage();
    ASSERT_EQ(picture.size(), QSize(37, 38));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);             // light-grey ground: see-through
    EXPECT_EQ(picture.pixel(6, 12), qRgb(255, 255, 255));  // balloon
    EXPECT_EQ(picture.pixel(17, 14), qRgb(0, 0, 255));     // the letter
    EXPECT_EQ(picture.pixel(34, 16), qRgb(128, 128, 128)); // shadow
}
