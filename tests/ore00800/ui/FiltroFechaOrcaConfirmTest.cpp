// Confirming writes Filtro and retrieves the list while the dialog is still
// up; cancelling writes nothing; option sets carry the picked lists.

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"

#include "core/data/Exceptions.h"

#include <QListWidget>

namespace {

using FiltroFechaOrcaConfirm = FiltroFechaOrcaTest;

TFiltro Defaults() {
    TFiltro f;
    SetFiltroDefaults(f);
    return f;
}

} // namespace

TEST_F(FiltroFechaOrcaConfirm, ConfirmingTheDefaultsWritesThemAndRetrievesWithTheDialogUp) {
    Filtro.IdSitu = QStringLiteral("23"); // anything but what the dialog will write
    boPesqLista = true;
    const int result = Open([](TfrmFiltroFechaOrca& f) {
        Click(f.chbFechado);
        Click(f, "sbtConfirma");
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(result, TModalForm::mrOk);
    EXPECT_FALSE(boPesqLista);
    ASSERT_EQ(screen->retrievals.size(), 1u);
    EXPECT_TRUE(screen->retrievals[0].filterOnScreen);
    // The retrieval already saw the new criteria.
    EXPECT_EQ(screen->retrievals[0].filtro, Defaults());
    EXPECT_EQ(Filtro, Defaults());
}

TEST_F(FiltroFechaOrcaConfirm, EveryControlReachesFiltroAsTheOperatorLeftIt) {
    Filtro.CdVend = {false, QStringLiteral("0001_0002")}; // picked in an earlier opening
    Filtro.CdServ = {false, QStringLiteral("BUF")};
    Open([](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaDe, QStringLiteral("100"));
        Type(f.medOrcaAte, QStringLiteral("200"));
        Type(f.depDeEvento, QStringLiteral("01052026"));
        Type(f.depAteEvento, QStringLiteral("31052026"));
        Type(f.depDeEntrega, QStringLiteral("01042026"));
        Type(f.depAteEntrega, QStringLiteral("30042026"));
        // "Todos" again: the old pick still travels, the retrieval ignores it.
        Click(f.rbtTVendedor);
        Click(f.chbAprovado);
        Click(f.chbFechado);
        Type(f.edtNovoClie, QStringLiteral("  Maria  "));
        Type(f.edtTitulo, QStringLiteral("Bodas de Prata"));
        Click(f, "sbtConfirma");
    });
    TFiltro expected = Defaults();
    expected.NrOrca = {"0000000100", "0000000200"};
    expected.DtEven = {Day(1, 5), Day(31, 5)};
    expected.DtVali = {Day(1, 4), Day(30, 4)};
    expected.CdVend = {true, "0001_0002"};
    expected.CdServ = {false, "BUF"};
    expected.IdSitu = QStringLiteral("3");
    expected.NmNovoClie = QStringLiteral("  Maria  ");
    expected.DsTitulo = QStringLiteral("Bodas de Prata");
    EXPECT_EQ(Filtro, expected);
}

TEST_F(FiltroFechaOrcaConfirm, AFailedRetrievalStillClosesConfirmedWithTheNewCriteria) {
    boPesqLista = true;
    screen->failRetrieval = [] { throw Exception(QStringLiteral("Servidor indisponível.")); };
    const int result = Open([](TfrmFiltroFechaOrca& f) {
        Click(f.chbFechado);
        Click(f, "sbtConfirma");
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(result, TModalForm::mrOk);
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{"Servidor indisponível."});
    EXPECT_EQ(Filtro.IdSitu, QStringLiteral("23"));
    EXPECT_TRUE(boPesqLista) << "the step after the retrieval did not run";
}

TEST_F(FiltroFechaOrcaConfirm, CancellingKeepsFiltroButThePicksStayInTheModule) {
    Filtro.CdClie = {false, QStringLiteral("F1")};
    const TFiltro before = Filtro;
    boPesqLista = true;
    const int result = Open([](TfrmFiltroFechaOrca& f) {
        stCliente = QStringLiteral("F1_J2"); // as a picker would
        Type(f.edtTitulo, QStringLiteral("outro titulo"));
        Click(f, "sbtCancel");
    });
    EXPECT_EQ(result, TModalForm::mrCancel);
    EXPECT_EQ(Filtro, before);
    EXPECT_FALSE(boPesqLista);
    EXPECT_TRUE(screen->retrievals.empty());
    EXPECT_EQ(stCliente, QStringLiteral("F1_J2"));

    // The next opening loads from Filtro again.
    ASSERT_TRUE(QTest::qWaitFor([] { return frmFiltroFechaOrca == nullptr; }, 5000));
    Open([](TfrmFiltroFechaOrca& f) { Click(f, "sbtCancel"); });
    EXPECT_EQ(stCliente, QStringLiteral("F1"));
}

TEST(FiltroFechaOrcaContaChecked, CountsTheUnderscoresPlusOne) {
    EXPECT_EQ(ContaChecked(QString()), 1);
    EXPECT_EQ(ContaChecked(QStringLiteral("0001")), 1);
    EXPECT_EQ(ContaChecked(QStringLiteral("0001_0002_0003")), 3);
    EXPECT_EQ(ContaChecked(QStringLiteral("__")), 3);
}

namespace {

// Option sets are kept in the business database per screen and operator
// (the fixture's operator, MARIA).
class FiltroFechaOrcaOptions : public FiltroFechaOrcaTest {
protected:
    void SaveAs(TfrmFiltroFechaOrca& f, const QString& name) {
        inWindow = [name](QDialog& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("edtNome")), name);
            Click(w, "btnOK");
        };
        Click(f, "btfSaveOpc");
    }
    // Loads `name`; with an empty name the operator cancels the window.
    void Load(TfrmFiltroFechaOrca& f, const QString& name) {
        inWindow = [name](QDialog& w) {
            if (name.isEmpty()) {
                Click(w, "btnCancelar");
                return;
            }
            auto* list = w.findChild<QListWidget*>(QStringLiteral("lstOpcoes"));
            list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
            Click(w, "btnOK");
        };
        Click(f, "btfLoadOpc");
    }
};

} // namespace

TEST_F(FiltroFechaOrcaOptions, ASetCarriesFivePickedListsAndTheRadiosButNotLabour) {
    Open([this](TfrmFiltroFechaOrca& f) {
        stCliente = QStringLiteral("F1");
        Click(f, "btfLoadOpc"); // nothing saved yet: the picks stay
        EXPECT_EQ(dialogs.Texts(TKind::Information),
                  QStringList{"Não há opções salvas para esta tela."});
        EXPECT_EQ(stCliente, QStringLiteral("F1"));

        stVendedor = QStringLiteral("0001_0009");
        stCliente.clear();
        stProduto = QStringLiteral("11");
        stTipoEven = QStringLiteral("CAS");
        stTipoServ = QStringLiteral("BUF");
        stMaoObra = QStringLiteral("21");
        Click(f.rbtLVendedor);
        SaveAs(f, QStringLiteral("Formaturas"));

        stVendedor = QStringLiteral("outro");
        stCliente = QStringLiteral("J2");
        stProduto.clear();
        stMaoObra = QStringLiteral("22");
        Click(f.rbtTVendedor);
        Load(f, QString()); // cancelled: nothing changes
        EXPECT_EQ(stCliente, QStringLiteral("J2"));
        Load(f, QStringLiteral("Formaturas"));
        EXPECT_EQ((QStringList{stVendedor, stCliente, stProduto, stTipoEven, stTipoServ}),
                  (QStringList{"0001_0009", "", "11", "CAS", "BUF"}));
        EXPECT_EQ(stMaoObra, QStringLiteral("22"));
        EXPECT_TRUE(f.sbtVendedor->isEnabled());
        EXPECT_TRUE(f.isVisible());
    });
}
