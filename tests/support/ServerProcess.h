#pragma once

// The real ore-server executable run as a process by the tests that need it
// (the target defines ORE_SERVER_EXE).

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

constexpr int kProcessBoundMs = 20000; // what any wait on the process may take at most

// The ore-server executable; ORE_SERVER runs the tests against another build.
inline QString ServerExecutable() {
    const QString fromEnv = qEnvironmentVariable("ORE_SERVER");
    return fromEnv.isEmpty() ? QStringLiteral(ORE_SERVER_EXE) : fromEnv;
}

// Starts `ore-server serve` on a free loopback port (or `port`), with
// `options` added, and waits until it listens; returns the port, or 0 with
// the server's log in `log`.
inline int StartServer(QProcess& p, const QString& db, QString& log,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                       const QStringList& options = {}, int port = 0) {
    static const QRegularExpression started("atendendo em 127\\.0\\.0\\.1:(\\d+) ");
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError);
    p.start(ServerExecutable(),
            QStringList{"serve", "--db", db, "--listen", QStringLiteral("127.0.0.1:%1").arg(port)} +
                options);
    QRegularExpressionMatch match;
    while (!(match = started.match(log)).hasMatch() && p.waitForReadyRead(kProcessBoundMs))
        log += QString::fromUtf8(p.readAllStandardError());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}
