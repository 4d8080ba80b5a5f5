// An operator's first minutes on the closing screen against the real
// application server: the rights, the branch, the filter and the list.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"
#include "tests/support/ServerProcess.h"

#include "framework/net/CallTransport.h"
#include "framework/services/Session.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/TabSheet.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSet>

namespace {

// With ORE_SCREENSHOT_DIR set, the run leaves pictures of what the operator
// saw there (the docs' screenshots are made this way).
void Shot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("ORE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(w.grab().save(dir + u'/' + QLatin1String(name)));
    }
}

class FiltroRetrievalEndToEnd : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        TCallTransport::Install(nullptr); // the real server answers here
        m_port = StartServer(m_process, DbPath(), m_log);
        ASSERT_NE(m_port, 0) << m_log.toStdString();
        TSessionInfo session = Session();
        session.webPort = m_port;
        StartSession(session);
    }
    void TearDown() override {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            EXPECT_TRUE(m_process.waitForFinished(kProcessBoundMs));
        }
        FechaOrcaTest::TearDown();
    }

    // The situations and branches of the budgets listed.
    static QSet<QString> Column(TRecordSet& rs, const char* field) {
        QSet<QString> values;
        for (rs.First(); !rs.Eof(); rs.Next())
            values << rs.FieldByName(QLatin1String(field)).AsString();
        rs.First();
        return values;
    }

    QProcess m_process;
    QString m_log;
    int m_port = 0;
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
