#pragma once

// ore-host run as a process (the target defines ORE_HOST_EXE).

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct THostRun {
    int exitCode = -1; // -1: it did not end within the bound
    QString err;
};

inline THostRun RunHost(const QStringList& args,
                        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess host;
    host.setProcessEnvironment(env);
    host.start(QStringLiteral(ORE_HOST_EXE), args);
    if (!host.waitForFinished(60000)) {
        host.kill();
        host.waitForFinished();
        return {};
    }
    return {host.exitCode(), QString::fromUtf8(host.readAllStandardError())};
}
