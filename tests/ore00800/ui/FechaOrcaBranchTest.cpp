// The closing screen's start and its branch bar, as an operator meets them:
// the host's branch in the bar, the rights read once, the branch checked on
// the way out and the filter opened.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "framework/services/Session.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QAction>
#include <QLineEdit>

namespace {

using TKind = TFakeDialogs::TKind;

class FechaOrcaBranch : public FechaOrcaTest {
protected:
    // Types `code` into the branch code, as the operator does after clicking it.
    void TypeBranch(TfrmFechaOrca& s, const QString& code) {
        s.medCdFilial->setFocus(Qt::MouseFocusReason);
        Settle();
        s.medCdFilial->selectAll();
        QTest::keyClick(s.medCdFilial, Qt::Key_Delete);
        QTest::keyClicks(s.medCdFilial, code);
    }
    // Leaves the branch bar with Tab; the filter that opens is cancelled.
    int LeaveBarCancellingTheFilter(TfrmFechaOrca& s) {
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtCancel"); });
        QTest::keyClick(s.medCdFilial, Qt::Key_Tab);
        Settle();
        return hook.Opened();
    }
};

} // namespace

TEST_F(FechaOrcaBranch, OpensOnTheHostsBranchWithRightsReadOnce) {
    TfrmFechaOrca& s = Open();
    EXPECT_EQ(s.medCdFilial->Text(), QStringLiteral("0001"));
    EXPECT_EQ(s.edtNmFilial->text(), QStringLiteral("Celebrar Matriz São Paulo"));
    EXPECT_EQ(QApplication::focusWidget(), s.medCdFilial);
    EXPECT_FALSE(s.boPrimVez);
    ASSERT_EQ(server.Methods(), QStringList{QStringLiteral("GetOperControle")});
    EXPECT_EQ(server.Calls()[0].server, QStringLiteral("ORE06400.rdmProcOrca"));
    EXPECT_EQ(server.Calls()[0].args, QVariantList{QStringLiteral("MARIA")});
    EXPECT_EQ(busy.Log(), (QStringList{QStringLiteral("Active(6)"), QStringLiteral("Deactive")}));
    EXPECT_FALSE(s.sbtProcOrca->isHidden());
    EXPECT_TRUE(s.mnuProcOrca->isVisible());

    // Nothing listed: only the list page and no closing.
    EXPECT_FALSE(s.sbtFecharOrca->isEnabled());
    EXPECT_FALSE(s.mnuFecharOrca->isEnabled());
    EXPECT_FALSE(s.sbtProcOrca->isEnabled());
    EXPECT_FALSE(s.btnContratante->isEnabled());
    for (QToolButton* b :
         {s.sbtIncluir, s.sbtAlterar, s.sbtExcluir, s.sbtVerificar, s.sbtConfirmar})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    for (QWidget* page : {static_cast<QWidget*>(s.tshFormulario), static_cast<QWidget*>(s.tshItens),
                          static_cast<QWidget*>(s.tshFormaPgto)})
        EXPECT_FALSE(page->isEnabled()) << page->objectName().toStdString();
    EXPECT_FALSE(s.mnuItens->isEnabled());
    EXPECT_FALSE(s.mnuListagem->isEnabled());
    EXPECT_FALSE(s.sbtImprimir->isEnabled());

    // Switching away and back reads nothing again.
    SwitchAwayAndBack(s);
    EXPECT_EQ(server.Methods().size(), 1);
}

TEST_F(FechaOrcaBranch, ProcessingIsOfferedByTheOperatorsSettingOrTheModulesParameter) {
    struct TCase {
        QVariant oper, param;
        bool offered;
    };
    const TCase cases[] = {
        {QStringLiteral("SEMACESSO"), QStringLiteral("ORE06400"), false},
        {QVariant(), QVariant(), false},
        {QStringLiteral("  "), QStringLiteral(""), false},
        {QVariant(), QStringLiteral("ORE06400"), true},
        {QStringLiteral("ORE06400"), QVariant(), true},
    };
    for (const TCase& c : cases) {
        ScriptRights(c.oper, c.param);
        TfrmFechaOrca& s = Open();
        EXPECT_EQ(!s.sbtProcOrca->isHidden(), c.offered) << c.oper.toString().toStdString();
        EXPECT_EQ(s.mnuProcOrca->isVisible(), c.offered);
        delete &s;
    }
}

TEST_F(FechaOrcaBranch, RightsThatCannotBeReadAreReadAgainAtTheNextActivation) {
    server.Refuse(QStringLiteral("GetOperControle"), QStringLiteral("Operador MARIA desativado."));
    // The box takes the activation away; when it goes, the screen is active
    // again, and that must not read the rights again (and show the box again).
    QWidget box;
    dialogs.OnShow = [&](const TFakeDialogs::TShown&) {
        box.show();
        QApplication::setActiveWindow(&box);
        // A real box runs its own loop: the screen hears of it meanwhile.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    };
    IniProc();
    TfrmFechaOrca& s = *frmFechaOrca;
    QApplication::setActiveWindow(&s);
    Settle();
    dialogs.OnShow = nullptr;
    box.hide();
    Reactivate(s);
    EXPECT_EQ(server.CallsOf(QStringLiteral("GetOperControle")).size(), 1u);
    EXPECT_EQ(dialogs.Texts(TKind::Error),
              QStringList{QStringLiteral("Operador MARIA desativado.")});
    EXPECT_TRUE(s.boPrimVez);
    EXPECT_EQ(busy.Depth(), 0);
    EXPECT_TRUE(s.sbtProcOrca->isHidden());

    ScriptRights(QStringLiteral("ORE06400"), QVariant());
    SwitchAwayAndBack(s);
    EXPECT_FALSE(s.boPrimVez);
    EXPECT_FALSE(s.sbtProcOrca->isHidden());
}

TEST_F(FechaOrcaBranch, ABranchBoundByTheHostCannotBeChanged) {
    TSessionInfo session = Session();
    session.moduFili = true;
    session.filiProc = QStringLiteral("0004");
    session.nomeFiliProc = QStringLiteral("Celebrar Rio de Janeiro");
    StartSession(session);
    TfrmFechaOrca& s = Open();
    EXPECT_EQ(s.medCdFilial->Text(), QStringLiteral("0004"));
    EXPECT_FALSE(s.medCdFilial->isEnabled());
    EXPECT_FALSE(s.btnFilial->isEnabled());
}

TEST_F(FechaOrcaBranch, ABranchCodeIsCheckedBeforeTheFilterOpens) {
    TfrmFechaOrca& s = Open();

    // Typing empties the name at once.
    TypeBranch(s, QStringLiteral("99"));
    EXPECT_TRUE(s.edtNmFilial->text().isEmpty());

    // An unknown branch keeps the operator in the code, with no filter.
    // The screen's focus, whichever window the test run left active.
    const auto seen = [&] { return s.focusWidget() == s.medCdFilial; };
    EXPECT_EQ(LeaveBarCancellingTheFilter(s), 0);
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{QStringLiteral("Filial não cadastrada.")});
    EXPECT_EQ(s.medCdFilial->Text(), QStringLiteral("0099"));
    EXPECT_TRUE(seen());

    // No branch at all.
    dialogs.Clear();
    TypeBranch(s, QString());
    EXPECT_EQ(LeaveBarCancellingTheFilter(s), 0);
    EXPECT_EQ(dialogs.Texts(TKind::Error),
              QStringList{QStringLiteral("Filial deve ser informada.")});
    EXPECT_TRUE(seen());

    // A known one, typed short: normalised, named, and the filter opens;
    // cancelling it with nothing listed comes back to the code.
    dialogs.Clear();
    TypeBranch(s, QStringLiteral("2"));
    EXPECT_EQ(LeaveBarCancellingTheFilter(s), 1);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    EXPECT_EQ(s.medCdFilial->Text(), QStringLiteral("0002"));
    EXPECT_EQ(s.edtNmFilial->text(), QStringLiteral("Celebrar Campinas"));
    EXPECT_TRUE(seen());
}

TEST_F(FechaOrcaBranch, TheBranchLookupFillsCodeAndName) {
    TfrmFechaOrca& s = Open();
    TModalHook hook([](QDialog& search) {
        // The search window offers the branches by code; the second is picked.
        QTest::keyClick(search.focusWidget(), Qt::Key_Down);
        QTest::keyClick(search.focusWidget(), Qt::Key_Return);
    });
    Click(s.btnFilial);
    ASSERT_EQ(hook.Opened(), 1);
    EXPECT_EQ(s.medCdFilial->Text(), QStringLiteral("0002"));
    EXPECT_EQ(s.edtNmFilial->text(), QStringLiteral("Celebrar Campinas"));
}

TEST_F(FechaOrcaBranch, EnteringTheBarDropsTheList) {
    TfrmFechaOrca& s = Open();
    List(s, {BudgetRow(QStringLiteral("0000000101"), QStringLiteral("00"), QStringLiteral("2"))});
    ASSERT_TRUE(s.tshItens->isEnabled());
    s.pgcPadrao->SetActivePage(s.tshItens);
    {
        // Leaving the bar opens the filter; cancelled over a list, it keeps it.
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtCancel"); });
        s.dbgPadrao->setFocus(Qt::MouseFocusReason);
        Settle();
        ASSERT_EQ(hook.Opened(), 1);
        ASSERT_EQ(s.data.cdsOrcaEvento->RecordCount(), 1);
    }
    Reactivate(s);

    s.medCdFilial->setFocus(Qt::MouseFocusReason);
    Settle();
    EXPECT_FALSE(s.data.cdsOrcaEvento->Active());
    EXPECT_FALSE(s.data.cdsItemOrcaEven->Active());
    EXPECT_EQ(s.pgcPadrao->ActivePage(), s.tshFolhaDados);
    EXPECT_FALSE(s.tshFormulario->isEnabled());
    EXPECT_FALSE(s.tshItens->isEnabled());
    EXPECT_FALSE(s.mnuFormulario->isEnabled());
    EXPECT_FALSE(s.sbtFecharOrca->isEnabled());
}
