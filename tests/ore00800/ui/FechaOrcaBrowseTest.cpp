// Browsing the list: the navigator moves and changes nothing, an edit always
// offers its way out, and with no budget listed the details ask for nothing.

#include "FechaOrcaTestUtil.h"

#include "DBNavigator.h"
#include "PageControl.h"
#include "TabSheet.h"

#include <QAction>

namespace {

class FechaOrcaBrowse : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (!HasFatalFailure())
            screen = &Open();
        server.Clear();
    }

    TRecordSet& Orca() const { return *screen->data.cdsOrcaEvento; }

    TfrmFechaOrca* screen = nullptr;
};

const std::vector<TPacketRow> kTwoBudgets = {
    BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2")),
    BudgetRow(QStringLiteral("0000000102"), QStringLiteral("00"), QStringLiteral("2")),
};

} // namespace

TEST_F(FechaOrcaBrowse, TheNavigatorOnlyMovesThroughTheList) {
    for (const auto& budgets : {kTwoBudgets, std::vector<TPacketRow>{}}) {
        List(*screen, budgets);
        const int rows = Orca().RecordCount();
        SCOPED_TRACE(rows);
        for (QToolButton* b : screen->dbnPadrao->findChildren<QToolButton*>()) {
            if (!b->isVisibleTo(screen) || !b->isEnabled())
                continue;
            Click(b);
            EXPECT_EQ(Orca().State(), TDataSetState::Browse) << b->toolTip().toStdString();
            EXPECT_EQ(Orca().RecordCount(), rows) << b->toolTip().toStdString();
            EXPECT_EQ(Orca().ChangeCount(), 0) << b->toolTip().toStdString();
        }
        EXPECT_TRUE(dialogs.Shown().empty());
    }
    List(*screen, kTwoBudgets);
    Click(screen->dbnPadrao->Button(TNavigateBtn::Next));
    EXPECT_EQ(Orca().RecNo(), 2);
    Click(screen->dbnPadrao->Button(TNavigateBtn::First));
    EXPECT_EQ(Orca().RecNo(), 1);
}

TEST_F(FechaOrcaBrowse, AlterFromAnyPageOffersConfirmAndCancel) {
    List(*screen, kTwoBudgets);
    ASSERT_EQ(screen->pgcPadrao->ActivePage(), screen->tshFolhaDados);
    Click(screen->sbtAlterar);
    EXPECT_EQ(screen->pgcPadrao->ActivePage(), screen->tshDadosAdic);
    EXPECT_TRUE(screen->mnuDadosAdic->isChecked());
    EXPECT_EQ(Orca().State(), TDataSetState::Edit);
    ASSERT_TRUE(screen->sbtCancelar->isEnabled());
    EXPECT_TRUE(screen->sbtConfirmar->isEnabled());
    Click(screen->sbtCancelar);
    EXPECT_EQ(Orca().State(), TDataSetState::Browse);
    EXPECT_TRUE(screen->sbtAlterar->isEnabled());
}

TEST_F(FechaOrcaBrowse, WithNoBudgetListedTheDetailsAskForNothing) {
    // Nothing retrieved yet, then an empty answer: each time the list page
    // is shown again from its menu entry.
    screen->mnuFolhaDados->trigger();
    List(*screen, {});
    screen->mnuFolhaDados->trigger();
    EXPECT_TRUE(server.CallsOf(QStringLiteral("GetSalaoEven")).empty());
    EXPECT_TRUE(dialogs.Shown().empty());
}
