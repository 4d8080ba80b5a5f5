#include "framework/net/NetSession.h"

#include "framework/net/NetConnection.h"

#include <mutex>

namespace {

std::mutex& Guard() {
    static std::mutex m;
    return m;
}
QString& CurrentToken() {
    static QString token;
    return token;
}
TNetSession::TRenewer& CurrentRenewer() {
    static TNetSession::TRenewer renewer;
    return renewer;
}

} // namespace

QString TNetSession::Token() {
    std::lock_guard lock(Guard());
    return CurrentToken();
}

void TNetSession::SetToken(const QString& token) {
    std::lock_guard lock(Guard());
    CurrentToken() = token;
}

void TNetSession::SetRenewer(TRenewer renewer) {
    std::lock_guard lock(Guard());
    CurrentRenewer() = std::move(renewer);
}

void TNetSession::SignIn(const QString& host, int port, const QString& op,
                         const QString& password) {
    TNetConnection c;
    c.ServerName = QStringLiteral("ORE.rdmSessao");
    c.Host = host;
    c.Port = port;
    SetToken(c.Call(QStringLiteral("Entrar"), {op, password}).payload.toString());
}

void TNetSession::SignOut(const QString& host, int port) {
    if (!Token().isEmpty()) {
        TNetConnection c;
        c.ServerName = QStringLiteral("ORE.rdmSessao");
        c.Host = host;
        c.Port = port;
        c.ThrowException = false;
        c.Call(QStringLiteral("Sair"));
    }
    SetToken({});
}
