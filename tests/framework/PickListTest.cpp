// The pick list: ticks kept in a list string, marking the rows shown, the
// empty text, and cancelling.

#include "framework/widgets/PickList.h"
#include "core/data/DataSource.h"
#include "core/data/EditMask.h"
#include "framework/widgets/frmPesquisa.h"
#include "framework/widgets/frmPesquisaLista.h"
#include "tests/framework/GridTestData.h"
#include "tests/support/CutTexts.h"
#include "tests/support/ModalHook.h"

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

// Both search windows, the pick list's check boxes included: their columns
// show every title and value whole (codes shorter than their title, company
// numbers laid out longer than the field), and a very long name is cut
// rather than make the window wider than an 800x600 desktop.
TEST(SearchWindows, ColumnsShowTheirTitlesAndValuesWholeAndTheWindowFitsTheDesktop) {
    const QString longName = QStringLiteral("Associação dos Formandos ").repeated(6);
    TRecordSet rs({StrField("CDVENDEDOR", 4).Label("Código"),
                   StrField("NRINSJURCLIE", 14).Label("Nr. Inscrição"),
                   StrField("NMFANVEN", 200).Label("Nome")});
    rs.FieldByName(QStringLiteral("NRINSJURCLIE")).OnGetText = [](const TField& f, QString& text,
                                                                  bool) {
        text = FormatMaskText(QStringLiteral("00.000.000/0000-00;0;_"), f.AsString());
    };
    Fill(rs, {{"0001", "11444777000161", "Formandos Direito USP"},
              {"0002", "33000167000101", "Coop. Vale Verde"},
              {"0009", "60701190000104", longName}});
    TDataSource source;
    source.SetDataSet(&rs);

    TfrmPesquisa lookup(&source, QStringLiteral("Vendedores"));
    TfrmPesquisaLista pickList(&source, QString(), QStringLiteral("Vendedores"), QString());
    for (QDialog* window : std::initializer_list<QDialog*>{&lookup, &pickList}) {
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(CutTexts(*window->findChild<QTableView*>()), QStringList{longName});
        // Room left for a window manager's title bar and borders.
        EXPECT_LE(window->frameGeometry().width() + 8, 800);
        EXPECT_LE(window->frameGeometry().height() + 34, 600);
        window->hide();
    }
}
