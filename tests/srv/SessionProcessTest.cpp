// Sessions on the real executable: set-password, several server processes on
// one database sharing a session, and the client's renewal after a 401.

#include "tests/srv/ServerTestUtil.h"
#include "tests/support/DemoSession.h"

#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"

#include <QProcess>

namespace {

const QString kNoSession = QStringLiteral("Sessão inválida ou expirada. Entre novamente.");

class SessionProcess : public SeededDbTest {
protected:
    void TearDown() override {
        TNetSession::SetToken({});
        TNetSession::SetRenewer(nullptr);
        for (QProcess* p : {&m_a, &m_b})
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                EXPECT_TRUE(p->waitForFinished(kProcessBoundMs));
            }
        SeededDbTest::TearDown();
    }
    static TServerReply Param(int port, const QString& token = {}) {
        TNetConnection conn;
        conn.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
        conn.Port = port;
        conn.ThrowException = false;
        conn.SessionToken = token;
        return conn.Call(QStringLiteral("GetParamOrca"));
    }
    int Start(QProcess& p) {
        QString log;
        const int port = StartServer(p, UrlString(), log);
        EXPECT_NE(port, 0) << log.toStdString();
        return port;
    }
    // `ore-server set-password` with `input` on its standard input.
    int SetPassword(const QString& op, const QByteArray& input) {
        QProcess p;
        p.start(ServerExecutable(), {"set-password", "--db", UrlString(), "--operator", op});
        p.write(input);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(kProcessBoundMs));
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QProcess m_a, m_b;
};

TEST_P(SessionProcess, ASessionOpenedOnOneServerServesOnAnotherUntilSignedOut) {
    const int a = Start(m_a), b = Start(m_b);
    ASSERT_TRUE(a && b);
    const QString token = DemoSessionToken(a);
    EXPECT_TRUE(Param(b, token).ok);
    TNetSession::SetToken(token);
    TNetSession::SignOut(QStringLiteral("127.0.0.1"), b);
    EXPECT_TRUE(TNetSession::Token().isEmpty());
    EXPECT_EQ(Param(a, token).message, kNoSession);
}

TEST_P(SessionProcess, SetPasswordTakesOneLineAndRefusesAnEmptyOneOrAnUnknownOperator) {
    const struct {
        const char* op;
        QByteArray input;
        int exit;
    } cases[] = {
        {"JOAO", "", 1},
        {"JOAO", "\n", 1},
        {"NINGUEM", "segredo\n", 1},
        {"JOAO", "nova senha\r\n", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetPassword(c.op, c.input), c.exit) << c.op << " " << c.input.toStdString();
    const int port = Start(m_a);
    ASSERT_NE(port, 0);
    EXPECT_THROW(TNetSession::SignIn("127.0.0.1", port, "JOAO", "joao123"), EServerCallError);
    TNetSession::SignIn("127.0.0.1", port, "JOAO", "nova senha");
    EXPECT_TRUE(Param(port).ok);
}

// A 401 runs the renewer once and the call goes again; a renewer that gives up
// leaves the server's sentence.
TEST_P(SessionProcess, A401RenewsTheSessionAndSendsTheCallOnceMore) {
    const int port = Start(m_a);
    ASSERT_NE(port, 0);
    for (const bool renews : {true, false}) {
        SCOPED_TRACE(renews);
        TNetSession::SetToken(QString(43, u'A')); // long gone
        QStringList sentences;
        TNetSession::SetRenewer([&](const QString& sentence) {
            sentences << sentence;
            if (renews)
                TNetSession::SignIn("127.0.0.1", port, "MARIA", DemoPasswordOf("MARIA"));
            return renews;
        });
        const TServerReply reply = Param(port);
        EXPECT_EQ(reply.ok, renews) << reply.message.toStdString();
        EXPECT_EQ(reply.message, renews ? QString() : kNoSession);
        EXPECT_EQ(sentences, QStringList{kNoSession});
    }
}

ORE_INSTANTIATE_ENGINES(SessionProcess);

} // namespace
