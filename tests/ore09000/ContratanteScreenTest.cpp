// Screen ORE09000 driven as an operator drives it, on the demo database.

#include "tests/ore09000/ContratanteTestUtil.h"

#include "core/db/SqlStatement.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBGrid.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

QString ContratanteScreenTest::Stored(int numero, const QString& cliente) {
    TSqlStatement st(*SharedDatabase(),
                     QStringLiteral("SELECT IDSITUCONTOREV, VRRECECONTOREV, QTCONVCONTOREV, "
                                    "CDEMPRESA FROM CONTRATORCA WHERE CDFILIAL = '0001' AND "
                                    "NRORCAEVENTO = :N AND NRSEQORCAEVE = '00' AND "
                                    "CDCLIENCONTORCA = :C"));
    st.Exec({{QStringLiteral("N"), QString::number(numero).rightJustified(10, u'0')},
             {QStringLiteral("C"), cliente}});
    if (!st.Next())
        return QStringLiteral("<nenhum>");
    return QStringLiteral("%1|%2|%3|%4")
        .arg(st.Value(0).toString(), st.Value(1).toString(), st.Value(2).toString(),
             st.Value(3).toString());
}

namespace {

QString Figures(const std::initializer_list<QLabel*> labels) {
    QStringList t;
    for (QLabel* l : labels)
        t << l->text();
    return t.join(u' ');
}

TEST_F(ContratanteScreenTest, WrongParametersOrAnUnknownBudgetAreRefusedWithASentence) {
    const QVariantList tres = {QStringLiteral("0001"), QStringLiteral("0000001029"),
                               QStringLiteral("00")};
    struct Case {
        QVariantList params;
        const char* message;
    } cases[] = {
        {tres, "A tela ORE09000 espera 4 parâmetros e recebeu 3."},
        {tres + QVariantList{QStringLiteral("ORE00800"), 1},
         "A tela ORE09000 espera 4 parâmetros e recebeu 5."},
        {{QStringLiteral("0001"), 1029, QStringLiteral("00"), QStringLiteral("ORE00800")},
         "O parâmetro 2 (NRORCAEVENTO) da tela ORE09000 deve ser um texto."},
        {tres + QVariantList{true},
         "O parâmetro 4 (stTelaOrig) da tela ORE09000 deve ser um texto."},
        {Params(9999), "O orçamento 0000009999-00 da filial 0001 não foi encontrado."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        bool opened = false;
        try {
            Open(c.params, [&] { opened = true; });
            ADD_FAILURE() << "opened";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message));
        }
        EXPECT_FALSE(opened);
    }
}

// 1029 has one active client with the whole total; 1010 expects two clients
// and has one.
TEST_F(ContratanteScreenTest, ListsTheClientsAndSetsTheBudgetAgainstTheActiveOnesOnly) {
    Open(Params(1029), [&] {
        EXPECT_EQ(s->windowTitle(), QStringLiteral("ORE09000 - Contratantes do Orçamento"));
        EXPECT_LE(s->frameGeometry().width(), 800);
        EXPECT_LE(s->frameGeometry().height(), 600);
        EXPECT_EQ(s->grdContratantes->model()->rowCount(), 1);
        EXPECT_EQ(Figures({s->lblVrTotalOrca, s->lblVrSomaAtivos, s->lblVrDiferenca}),
                  QStringLiteral("10.000,00 10.000,00 0,00"));
        EXPECT_TRUE(s->lblSomenteLeitura->isHidden());
        Click(s->btnFechar);
    });
    // Cancel the one client: nothing active is left to count.
    dialogs.Answer(true);
    Open(Params(1029), [&] {
        Click(s->btnCancelarContrat);
        EXPECT_EQ(Figures({s->lblVrTotalOrca, s->lblVrSomaAtivos, s->lblVrDiferenca}),
                  QStringLiteral("10.000,00 0,00 10.000,00"));
        EXPECT_EQ(Figures({s->lblQtConvOrca, s->lblQtConvAtivos, s->lblQtConvDiferenca}),
                  QStringLiteral("200 0 200"));
        EXPECT_TRUE(s->lblVrDiferenca->styleSheet().contains(QStringLiteral("color")));
        EXPECT_FALSE(s->btnAlterar->isEnabled());
        EXPECT_FALSE(s->btnCancelarContrat->isEnabled());
        Click(s->btnFechar);
    });
    Open(Params(1010), [&] {
        EXPECT_EQ(Figures({s->lblQtContratOrca, s->lblQtContratAtivos, s->lblQtContratDiferenca}),
                  QStringLiteral("2 1 1"));
        Click(s->btnFechar);
    });
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList());
}

TEST_F(ContratanteScreenTest, AddsChangesAndCancelsThroughTheServerAndReloadsEachTime) {
    QString added;
    Open(Params(1029), [&] {
        const QString first =
            s->cdsContratantes->FieldByName(QStringLiteral("CDCLIENCONTORCA")).AsString();
        // Half of the total to the client already there...
        Type(s->edtValor, QStringLiteral("5000"));
        Type(s->edtConvidados, QStringLiteral("100"));
        Click(s->btnAlterar);
        // ...the other half to one picked from the lookup.
        nested = [&](QDialog& search) {
            QTest::keyClicks(search.focusWidget(), QStringLiteral("Patr"));
            QTest::keyClick(search.focusWidget(), Qt::Key_Return);
        };
        Click(s->BtnPesquisaCliente);
        added = s->edtNomeCliente->text();
        EXPECT_TRUE(added.startsWith(QStringLiteral("Patr"))) << added.toStdString();
        Type(s->edtValor, QStringLiteral("5.000,00"));
        Type(s->edtConvidados, QStringLiteral("100"));
        Type(s->edtEmpresa, QStringLiteral("0001"));
        Click(s->btnIncluir);
        EXPECT_EQ(Figures({s->lblVrSomaAtivos, s->lblVrDiferenca, s->lblQtConvAtivos,
                           s->lblQtConvDiferenca}),
                  QStringLiteral("10.000,00 0,00 200 0"));
        EXPECT_EQ(s->grdContratantes->model()->rowCount(), 2);
        const QString patricia =
            s->cdsContratantes->FieldByName(QStringLiteral("CDCLIENCONTORCA")).AsString();
        EXPECT_NE(patricia, first);
        // Cancelled after a Yes: the row stays, no longer counted.
        dialogs.Answer(false);
        Click(s->btnCancelarContrat);
        dialogs.Answer(true);
        Click(s->btnCancelarContrat);
        EXPECT_EQ(Figures({s->lblVrSomaAtivos, s->lblVrDiferenca}),
                  QStringLiteral("5.000,00 5.000,00"));
        EXPECT_EQ(Stored(1029, patricia), QStringLiteral("CANCELADO|5000|100|0001"));
        added = patricia;
        Click(s->btnFechar);
    });
    const QStringList methods = server.Methods();
    EXPECT_EQ(methods, (QStringList{"GetResumoOrca", "GetContratantes", "AlterarContratante",
                                    "GetContratantes", "IncluirContratante", "GetContratantes",
                                    "CancelarContratante", "GetContratantes"}));
    const auto inclui = server.CallsOf(QStringLiteral("IncluirContratante"));
    ASSERT_EQ(inclui.size(), 1u);
    EXPECT_EQ(inclui[0].args,
              (QVariantList{QStringLiteral("0001"), QStringLiteral("0000001029"),
                            QStringLiteral("00"), added, 5000.0, 100.0, QStringLiteral("0001")}));
    EXPECT_EQ(dialogs.Texts(TKind::YesNo).size(), 2);
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList());
}

TEST_F(ContratanteScreenTest, ARefusalIsShownAsTheServersSentenceAndChangesNothing) {
    Open(Params(1029), [&] {
        // The budget's own client is already active: adding it again is refused.
        const QString cliente =
            s->cdsContratantes->FieldByName(QStringLiteral("CDCLIENCONTORCA")).AsString();
        Click(s->btnIncluir);
        EXPECT_EQ(dialogs.Texts(TKind::Error),
                  QStringList{QStringLiteral("O cliente %1 já é contratante do orçamento "
                                             "0000001029-00 da filial 0001.")
                                  .arg(cliente)});
        // An unknown registration number is refused before any call.
        dialogs.Clear();
        Type(s->edtCliente, QStringLiteral("99999999999"));
        Click(s->btnIncluir);
        EXPECT_EQ(
            dialogs.Texts(TKind::Error),
            QStringList{QStringLiteral("Não há cliente cadastrado com a inscrição 99999999999.")});
        Click(s->btnFechar);
    });
    EXPECT_EQ(server.CallsOf(QStringLiteral("IncluirContratante")).size(), 1u);
}

TEST_F(ContratanteScreenTest, ABudgetNotApprovedIsOnlyShown) {
    ExecSql(*SharedDatabase(), QStringLiteral("UPDATE ORCAEVENTO SET IDSITUORCEVE = '1' WHERE "
                                              "CDFILIAL = '0001' AND NRORCAEVENTO = '0000001029' "
                                              "AND NRSEQORCAEVE = '00'"));
    Open(Params(1029), [&] {
        EXPECT_EQ(s->grdContratantes->model()->rowCount(), 1);
        EXPECT_FALSE(s->lblSomenteLeitura->isHidden());
        EXPECT_TRUE(s->lblSomenteLeitura->text().contains(QStringLiteral("não está aprovado")));
        for (QWidget* w : std::initializer_list<QWidget*>{s->btnIncluir, s->btnAlterar,
                                                          s->btnCancelarContrat, s->grbContratante})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(s->btnFechar->isEnabled());
        Click(s->btnFechar);
    });
    EXPECT_EQ(server.Methods(), (QStringList{"GetResumoOrca", "GetContratantes"}));
}

} // namespace
