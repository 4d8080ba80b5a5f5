// The filter dialog as it opens: its controls and their states, the tab
// order, its catalogue, the factory's cursor and lifetime, and the controls
// loaded from Filtro once per opening.

#include "FiltroFechaOrcaTestUtil.h"

#include "BtnPesquisa.h"
#include "DateEditPlus.h"
#include "FiltroMessages.h"
#include "Messages.h"
#include "OleDate.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

using FiltroFechaOrcaLayout = FiltroFechaOrcaTest;

QString Title(QWidget& dialog, const char* box) {
    return dialog.findChild<QGroupBox*>(QLatin1String(box))->title();
}

} // namespace

TEST_F(FiltroFechaOrcaLayout, OpensWithItsCaptionsCodeAndDesignedStates) {
    Open([](TfrmFiltroFechaOrca& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Filtro de Fechamento"));
        EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblCodTela"))->text(),
                  QStringLiteral("ORE00801"));
        const QStringList boxes{"Nr. Orçamento", "Data do Evento",  "Data de Validade", "Vendedor",
                                "Cliente",       "Tipo de Serviço", "Tipo de Evento",   "Produtos",
                                "Mão de Obra",   "Situação"};
        QStringList titles;
        for (const char* name :
             {"grbNrOrca", "grbDtEvento", "grbValidade", "grbVendedor", "grbCliente", "gbrServico",
              "grbEvento", "grbProduto", "grbMaodeObra", "grbSituacao"})
            titles << Title(f, name);
        EXPECT_EQ(titles, boxes);

        // Every list criterion starts on "Todos" with its search disabled.
        for (const char* name :
             {"Vendedor", "Cliente", "TipoServ", "TipoEven", "Produto", "MaoObra"}) {
            auto* todos = f.findChild<QRadioButton*>(QStringLiteral("rbtT") + name);
            auto* lista = f.findChild<QRadioButton*>(QStringLiteral("rbtL") + name);
            ASSERT_TRUE(todos && lista) << name;
            EXPECT_EQ(todos->text(), QStringLiteral("Todos"));
            EXPECT_EQ(lista->text(), QStringLiteral("Lista"));
            EXPECT_TRUE(todos->isChecked()) << name;
        }
        for (QToolButton* search : {f.sbtVendedor, f.sbtCliente, f.sbtFiliDest, f.sbtTipoEven,
                                    f.sbtProduto, f.sbtMaoObra}) {
            EXPECT_FALSE(search->isEnabled()) << search->objectName().toStdString();
            EXPECT_EQ(search->toolTip(), QStringLiteral("Pesquisar"));
        }
        EXPECT_EQ(f.sbtFiliDest->parentWidget(), f.gbrServico);

        // Only approved and closed can be chosen; approved by default.
        QStringList enabled, checked, captions;
        for (QCheckBox* c : f.grbSituacao->findChildren<QCheckBox*>()) {
            captions << c->text();
            if (c->isEnabled())
                enabled << c->objectName();
            if (c->isChecked())
                checked << c->objectName();
        }
        EXPECT_EQ(captions,
                  (QStringList{"Pendente", "Aprovado", "Fechado", "Exec. Produção",
                               "Exec. Materias", "Exec. Totalmente", "Encerrado", "Cancelado"}));
        EXPECT_EQ(enabled, (QStringList{"chbAprovado", "chbFechado"}));
        EXPECT_EQ(checked, QStringList{"chbAprovado"});

        EXPECT_EQ(f.edtCdVendedor->maxLength(), 4);
        EXPECT_FALSE(f.edtNmVendedor->isEnabled());
        EXPECT_EQ(f.btnGerenteSup->toolTip(), QStringLiteral("Pesquisar"));
        EXPECT_EQ(f.findChild<QToolButton*>(QStringLiteral("sbtLimpa"))->toolTip(),
                  QStringLiteral("Desfazer"));
        for (const char* name :
             {"cdsGerenteSup", "cdsVdGerenteSup", "dtsGerenteSup", "msgPadrao", "qryVendedor",
              "qryCliente", "qryProduto", "qryTipoEven", "qryTipoServ", "dtsProduto"})
            EXPECT_TRUE(f.findChild<QObject*>(QLatin1String(name))) << name;
    });
}

TEST_F(FiltroFechaOrcaLayout, BudgetNumbersAreUpperCaseTextOfTenAndDatesNameTheirWeekday) {
    Open([](TfrmFiltroFechaOrca& f) {
        Type(f.medOrcaDe, QStringLiteral("ab12345678999"));
        EXPECT_EQ(f.medOrcaDe->Text(), QStringLiteral("AB12345678"));
        Type(f.depDeEvento, QStringLiteral("07062026"));
        EXPECT_EQ(f.depDeEvento->GetDate(), DateToOle(QDate(2026, 6, 7)));
        EXPECT_EQ(f.depDeEvento->toolTip(), QStringLiteral("Domingo"));
        f.depAteEntrega->SetDate(DateToOle(QDate(2026, 6, 10)));
        EXPECT_EQ(f.depAteEntrega->toolTip(), QStringLiteral("Quarta"));
    });
}

TEST_F(FiltroFechaOrcaLayout, TabRunsThroughTheCriteriaInTheirDesignedOrder) {
    Open([](TfrmFiltroFechaOrca& f) {
        FocusOn(f.medOrcaDe);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 17; ++i) {
            TabFrom(QApplication::focusWidget());
            visited << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(visited, (QStringList{"medOrcaDe", "medOrcaAte", "depDeEvento", "depAteEvento",
                                        "depDeEntrega", "depAteEntrega", "rbtTVendedor",
                                        "rbtTCliente", "rbtTTipoServ", "chbAprovado", "chbFechado",
                                        "rbtTTipoEven", "rbtTProduto", "rbtTMaoObra", "edtNovoClie",
                                        "edtTitulo", "edtCdVendedor", "medOrcaDe"}));
    });
}

TEST_F(FiltroFechaOrcaLayout, CatalogueHoldsItsFortyThreeLinesInOrder) {
    const QStringList lines = FiltroMessageLines();
    ASSERT_EQ(lines.size(), 43);
    EXPECT_EQ(lines.first(), QStringLiteral("CODVERS|Versão não cadastrada."));
    EXPECT_EQ(lines.last(), QStringLiteral("GERENTESUP_N_CAD|Gerente/Supervisor não cadastrado."));
    Open([&](TfrmFiltroFechaOrca& f) {
        auto* catalogue = f.findChild<TMessages*>(QStringLiteral("msgPadrao"));
        EXPECT_EQ(catalogue->Lines(), lines);
        // Keys with ">" and mixed case are looked up as they stand.
        EXPECT_EQ(catalogue->Msg(QStringLiteral("NRINI>NRFIN")),
                  QStringLiteral("Número do orçamento inicial deve ser menor ou igual ao número "
                                 "do orçamento final."));
        EXPECT_EQ(catalogue->Msg(QStringLiteral("LMaoObra")),
                  QStringLiteral("Mão de obra deve ser informada."));
        EXPECT_EQ(catalogue->Msg(QStringLiteral("DTVALINI>DTVALFIN")),
                  QStringLiteral("Data de validade inicial deve ser menor ou igual a data de "
                                 "validade final."));
    });
}

TEST_F(FiltroFechaOrcaLayout, FactoryShowsTheNormalCursorAndLeavesTheResultToTheOpener) {
    QList<Qt::CursorShape> cursors;
    int result = Open([&](TfrmFiltroFechaOrca& f) {
        cursors << QApplication::overrideCursor()->shape();
        EXPECT_TRUE(boIdCriado);
        EXPECT_EQ(frmFiltroFechaOrca, &f);
        EXPECT_TRUE(f.isModal());
        Click(f, "sbtCancel");
    });
    EXPECT_EQ(result, TModalForm::mrCancel);
    EXPECT_EQ(cursors, QList<Qt::CursorShape>{Qt::ArrowCursor});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(boIdCriado); // closed, though still readable until the event is over

    // A failure while the dialog is up leaves no cursor behind either.
    EXPECT_THROW(Open([](TfrmFiltroFechaOrca&) { throw std::runtime_error("falhou"); }),
                 std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::keyClick(frmFiltroFechaOrca, Qt::Key_Escape);
}

TEST_F(FiltroFechaOrcaLayout, ShowingLoadsFiltroOnceAndNotOnComingBackFromABox) {
    Filtro.NrOrca = {QStringLiteral("0000000010"), QStringLiteral("0000000020")};
    Filtro.DtEven = {DateToOle(QDate(2026, 1, 10)), DateToOle(QDate(2026, 1, 31))};
    Filtro.DtVali = {DateToOle(QDate(2025, 12, 1)), DateToOle(QDate(2025, 12, 2))};
    Filtro.CdClie.boTodos = false;
    Filtro.CdClie.stClie = QStringLiteral("F1_J2");
    Filtro.CdObra = {false, QStringLiteral("21")};
    Filtro.CdEven.stTpEven = QStringLiteral("CAS"); // "Todos" with an old pick
    Filtro.IdSitu = QStringLiteral("3");
    Filtro.NmNovoClie = QStringLiteral("Noiva");
    Filtro.DsTitulo = QStringLiteral("Festa");
    Filtro.CdGerenteSup = QStringLiteral("0009");
    Filtro.NmGerenteSup = QStringLiteral("Carla");
    stCliente = QStringLiteral("velho");

    Open([](TfrmFiltroFechaOrca& f) {
        EXPECT_EQ(f.medOrcaDe->Text(), QStringLiteral("0000000010"));
        EXPECT_EQ(f.medOrcaAte->Text(), QStringLiteral("0000000020"));
        EXPECT_EQ(f.depDeEvento->displayText(), QStringLiteral("10/01/2026"));
        EXPECT_EQ(f.depAteEvento->displayText(), QStringLiteral("31/01/2026"));
        // Emptied at creation, then loaded.
        EXPECT_EQ(f.depDeEntrega->displayText(), QStringLiteral("01/12/2025"));
        EXPECT_EQ(f.depAteEntrega->displayText(), QStringLiteral("02/12/2025"));
        EXPECT_TRUE(f.rbtLCliente->isChecked());
        EXPECT_TRUE(f.sbtCliente->isEnabled());
        EXPECT_TRUE(f.rbtLMaoObra->isChecked());
        EXPECT_TRUE(f.sbtMaoObra->isEnabled());
        EXPECT_TRUE(f.rbtTTipoEven->isChecked());
        EXPECT_FALSE(f.sbtTipoEven->isEnabled());
        EXPECT_EQ(stCliente, QStringLiteral("F1_J2"));
        EXPECT_EQ(stMaoObra, QStringLiteral("21"));
        EXPECT_EQ(stTipoEven, QStringLiteral("CAS"));
        EXPECT_FALSE(f.chbAprovado->isChecked());
        EXPECT_TRUE(f.chbFechado->isChecked());
        EXPECT_EQ(f.edtNovoClie->text(), QStringLiteral("Noiva"));
        EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Festa"));
        EXPECT_EQ(f.edtCdVendedor->text(), QStringLiteral("0009"));
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Carla"));

        // The operator's input survives a hide and show (a box, a picker).
        f.edtTitulo->setText(QStringLiteral("Outra"));
        f.hide();
        f.show();
        EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Outra"));
        Click(f, "sbtCancel");
    });
}

TEST_F(FiltroFechaOrcaLayout, EachOpeningGetsAFreshDialog) {
    QPointer<TfrmFiltroFechaOrca> first;
    Open([&](TfrmFiltroFechaOrca& f) {
        first = &f;
        f.edtTitulo->setText(QStringLiteral("não confirmado"));
        Click(f, "sbtCancel");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 5000));
    Open([&](TfrmFiltroFechaOrca& f) {
        EXPECT_EQ(f.edtTitulo->text(), QString());
        Click(f, "sbtCancel");
    });
}
