// "Itens" as the operator browses the list: the server's totals of the
// current budget, its items, the price base and a refused totals call.

#include "tests/ore00800/ui/FechaOrcaPagesTestUtil.h"

#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/NumberEdit.h"

#include <QAction>
#include <QLabel>

namespace {

QStringList Totals(const TfrmFechaOrca& s) {
    QStringList shown;
    for (const TNumberEdit* e : {s.nedTotalItem, s.nedTotalMao, s.nedSalao, s.nedDesc, s.nedVrAcres,
                                 s.nedTotal, s.nedTotLiq, s.nedVrPessoa})
        shown << e->text();
    return shown;
}

} // namespace

TEST_F(FechaOrcaPages, ItensShowsTheServersTotalsOfTheCurrentBudget) {
    ListBudgets();
    server.Clear();
    ClickTab(screen->tshItens);
    ASSERT_EQ(server.Methods(), QStringList({"GetGeral", "GetSalaoEven", "GetParamOrca"}));
    EXPECT_EQ(server.Calls()[0].args, QVariantList({"0001", "0000000101", "00"}));
    EXPECT_EQ(Totals(*screen), QStringList({"7.000,00", "2.000,00", "1.500,00", "600,00", "100,50",
                                            "10.001,00", "10.000,00", "50,00"}));
    // This budget's items only; 3 × 10 − 2 + 1.
    EXPECT_EQ(Column(screen->dbgItemOrcaEven, 0), QStringList({"1.01.001", "1.01.002"}));
    EXPECT_EQ(Column(screen->dbgItemOrcaEven, 8), QStringList({"29,00", "4,00"}));
    EXPECT_EQ(screen->data.cdsItemOrcaEven->FieldByName("NRINSJURFORN").DisplayText(),
              "12.345.678/0001-90");

    // The child budget and a budget without guests: nothing per person.
    Next();
    EXPECT_EQ(server.CallsOf("GetGeral").back().args.value(2), "01");
    EXPECT_EQ(Totals(*screen).mid(6), QStringList({"8.000,00", "0,00"}));
    Next();
    EXPECT_EQ(Totals(*screen).mid(6), QStringList({"3.000,00", "0,00"}));
    EXPECT_EQ(server.CallsOf("GetParamOrca").size(), 1u); // on entering only
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(FechaOrcaPages, PriceParameterCHidesThePriceBase) {
    ListBudgets();
    for (const char* origin : {"C", "T", "C", ""}) {
        SCOPED_TRACE(origin);
        const bool shown = origin != QLatin1String("C");
        ScriptPriceParameter(origin);
        ClickTab(screen->tshFormulario);
        screen->mnuItens->trigger();
        ASSERT_EQ(screen->pgcPadrao->ActivePage(), screen->tshItens);
        for (QWidget* w :
             std::initializer_list<QWidget*>{screen->Panel9, screen->Label13, screen->dbePrcBase,
                                             screen->btnPrcBase, screen->DBEdit20})
            EXPECT_EQ(w->isVisibleTo(screen), shown) << w->objectName().toStdString();
        EXPECT_EQ(screen->Panel3->height(), shown ? 100 : 68);
        EXPECT_GE(screen->Panel6->height(), screen->Panel6->sizeHint().height());
    }
}

TEST_F(FechaOrcaPages, RefusedTotalsStopTheMoveAndKeepWhatWasShown) {
    ListBudgets();
    ClickTab(screen->tshItens);
    server.Refuse("GetGeral", "Totais do orçamento indisponíveis.");
    server.Clear();
    Next();
    EXPECT_EQ(dialogs.Texts(), QStringList{"Totais do orçamento indisponíveis."});
    EXPECT_EQ(server.Methods(), QStringList{"GetGeral"}); // no halls either
    EXPECT_EQ(Totals(*screen).mid(6), QStringList({"10.000,00", "50,00"}));
    EXPECT_EQ(Column(screen->dbgItemOrcaEven, 0).size(), 2);
    EXPECT_EQ(busy.Depth(), 0);
}
