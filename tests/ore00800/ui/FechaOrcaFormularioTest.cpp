// "Formulário" and "Mão de Obra" as the operator browses the list.

#include "tests/ore00800/ui/FechaOrcaPagesTestUtil.h"

#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"

#include <QAction>
#include <QRadioButton>

TEST_F(FechaOrcaPages, FormularioShowsTheCurrentBudgetAndFetchesNothingOfItsOwn) {
    ListBudgets();
    ClickTab(screen->tshFormulario);
    EXPECT_EQ(Shown("dbeNRINSJURCLIE"), "390.533.447-05");
    EXPECT_EQ(Shown("dbeDTEVENTO"), "20/02/2027");
    EXPECT_EQ(screen->medHoraEve->text(), "19:30");
    EXPECT_EQ(screen->medDuracao->text(), "04:30");
    EXPECT_TRUE(screen->rdbCliJaCad->isChecked());

    Next();
    Next();
    EXPECT_EQ(Shown("dbeNRORCAEVENTO"), "0000000102");
    EXPECT_EQ(screen->medHoraEve->text(), "08:15");
    EXPECT_EQ(screen->medDuracao->text(), "04:06");
    EXPECT_TRUE(screen->rdbNovoCli->isChecked());
    EXPECT_FALSE(screen->rdbCliJaCad->isChecked());
    EXPECT_EQ(server.CallsOf("GetGeral").size() + server.CallsOf("GetParamOrca").size(), 0u);
}

TEST_F(FechaOrcaPages, EnterInAGridShowsFormularioLoaded) {
    ListBudgets();
    screen->mnuItens->trigger();
    Next();
    Next();
    QTest::keyClick(screen->dbgItemOrcaEven, Qt::Key_Return);
    ASSERT_EQ(screen->pgcPadrao->ActivePage(), screen->tshFormulario);
    EXPECT_EQ(screen->medHoraEve->text(), "08:15");
    EXPECT_FALSE(screen->mnuItens->isChecked());

    ClickTab(screen->tshFolhaDados);
    QTest::keyClick(screen->dbgPadrao, Qt::Key_Up);
    QTest::keyClick(screen->dbgPadrao, Qt::Key_Return);
    EXPECT_EQ(screen->medHoraEve->text(), "23:00");
}

TEST_F(FechaOrcaPages, MaoObraShowsTheCurrentBudgetsLabour) {
    ListBudgets();
    screen->mnuMaoObra->trigger();
    EXPECT_EQ(Column(screen->dbgItMaoObra, 0), QStringList({"00", "00"}));
    Next();
    EXPECT_EQ(Column(screen->dbgItMaoObra, 0), QStringList{"01"});
    Next();
    EXPECT_TRUE(Column(screen->dbgItMaoObra, 0).isEmpty());
    EXPECT_TRUE(server.CallsOf("GetGeral").empty());
}
