#pragma once

// Shared by the tests of the remote modules: a seeded demo database with the
// modules registered, and the real ore-server executable as a process.

#include "StorageTestUtil.h"
#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/Commands.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

// A demo database per engine with every remote module registered on it.
class SeededModulesTest : public SeededDbTest {
protected:
    void SetUp() override {
        SeededDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        RegisterModules(m_registry, UrlString());
    }

    TServerReply Call(const QString& server, const QString& method, const QVariantList& args) {
        TCallContext context;
        return m_registry.Dispatch(context, {server, method, args});
    }

    TRemoteModuleRegistry m_registry;
};

constexpr int kProcessBoundMs = 20000; // what any wait on the process may take at most

// The ore-server executable; ORE_SERVER runs the tests against another build.
inline QString ServerExecutable() {
    const QString fromEnv = qEnvironmentVariable("ORE_SERVER");
    return fromEnv.isEmpty() ? QStringLiteral(ORE_SERVER_EXE) : fromEnv;
}

// Starts `ore-server serve` on a free loopback port and waits until it
// listens; returns the port, or 0 with the server's log in `log`.
inline int StartServer(QProcess& p, const QString& db, QString& log,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    static const QRegularExpression started("atendendo em 127\\.0\\.0\\.1:(\\d+) ");
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError);
    p.start(ServerExecutable(), {"serve", "--db", db, "--listen", "127.0.0.1:0"});
    QRegularExpressionMatch match;
    while (!(match = started.match(log)).hasMatch() && p.waitForReadyRead(kProcessBoundMs))
        log += QString::fromUtf8(p.readAllStandardError());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}
