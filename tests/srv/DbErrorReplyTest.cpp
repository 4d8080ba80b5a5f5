// A database error reaches the caller as a sentence; the statement and the
// engine's text go to the server's log. Checked on the real executable, whose
// log is its stderr.

#include "tests/srv/ServerTestUtil.h"

#include "core/db/DbConnection.h"
#include "framework/net/NetConnection.h"
#include "tests/support/DemoSession.h"

#include <QProcess>

#include <csignal>

namespace {

class DbErrorReply : public SeededDbTest {};

TEST_P(DbErrorReply, TheCallerGetsASentenceAndTheLogTheStatement) {
    TDbConnection(Url()).ExecRaw(QStringLiteral("DROP TABLE PARAMORCA"));
    QProcess p;
    QString log;
    const int port = StartServer(p, UrlString(), log);
    ASSERT_NE(port, 0) << log.toStdString();
    const TDemoSignIn session(port);

    TNetConnection conn;
    conn.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
    conn.Port = port;
    conn.ThrowException = false;
    const TServerReply reply = conn.Call(QStringLiteral("GetParamOrca"));
    ::kill(pid_t(p.processId()), SIGTERM);
    ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
    log += QString::fromUtf8(p.readAllStandardError());

    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.message.toStdString(),
              "O servidor de aplicação não conseguiu concluir ORE00800.rdmFechaOrca.GetParamOrca "
              "por um erro do banco de dados. O erro foi registrado no log do servidor.");
    EXPECT_TRUE(log.contains(QStringLiteral("\nore-server: erro do banco de dados em "
                                            "ORE00800.rdmFechaOrca.GetParamOrca (chamada de "
                                            "127.0.0.1): ")))
        << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("SELECT IDORIGPRUNITORE FROM PARAMORCA"), Qt::CaseInsensitive))
        << log.toStdString();
}

ORE_INSTANTIATE_ENGINES(DbErrorReply);

} // namespace
