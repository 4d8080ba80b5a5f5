#pragma once

// The closing screen opened as the host opens it, talking to the real
// ore-server process on the fixture's demo database.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"
#include "tests/support/ServerProcess.h"

#include "core/db/SqlStatement.h"
#include "framework/net/CallTransport.h"
#include "framework/net/NetSecurity.h"
#include "framework/services/Session.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/MaskEdit.h"
#include "host/HostSignIn.h"
#include "tests/support/DemoSession.h"
#include "tests/support/ModalHook.h"
#include "tests/support/TestCertificates.h"

#include <QCheckBox>
#include <QTemporaryDir>

class ServerScreenTest : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        TCallTransport::Install(nullptr); // the real server answers here
        TSessionInfo session = Session();
        if (m_overTls) {
            // Certificates made for this run; the client trusts only their
            // authority and checks the server's name against them.
            const TTestCertificates certs = MakeTestCertificates(m_certDir.path(), "DNS:localhost");
            m_serverOptions = {"--tls-cert", certs.certFile, "--tls-key", certs.keyFile};
            TNetSecurity::Set({true, certs.caFile, false});
            session.webUrl = QStringLiteral("localhost");
        }
        m_port = StartServer(m_process, DbPath(), m_log, QProcessEnvironment::systemEnvironment(),
                             m_serverOptions);
        ASSERT_NE(m_port, 0) << m_log.toStdString();
        session.webPort = m_port;
        // As the host does before it opens a screen: signed in with the
        // operator's password, and the screens run as who signed in.
        session.operador = SignInAtStart({session.webUrl, m_port}, session.operador,
                                         DemoPasswordOf(session.operador));
        StartSession(session);
    }
    void TearDown() override {
        TNetSession::SignOut(Session().webUrl, m_port);
        TNetSecurity::Set({});
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            EXPECT_TRUE(m_process.waitForFinished(kProcessBoundMs));
        }
        FechaOrcaTest::TearDown();
    }

    // Lists the branch's approved and closed budgets, as the operator asks
    // the filter for them, and moves to budget `nr` (sequence `seq`).
    void ListAndGoTo(TfrmFechaOrca& s, const QString& branch, const QString& nr,
                     const QString& seq = QStringLiteral("00")) {
        {
            TModalHook hook([](QDialog& filter) {
                auto* fechado = filter.findChild<QCheckBox*>(QStringLiteral("chbFechado"));
                if (!fechado->isChecked())
                    fechado->click();
                ClickIn(filter, "sbtConfirma");
            });
            s.medCdFilial->setFocus(Qt::MouseFocusReason);
            Settle();
            s.medCdFilial->selectAll();
            QTest::keyClicks(s.medCdFilial, branch);
            QTest::keyClick(s.medCdFilial, Qt::Key_Tab);
            Settle();
            ASSERT_EQ(hook.Opened(), 1);
        }
        Reactivate(s);
        GoTo(s, nr, seq);
    }
    void GoTo(TfrmFechaOrca& s, const QString& nr, const QString& seq = QStringLiteral("00")) {
        TRecordSet& orca = *s.data.cdsOrcaEvento;
        const int row = RowOf(orca, nr, seq);
        ASSERT_GT(row, 0) << nr.toStdString();
        s.dbgPadrao->setFocus(Qt::MouseFocusReason);
        Settle();
        while (orca.RecNo() != row) {
            QTest::keyClick(s.dbgPadrao, orca.RecNo() < row ? Qt::Key_Down : Qt::Key_Up);
            Settle();
        }
    }
    static int RowOf(TRecordSet& orca, const QString& nr, const QString& seq) {
        for (int r = 1; r <= orca.RecordCount(); ++r) {
            bool found = false;
            orca.ReadRow(r, [&] {
                found = orca.FieldByName("NRORCAEVENTO").AsString() == nr &&
                        orca.FieldByName("NRSEQORCAEVE").AsString() == seq;
            });
            if (found)
                return r;
        }
        return 0;
    }
    static QString Field(TRecordSet& orca, const char* name) {
        return orca.FieldByName(name).AsString();
    }

    QVariant Scalar(const QString& sql, const TSqlParams& params = {}) {
        TSqlStatement st(Db(), sql);
        st.Exec(params);
        return st.Next() ? st.Value(0) : QVariant();
    }
    QString Situacao(const QString& nr, const QString& seq = QStringLiteral("00")) {
        return Scalar(QStringLiteral("SELECT IDSITUORCEVE FROM ORCAEVENTO WHERE NRORCAEVENTO = "
                                     ":N AND NRSEQORCAEVE = :S"),
                      {{"N", nr}, {"S", seq}})
            .toString();
    }

    // The server killed outright, as by a crash or a power cut.
    void KillServer() {
        m_process.kill();
        EXPECT_TRUE(m_process.waitForFinished(kProcessBoundMs));
    }
    // The server started again on the port it had, after it died.
    void RestartServer() {
        m_process.waitForFinished(kProcessBoundMs);
        m_log.clear();
        ASSERT_EQ(StartServer(m_process, DbPath(), m_log, QProcessEnvironment::systemEnvironment(),
                              m_serverOptions, m_port),
                  m_port)
            << m_log.toStdString();
    }
    int ServerPort() const { return m_port; }
    qint64 ServerPid() const { return m_process.processId(); }

    // With ORE_SCREENSHOT_DIR set, the run leaves pictures of what the
    // operator saw there (the docs' screenshots are made this way).
    static void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("ORE_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(w.grab().save(dir + u'/' + QLatin1String(name)));
        }
    }

    // Set before SetUp: the server serves HTTPS only.
    bool m_overTls = false;

private:
    QTemporaryDir m_certDir;
    QStringList m_serverOptions;
    QProcess m_process;
    QString m_log;
    int m_port = 0;
};
