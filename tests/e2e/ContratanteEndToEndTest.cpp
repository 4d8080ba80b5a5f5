// Setting a budget's contracting client on the closing screen against the
// real application server, and reading it back from the database.

#include "tests/e2e/ServerScreenTest.h"

#include "core/db/SqlStatement.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QLineEdit>

namespace {

class ContratanteEndToEnd : public ServerScreenTest {
protected:
    // The row of budget `nr` (sequence "00") in the list, 0 when absent.
    static int RowOf(TRecordSet& orca, const QString& nr) {
        for (int r = 1; r <= orca.RecordCount(); ++r) {
            bool found = false;
            orca.ReadRow(r, [&] {
                found = orca.FieldByName("NRORCAEVENTO").AsString() == nr &&
                        orca.FieldByName("NRSEQORCAEVE").AsString() == u"00";
            });
            if (found)
                return r;
        }
        return 0;
    }

    QStringList StoredClients(const QString& nr) {
        TSqlStatement st(Db(), QStringLiteral("SELECT CDCLICONTORC FROM ORCAEVENTO WHERE "
                                              "CDFILIAL = '0001' AND NRORCAEVENTO = :N "
                                              "ORDER BY NRSEQORCAEVE"));
        st.Exec({{QStringLiteral("N"), nr}});
        QStringList codes;
        while (st.Next())
            codes << st.Value(0).toString();
        return codes;
    }

    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        Settle();
    }
};

} // namespace

TEST_F(ContratanteEndToEnd, AnOperatorSetsABudgetsContractingClient) {
    const QString nr = QStringLiteral("0000001029");
    TfrmFechaOrca& s = Open();
    // Leaving the branch bar opens the filter; its defaults list the approved budgets.
    {
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtConfirma"); });
        s.medCdFilial->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClick(s.medCdFilial, Qt::Key_Tab);
        Settle();
        ASSERT_EQ(hook.Opened(), 1);
    }
    Reactivate(s);
    TRecordSet& orca = *s.data.cdsOrcaEvento;
    const int row = RowOf(orca, nr);
    ASSERT_GT(row, 0);
    s.dbgPadrao->setFocus(Qt::MouseFocusReason);
    while (orca.RecNo() < row && !orca.Eof())
        Key(Qt::Key_Down);
    ASSERT_EQ(orca.RecNo(), row);
    ASSERT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();

    // Its contracting client is Rafael Kowalski; the operator makes it Pedro Alves.
    Click(s.sbtAlterar);
    ASSERT_EQ(s.pgcPadrao->ActivePage(), s.tshDadosAdic);
    EXPECT_EQ(s.dbeCliContrat->text(), QStringLiteral("159.753.456-00"));
    QTest::mouseClick(s.dbeCliContrat, Qt::LeftButton);
    Key(Qt::Key_End);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(s.dbeCliContrat, QStringLiteral("52998224725"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(s.DBEdit13->text(), QStringLiteral("Pedro Henrique Alves"));
    Shot(s, "contracting-client.png");
    Click(s.sbtConfirmar);
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
    EXPECT_EQ(orca.State(), TDataSetState::Browse);

    // Stored on the budget and its child, and read so by the next retrieval.
    EXPECT_EQ(StoredClients(nr),
              (QStringList{QStringLiteral("F52998224725"), QStringLiteral("F52998224725")}));
    Click(s.sbtVerificar);
    ASSERT_EQ(RowOf(orca, nr), row);
    orca.ReadRow(row, [&] {
        EXPECT_EQ(orca.FieldByName("NRINSJURCONT").AsString(), QStringLiteral("52998224725"));
        EXPECT_EQ(orca.FieldByName("NMFANTCONT").AsString(), QStringLiteral("Pedro Alves"));
    });
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
}
