// The ore-server executable as a process: its command line and its shutdown.

#include "framework/net/NetConnection.h"
#include "tests/srv/ServerTestUtil.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(ServeProcess, StopsCleanlyOnSigtermAndSigint) {
    QTemporaryDir dir;
    for (const int signal : {SIGTERM, SIGINT}) {
        QProcess p;
        QString log;
        const int port = StartServer(p, dir.filePath("ore.db"), log);
        ASSERT_NE(port, 0) << log.toStdString();

        TNetConnection conn;
        conn.ServerName = "ORE00800.rdmNenhum";
        conn.Port = port;
        conn.ThrowException = false;
        EXPECT_EQ(conn.Call("GetGeral").message,
                  "Sessão inválida ou expirada. Entre novamente."); // it serves

        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        // One line when it starts, one when it stops.
        log += QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(log.count('\n'), 2) << log.toStdString();
        EXPECT_TRUE(log.endsWith(signal == SIGTERM ? "encerrado por SIGTERM.\n"
                                                   : "encerrado por SIGINT.\n"));
        EXPECT_TRUE(conn.Call("GetGeral").message.contains("conexão recusada"));
    }
}

TEST(ServeProcess, UsageErrorsExitWith2) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "falta o comando."},
        {{"migrate"}, "comando desconhecido \"migrate\"."},
        {{"init-db", "--listen", "x"}, "opção \"--listen\" não se aplica a init-db."},
        {{"init-db", "--db"}, "falta o valor de --db."},
        {{"seed-scale", "--db", "a"}, "seed-scale exige --budgets N."},
        {{"seed-scale", "--budgets=0"},
         "--budgets espera um inteiro de 1 a 10000000, recebeu \"0\"."},
        {{"serve", "--listen", "127.0.0.1:70000"},
         "--listen espera HOST:PORTA (por exemplo 127.0.0.1:8211), recebeu \"127.0.0.1:70000\"."},
    };
    for (const auto& c : cases) {
        QProcess p;
        p.start(ServerExecutable(), c.args);
        ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
        EXPECT_EQ(p.exitCode(), 2) << c.message;
        EXPECT_EQ(p.readAllStandardError().toStdString(),
                  std::string("ore-server: ") + c.message +
                      "\nUse ore-server --help para ver os comandos.\n");
    }
    QProcess help;
    help.start(ServerExecutable(), {"serve", "--help"});
    ASSERT_TRUE(help.waitForFinished(kProcessBoundMs));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("Uso: ore-server COMANDO"));
}

} // namespace
