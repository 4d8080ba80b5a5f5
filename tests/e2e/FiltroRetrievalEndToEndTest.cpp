// An operator's first minutes on the closing screen against the real
// application server: the rights, the branch, the filter and the list.

#include "tests/e2e/ServerScreenTest.h"

#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/TabSheet.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSet>

namespace {

class FiltroRetrievalEndToEnd : public ServerScreenTest {
protected:
    // The situations and branches of the budgets listed.
    static QSet<QString> Column(TRecordSet& rs, const char* field) {
        QSet<QString> values;
        for (rs.First(); !rs.Eof(); rs.Next())
            values << rs.FieldByName(QLatin1String(field)).AsString();
        rs.First();
        return values;
    }
};

} // namespace

TEST_F(FiltroRetrievalEndToEnd, AnOperatorPicksABranchFiltersAndBrowses) {
    TfrmFechaOrca& s = Open();
    ASSERT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
    EXPECT_FALSE(s.sbtProcOrca->isHidden()); // MARIA may process budgets

    // Another branch (the demo's has approved and closed budgets), typed short; leaving the bar
    // opens the filter, whose defaults are confirmed: the branch's approved budgets.
    s.medCdFilial->setFocus(Qt::MouseFocusReason);
    Settle();
    s.medCdFilial->selectAll();
    QTest::keyClicks(s.medCdFilial, QStringLiteral("6"));
    {
        TModalHook hook([](QDialog& filter) { ClickIn(filter, "sbtConfirma"); });
        QTest::keyClick(s.medCdFilial, Qt::Key_Tab);
        Settle();
        ASSERT_EQ(hook.Opened(), 1);
    }
    Reactivate(s);
    ASSERT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
    EXPECT_EQ(s.edtNmFilial->text(), QStringLiteral("Celebrar Curitiba"));
    TRecordSet& orca = *s.data.cdsOrcaEvento;
    ASSERT_FALSE(orca.IsEmpty());
    EXPECT_EQ(Column(orca, "CDFILIAL"), QSet<QString>{QStringLiteral("0006")});
    EXPECT_EQ(Column(orca, "IDSITUORCEVE"), QSet<QString>{QStringLiteral("2")});
    EXPECT_TRUE(s.tshItens->isEnabled());
    EXPECT_TRUE(s.sbtFecharOrca->isEnabled());
    const int approved = orca.RecordCount();

    // Closed budgets too, through the tool bar's filter.
    {
        TModalHook hook([](QDialog& filter) {
            filter.findChild<QCheckBox*>(QStringLiteral("chbFechado"))->click();
            Shot(filter, "filter-dialog.png");
            ClickIn(filter, "sbtConfirma");
        });
        Click(s.sbtFiltro);
        ASSERT_EQ(hook.Opened(), 1);
    }
    Reactivate(s);
    EXPECT_EQ(Filtro.IdSitu, QStringLiteral("23"));
    EXPECT_GT(orca.RecordCount(), approved);
    EXPECT_EQ(Column(orca, "IDSITUORCEVE"),
              (QSet<QString>{QStringLiteral("2"), QStringLiteral("3")}));

    // Moving through the list reads each budget's halls from the server.
    s.dbgPadrao->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(s.dbgPadrao, Qt::Key_Down);
    Settle();
    EXPECT_EQ(orca.RecNo(), 2);
    Shot(s, "closing-list.png");
    EXPECT_TRUE(s.data.cdsSalaoEven->Active());
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
}
