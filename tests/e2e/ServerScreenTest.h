#pragma once

// The closing screen opened as the host opens it, talking to the real
// ore-server process on the fixture's demo database.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"
#include "tests/support/ServerProcess.h"

#include "framework/net/CallTransport.h"
#include "framework/services/Session.h"

class ServerScreenTest : public FechaOrcaTest {
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

    // With ORE_SCREENSHOT_DIR set, the run leaves pictures of what the
    // operator saw there (the docs' screenshots are made this way).
    static void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("ORE_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(w.grab().save(dir + u'/' + QLatin1String(name)));
        }
    }

private:
    QProcess m_process;
    QString m_log;
    int m_port = 0;
};
