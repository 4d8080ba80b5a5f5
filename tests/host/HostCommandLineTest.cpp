// ore-host's command line and the session it starts, in process and as a process.

#include "core/db/DbConnection.h"
#include "host/HostOptions.h"
#include "host/HostSession.h"
#include "tests/host/HostProcess.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString UsageError(const QStringList& args) {
    try {
        ParseHostOptions(args);
    } catch (const EUsage& e) {
        return e.Message();
    }
    return QStringLiteral("(accepted)");
}

} // namespace

TEST(HostCommandLine, ReadsEveryOption) {
    QTemporaryDir dir;
    const THostOptions o = ParseHostOptions(
        {QStringLiteral("--server"), QStringLiteral("10.0.0.5:9000"), QStringLiteral("--db=x.db"),
         QStringLiteral("--operator"), QStringLiteral("MARIA"), QStringLiteral("--branch"),
         QStringLiteral("0001"), QStringLiteral("--bound"), QStringLiteral("--open"),
         QStringLiteral("ore00800"), QStringLiteral("--modules"), dir.path()});
    EXPECT_EQ(o.serverHost, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(o.serverPort, 9000);
    EXPECT_EQ(o.db, QStringLiteral("x.db"));
    EXPECT_EQ(o.operador, QStringLiteral("MARIA"));
    EXPECT_EQ(o.branch, QStringLiteral("0001"));
    EXPECT_TRUE(o.bound);
    EXPECT_EQ(o.openCode, QStringLiteral("ORE00800"));
    EXPECT_EQ(o.modulesDir, dir.path());

    const THostOptions defaults = ParseHostOptions({});
    EXPECT_EQ(defaults.serverHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(defaults.serverPort, 8211);
    EXPECT_FALSE(defaults.bound);
}

TEST(HostCommandLine, WrongOptionsSayWhatIsWrong) {
    EXPECT_EQ(UsageError({QStringLiteral("--sever"), QStringLiteral("x")}),
              QStringLiteral("opção desconhecida \"--sever\"."));
    EXPECT_EQ(UsageError({QStringLiteral("--operator")}),
              QStringLiteral("falta o valor de --operator."));
    EXPECT_EQ(UsageError({QStringLiteral("--server"), QStringLiteral("localhost:99999")}),
              QStringLiteral("--server espera HOST:PORTA (por exemplo 127.0.0.1:8211), "
                             "recebeu \"localhost:99999\"."));
    EXPECT_EQ(UsageError({QStringLiteral("--branch"), QStringLiteral("0001")}),
              QStringLiteral("--branch requer --db: o nome da filial vem do banco."));
    EXPECT_TRUE(UsageError({QStringLiteral("--db"), QStringLiteral("mysql://x/y")})
                    .startsWith(QStringLiteral("--db: ")));
    EXPECT_TRUE(UsageError({QStringLiteral("--open"), QStringLiteral("a/b")})
                    .startsWith(QStringLiteral("--open: ")));
}

TEST(HostCommandLine, BranchNameComesFromTheDatabase) {
    QTemporaryDir dir;
    TDbConnection db(dir.filePath(QStringLiteral("b.db")));
    db.ExecScript(QStringLiteral("CREATE TABLE FILIAL (CDFILIAL TEXT, NMFILIAL TEXT);"
                                 "INSERT INTO FILIAL VALUES ('0001', 'Matriz São Paulo')"));
    THostOptions o;
    o.branch = QStringLiteral("0001");
    o.operador = QStringLiteral("MARIA");
    o.bound = true;
    const TSessionInfo s = SessionFromOptions(o, &db);
    EXPECT_EQ(s.filiProc, QStringLiteral("0001"));
    EXPECT_EQ(s.nomeFiliProc, QStringLiteral("Matriz São Paulo"));
    EXPECT_EQ(s.operador, QStringLiteral("MARIA"));
    EXPECT_TRUE(s.moduFili);

    o.branch = QStringLiteral("0009");
    EXPECT_THROW(SessionFromOptions(o, &db), EUsage);
}

TEST(HostCommandLine, ProcessExitsWith2OnWrongOptions) {
    const THostRun wrong = RunHost({QStringLiteral("--server"), QStringLiteral("nope")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("--server espera HOST:PORTA")))
        << wrong.err.toStdString();
}
