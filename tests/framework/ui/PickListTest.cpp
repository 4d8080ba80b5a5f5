// The pick list: ticks kept in a list string, marking the rows shown, the
// empty text, and cancelling.

#include "PickList.h"
#include "DataSource.h"
#include "GridTestData.h"
#include "ModalHook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TPickSource {
    TRecordSet rs{ClientDefs()};
    TDataSource source;
    TPickSource() {
        FillClients(rs);
        source.SetDataSet(&rs);
    }
};

QStringList Ticked(QDialog& window) {
    auto* list = window.findChild<QTableView*>(QStringLiteral("grdLista"));
    QStringList codes;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        if (list->model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            codes << list->model()->index(r, 0).data().toString();
    return codes;
}

void Click(QDialog& window, const char* name) {
    QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

TEST(PesquisaLista, StartsFromTheListAndWritesTheTicksAsAListString) {
    TPickSource t;
    QString list = QStringLiteral("000030");
    QStringList startTicked;
    TModalHook hook([&](QDialog& window) {
        startTicked = Ticked(window);
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("edtPesquisa"));
        QTest::keyClicks(search, QStringLiteral("JOAO"));
        Click(window, "btnMarcarTodos"); // only the row shown
        search->clear();
        auto* grid = window.findChild<QTableView*>(QStringLiteral("grdLista"));
        grid->setCurrentIndex(grid->model()->index(3, 0));
        QTest::keyClick(grid, Qt::Key_Space);
        Click(window, "btnOK");
    });
    EXPECT_TRUE(PesquisaLista(&t.source, QStringLiteral("CDCLIENTE"), QStringLiteral("Clientes"),
                              false, list));
    EXPECT_EQ(startTicked, QStringList{"000030"});
    EXPECT_EQ(list, QStringLiteral("000010_000030_A\\_B")) << "in row order, escaped";
}

TEST(PesquisaLista, UntickingAllGivesTheEmptyTextAndCancelKeepsTheList) {
    TPickSource t;
    QString list = QStringLiteral("000010_000020");
    TModalHook cancel([](QDialog& window) {
        Click(window, "btnDesmarcarTodos");
        Click(window, "btnCancelar");
    });
    EXPECT_FALSE(PesquisaLista(&t.source, QStringLiteral("CDCLIENTE"), QStringLiteral("Clientes"),
                               true, list));
    EXPECT_EQ(list, QStringLiteral("000010_000020"));

    TModalHook none([](QDialog& window) {
        Click(window, "btnDesmarcarTodos");
        QTest::keyClick(window.findChild<QLineEdit*>(QStringLiteral("edtPesquisa")),
                        Qt::Key_Return);
    });
    EXPECT_TRUE(PesquisaLista(&t.source, QString(), QStringLiteral("Clientes"), false, list));
    EXPECT_EQ(list, QString());
}

TEST(PesquisaLista, AnEmptyDataSetShowsTheEmptyTextInsteadOfTheList) {
    TRecordSet rs(ClientDefs());
    rs.CreateDataSet();
    TDataSource source;
    source.SetDataSet(&rs);
    QStringList seen;
    TModalHook hook([&](QDialog& window) {
        auto* text = window.findChild<QLabel*>(QStringLiteral("lblVazio"));
        seen << window.windowTitle() << text->text();
        EXPECT_TRUE(text->isVisible());
        EXPECT_FALSE(window.findChild<QTableView*>(QStringLiteral("grdLista"))->isVisible());
    });
    QString list;
    PesquisaLista(&source, QString(), QStringLiteral("Vendedores|Nenhum vendedor na filial."),
                  false, list);
    PesquisaLista(&source, QString(), QStringLiteral("Vendedores"), false, list);
    EXPECT_EQ(seen, (QStringList{"Vendedores", "Nenhum vendedor na filial.", "Vendedores",
                                 "Não há registros para selecionar."}));
}
