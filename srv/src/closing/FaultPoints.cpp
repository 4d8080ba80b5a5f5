#include "closing/FaultPoints.h"

#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <unistd.h>

QString WritePoint(const QString& sql) {
    static const QRegularExpression write(
        QStringLiteral("^\\s*(INSERT|UPDATE|DELETE)\\s+(?:INTO\\s+|FROM\\s+)?([A-Za-z0-9_]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = write.match(sql);
    if (!m.hasMatch())
        return {};
    return m.captured(1).toUpper() + u':' + m.captured(2).toUpper();
}

TFaultPoints EnvironmentFaultPoints() {
    const QString armed = qEnvironmentVariable("ORE_FAULT_POINT");
    if (armed.isEmpty())
        return {};
    if (armed == u"list")
        return [](const QString& point) {
            std::fprintf(stderr, "ore-server: ponto de falha %s\n", point.toUtf8().constData());
        };
    return [armed](const QString& point) {
        if (point == armed) // no cleanup, no flush: as a power cut or the OOM killer would
            ::kill(::getpid(), SIGKILL);
    };
}
