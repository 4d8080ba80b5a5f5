// The ore-server executable as a process: its command line and its shutdown.

#include "NetConnection.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kBoundMs = 20000; // what any wait below may take at most

QString Executable() {
    // ORE_SERVER runs the tests against another build of the server.
    const QString fromEnv = qEnvironmentVariable("ORE_SERVER");
    return fromEnv.isEmpty() ? QStringLiteral(ORE_SERVER_EXE) : fromEnv;
}

TEST(ServeProcess, StopsCleanlyOnSigtermAndSigint) {
    QTemporaryDir dir;
    static const QRegularExpression started("^ore-server: atendendo em 127\\.0\\.0\\.1:(\\d+) ");
    for (const int signal : {SIGTERM, SIGINT}) {
        QProcess p;
        p.setReadChannel(QProcess::StandardError);
        p.start(Executable(), {"serve", "--db", dir.filePath("ore.db"), "--listen", "127.0.0.1:0"});
        QString log;
        QRegularExpressionMatch match;
        while (!(match = started.match(log)).hasMatch() && p.waitForReadyRead(kBoundMs))
            log += QString::fromUtf8(p.readAllStandardError());
        ASSERT_TRUE(match.hasMatch()) << log.toStdString();

        TNetConnection conn;
        conn.ServerName = "ORE00800.rdmNenhum";
        conn.Port = match.captured(1).toInt();
        conn.ThrowException = false;
        EXPECT_TRUE(conn.Call("GetGeral").message.startsWith("O módulo remoto")); // it serves

        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(kBoundMs));
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
        p.start(Executable(), c.args);
        ASSERT_TRUE(p.waitForFinished(kBoundMs));
        EXPECT_EQ(p.exitCode(), 2) << c.message;
        EXPECT_EQ(p.readAllStandardError().toStdString(),
                  std::string("ore-server: ") + c.message +
                      "\nUse ore-server --help para ver os comandos.\n");
    }
    QProcess help;
    help.start(Executable(), {"serve", "--help"});
    ASSERT_TRUE(help.waitForFinished(kBoundMs));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("Uso: ore-server COMANDO"));
}

} // namespace
