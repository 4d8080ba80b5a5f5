// Listing budgets: what the screen sends for the criteria, what it does with
// the answer, what every move through the list refreshes, and that browsing
// changes nothing but through the contracting client's edit, which always
// offers its way out.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/data/OleDate.h"
#include "core/wire/WireVariant.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "tests/support/FakeScreenLoader.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>

namespace {

using TKind = TFakeDialogs::TKind;

QVariant Date(double ole) {
    return QVariant::fromValue(TOleDateTime{ole});
}

TPacketRow WithContratante(TPacketRow row, const QString& nrIns, const QString& kind,
                           const QString& name) {
    row.emplace_back(QStringLiteral("NRINSJURCONT"), nrIns);
    row.emplace_back(QStringLiteral("IDTPIJURCONT"), kind);
    row.emplace_back(QStringLiteral("NMFANTCONT"), name);
    return row;
}

class FechaOrcaRetrieval : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (!HasFatalFailure())
            screen = &Open();
        server.Clear();
        busy.Clear();
    }

    QVariantList LastArgs() const {
        const auto calls = server.CallsOf(QStringLiteral("GetOrcaEvento"));
        return calls.empty() ? QVariantList() : calls.back().args;
    }

    QString Shown(int row, int column) const {
        return screen->dbgPadrao->model()->index(row, column).data().toString();
    }

    TfrmFechaOrca* screen = nullptr;
};

const std::vector<TPacketRow> kTwoBudgets = {
    BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2")),
    BudgetRow(QStringLiteral("0000000102"), QStringLiteral("00"), QStringLiteral("2")),
};

} // namespace

TEST_F(FechaOrcaRetrieval, DefaultCriteriaAskForTheBranchsApprovedBudgets) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"),
                    QStringLiteral("Ana Souza")),
          BudgetRow(QStringLiteral("0000000102"), QStringLiteral("01"), QStringLiteral("3"))});
    const auto calls = server.CallsOf(QStringLiteral("GetOrcaEvento"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].server, QStringLiteral("ORE00800.rdmFechaOrca"));
    const QString none;
    EXPECT_EQ(calls[0].args, (QVariantList{QStringLiteral("0001"), none, none, Date(0), Date(0),
                                           Date(0), Date(0), none, none, none, none, none, none,
                                           QStringLiteral("2"), none, none, none}));

    // The list, its situation texts, and the first budget's halls.
    EXPECT_EQ(screen->data.cdsOrcaEvento->RecordCount(), 2);
    EXPECT_EQ(Shown(0, 2), QStringLiteral("Ana Souza"));
    EXPECT_EQ(Shown(0, 3), QStringLiteral("Aprovado"));
    EXPECT_EQ(Shown(1, 3), QStringLiteral("Fechado"));
    const auto halls = server.CallsOf(QStringLiteral("GetSalaoEven"));
    ASSERT_FALSE(halls.empty());
    EXPECT_EQ(halls.back().args, (QVariantList{QStringLiteral("0001"), QStringLiteral("0000000101"),
                                               QStringLiteral("00")}));
    EXPECT_TRUE(busy.Log().contains(QStringLiteral("Active(6)")));
    EXPECT_EQ(busy.Depth(), 0);

    // Something to browse and close.
    EXPECT_TRUE(screen->tshFormulario->isEnabled());
    EXPECT_TRUE(screen->tshFormaPgto->isEnabled());
    EXPECT_TRUE(screen->mnuItens->isEnabled());
    EXPECT_TRUE(screen->sbtFecharOrca->isEnabled());
    EXPECT_TRUE(screen->mnuFecharOrca->isEnabled());
    EXPECT_TRUE(screen->btnContratante->isEnabled());
    EXPECT_TRUE(screen->sbtVerificar->isEnabled());
    EXPECT_TRUE(screen->sbtAlterar->isEnabled());
    EXPECT_FALSE(screen->sbtConfirmar->isEnabled());
}

TEST_F(FechaOrcaRetrieval, OnlyListsChosenWithListaAreSent) {
    Filtro.NrOrca = {QStringLiteral("0000000100"), QStringLiteral("0000000199")};
    Filtro.DtEven = {DateToOle(QDate(2026, 12, 1)), DateToOle(QDate(2026, 12, 31))};
    Filtro.CdVend = {true, QStringLiteral("V01_V02")}; // picked earlier, then "Todos"
    Filtro.CdClie = {false, QStringLiteral("C0001")};
    Filtro.CdObra = {false, QStringLiteral("P9")};
    Filtro.IdSitu = QStringLiteral("23");
    Filtro.NmNovoClie = QStringLiteral("Ana");
    Filtro.DsTitulo = QStringLiteral("Formatura");
    Filtro.CdGerenteSup = QStringLiteral("V03");
    Filtro.NmGerenteSup = QStringLiteral("not sent");
    List(*screen, {});
    const QVariantList args = LastArgs();
    ASSERT_EQ(args.size(), 17);
    EXPECT_EQ(args[1], QStringLiteral("0000000100"));
    EXPECT_EQ(args[2], QStringLiteral("0000000199"));
    EXPECT_EQ(args[3], Date(DateToOle(QDate(2026, 12, 1))));
    EXPECT_EQ(args[4], Date(DateToOle(QDate(2026, 12, 31))));
    EXPECT_EQ(args[7], QString());
    EXPECT_EQ(args[8], QStringLiteral("C0001"));
    EXPECT_EQ(args[12], QStringLiteral("P9"));
    EXPECT_EQ(args[13], QStringLiteral("23"));
    EXPECT_EQ(args[14], QStringLiteral("Ana"));
    EXPECT_EQ(args[15], QStringLiteral("Formatura"));
    EXPECT_EQ(args[16], QStringLiteral("V03"));
    EXPECT_FALSE(args.contains(QStringLiteral("not sent")));
}

TEST_F(FechaOrcaRetrieval, AnEmptyAnswerLeavesNothingToBrowseOrClose) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"))});
    List(*screen, {});
    EXPECT_TRUE(screen->data.cdsOrcaEvento->Active());
    EXPECT_TRUE(screen->data.cdsOrcaEvento->IsEmpty());
    EXPECT_FALSE(screen->tshFormulario->isEnabled());
    EXPECT_FALSE(screen->tshItens->isEnabled());
    EXPECT_FALSE(screen->sbtFecharOrca->isEnabled());
    EXPECT_FALSE(screen->mnuProcOrca->isEnabled());
    EXPECT_FALSE(screen->sbtAlterar->isEnabled());
    EXPECT_TRUE(screen->sbtVerificar->isEnabled());
}

TEST_F(FechaOrcaRetrieval, ARefusedOrMalformedAnswerKeepsTheListOnScreen) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"))});

    server.Refuse(QStringLiteral("GetOrcaEvento"), QStringLiteral("Filial 0001 bloqueada."));
    EXPECT_FALSE(Retrieve(*screen));
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{QStringLiteral("Filial 0001 bloqueada.")});
    EXPECT_EQ(busy.Depth(), 0);
    EXPECT_EQ(screen->data.cdsOrcaEvento->RecordCount(), 1);

    // Five packets where six belong: nothing of it is loaded.
    dialogs.Clear();
    QVariantList five = OrcaEventoAnswer({}).toList();
    five.removeLast();
    server.Reply(QStringLiteral("GetOrcaEvento"), five);
    EXPECT_FALSE(Retrieve(*screen));
    ASSERT_EQ(dialogs.Texts(TKind::Error).size(), 1);
    EXPECT_TRUE(dialogs.Texts()[0].contains(QStringLiteral("GetOrcaEvento")));
    EXPECT_EQ(screen->data.cdsOrcaEvento->RecordCount(), 1);
    EXPECT_TRUE(screen->sbtFecharOrca->isEnabled());
}

TEST_F(FechaOrcaRetrieval, CancellingTheFilterOverAListKeepsIt) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"))});
    server.Clear();
    TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtCancel"); });
    Click(screen->sbtFiltro);
    Reactivate(*screen);
    QTest::keyClick(screen->focusWidget(), Qt::Key_L, Qt::ControlModifier); // Filtrar
    Settle();
    EXPECT_EQ(hook.Opened(), 2);
    EXPECT_TRUE(server.Calls().empty());
    EXPECT_EQ(screen->data.cdsOrcaEvento->RecordCount(), 1);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(FechaOrcaRetrieval, EveryMoveShowsTheBudgetsHallsAndContractingClient) {
    List(*screen,
         {WithContratante(
              BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2")),
              QStringLiteral("12345678901"), QStringLiteral("F"), QStringLiteral("Ana")),
          WithContratante(
              BudgetRow(QStringLiteral("0000000102"), QStringLiteral("00"), QStringLiteral("3")),
              QStringLiteral("12345678000190"), QStringLiteral("J"), QStringLiteral("Festas SA"))});
    EXPECT_EQ(screen->dbeCliContrat->Text(), QStringLiteral("12345678901"));
    EXPECT_EQ(screen->dbeCliContrat->EditMask(), QStringLiteral("000.000.000-00;0;_"));
    EXPECT_EQ(screen->DBEdit13->text(), QStringLiteral("Ana"));
    EXPECT_TRUE(screen->dbeCliContrat->isEnabled()); // approved
    EXPECT_EQ(screen->data.cdsOrcaEvento->State(), TDataSetState::Browse);

    {
        // Out of the branch bar, whose exit offers the filter again.
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtCancel"); });
        screen->dbgPadrao->setFocus(Qt::MouseFocusReason);
        Settle();
    }
    Reactivate(*screen);
    server.Clear();
    QTest::keyClick(screen->dbgPadrao, Qt::Key_Down);
    Settle();
    ASSERT_EQ(server.Methods(), QStringList{QStringLiteral("GetSalaoEven")});
    EXPECT_EQ(server.Calls()[0].args[1], QStringLiteral("0000000102"));
    EXPECT_EQ(screen->dbeCliContrat->Text(), QStringLiteral("12345678000190"));
    EXPECT_EQ(screen->DBEdit13->text(), QStringLiteral("Festas SA"));
    EXPECT_FALSE(screen->dbeCliContrat->isEnabled()); // closed
    EXPECT_EQ(screen->data.cdsOrcaEvento->State(), TDataSetState::Browse);

    // Halls that cannot be read: the message, and the indicator gone.
    server.Refuse(QStringLiteral("GetSalaoEven"), QStringLiteral("Salões indisponíveis."));
    QTest::keyClick(screen->dbgPadrao, Qt::Key_Up);
    Settle();
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{QStringLiteral("Salões indisponíveis.")});
    EXPECT_EQ(busy.Depth(), 0);
}

TEST_F(FechaOrcaRetrieval, EditingTheBudgetLocksEverythingButConfirmAndCancel) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"))});
    screen->pgcPadrao->SetActivePage(screen->tshDadosAdic);
    screen->data.cdsOrcaEvento->Edit();
    EXPECT_TRUE(screen->sbtConfirmar->isEnabled());
    EXPECT_TRUE(screen->mnuCancelar->isEnabled());
    for (QToolButton* b : {screen->sbtAlterar, screen->sbtProcurar, screen->sbtVerificar,
                           screen->sbtFecharOrca, screen->sbtProcOrca, screen->btnContratante})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(screen->dbnPadrao->isEnabled());
    EXPECT_FALSE(screen->mnuFecharOrca->isEnabled());

    // A change of page afterwards leaves the commands as they were.
    screen->pgcPadrao->SetActivePage(screen->tshFolhaDados);
    EXPECT_TRUE(screen->sbtConfirmar->isEnabled());

    screen->data.cdsOrcaEvento->Cancel();
    EXPECT_FALSE(screen->sbtConfirmar->isEnabled());
    EXPECT_TRUE(screen->sbtFecharOrca->isEnabled());
    EXPECT_TRUE(screen->dbnPadrao->isEnabled());

    // An edit begun on another page offers no confirm.
    screen->data.cdsOrcaEvento->Edit();
    EXPECT_FALSE(screen->sbtConfirmar->isEnabled());
    EXPECT_FALSE(screen->sbtCancelar->isEnabled());
}

TEST_F(FechaOrcaRetrieval, TheContractingClientsScreenOpensForTheCurrentBudget) {
    List(*screen,
         {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("01"), QStringLiteral("2"))});
    TFakeScreenLoader loader;
    Click(screen->btnContratante);
    QTest::keyClick(screen->focusWidget(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(loader.Loads().size(), 2u);
    EXPECT_EQ(loader.Loads()[0].code, QStringLiteral("ORE09000"));
    EXPECT_EQ(loader.Loads()[0].params,
              (QVariantList{QStringLiteral("0001"), QStringLiteral("0000000101"),
                            QStringLiteral("01"), QStringLiteral("ORE00800")}));
}

TEST_F(FechaOrcaRetrieval, TheNavigatorOnlyMovesThroughTheList) {
    const TRecordSet& orca = *screen->data.cdsOrcaEvento;
    for (const auto& budgets : {kTwoBudgets, std::vector<TPacketRow>{}}) {
        List(*screen, budgets);
        const int rows = orca.RecordCount();
        SCOPED_TRACE(rows);
        for (QToolButton* b : screen->dbnPadrao->findChildren<QToolButton*>()) {
            if (!b->isVisibleTo(screen) || !b->isEnabled())
                continue;
            Click(b);
            EXPECT_EQ(orca.State(), TDataSetState::Browse) << b->toolTip().toStdString();
            EXPECT_EQ(orca.RecordCount(), rows) << b->toolTip().toStdString();
            EXPECT_EQ(orca.ChangeCount(), 0) << b->toolTip().toStdString();
        }
        EXPECT_TRUE(dialogs.Shown().empty());
    }
    List(*screen, kTwoBudgets);
    Click(screen->dbnPadrao->Button(TNavigateBtn::Next));
    EXPECT_EQ(orca.RecNo(), 2);
    Click(screen->dbnPadrao->Button(TNavigateBtn::First));
    EXPECT_EQ(orca.RecNo(), 1);
}

TEST_F(FechaOrcaRetrieval, AlterFromAnyPageOffersConfirmAndCancel) {
    const TRecordSet& orca = *screen->data.cdsOrcaEvento;
    List(*screen, kTwoBudgets);
    ASSERT_EQ(screen->pgcPadrao->ActivePage(), screen->tshFolhaDados);
    Click(screen->sbtAlterar);
    EXPECT_EQ(screen->pgcPadrao->ActivePage(), screen->tshDadosAdic);
    EXPECT_TRUE(screen->mnuDadosAdic->isChecked());
    EXPECT_EQ(orca.State(), TDataSetState::Edit);
    ASSERT_TRUE(screen->sbtCancelar->isEnabled());
    EXPECT_TRUE(screen->sbtConfirmar->isEnabled());
    Click(screen->sbtCancelar);
    EXPECT_EQ(orca.State(), TDataSetState::Browse);
    EXPECT_TRUE(screen->sbtAlterar->isEnabled());
}

TEST_F(FechaOrcaRetrieval, WithNoBudgetListedTheDetailsAskForNothing) {
    // Nothing retrieved yet, then an empty answer: each time the list page
    // is shown again from its menu entry.
    screen->mnuFolhaDados->trigger();
    List(*screen, {});
    screen->mnuFolhaDados->trigger();
    EXPECT_TRUE(server.CallsOf(QStringLiteral("GetSalaoEven")).empty());
    EXPECT_TRUE(dialogs.Shown().empty());
}
