#include "framework/net/NetSession.h"

#include "framework/net/NetConnection.h"

#include <mutex>

namespace {

const QString kServer = QStringLiteral("ORE.rdmSessao");

struct TState {
    std::mutex mutex;
    QString token;
    TNetSession::TRenewer renewer;
    // Held while a renewer runs: calls of several threads that meet the same
    // 401 sign in once.
    std::mutex renewing;
};

TState& State() {
    static TState state;
    return state;
}

} // namespace

QString TNetSession::Token() {
    std::lock_guard lock(State().mutex);
    return State().token;
}

void TNetSession::SetToken(const QString& token) {
    std::lock_guard lock(State().mutex);
    State().token = token;
}

void TNetSession::SetRenewer(TRenewer renewer) {
    std::lock_guard lock(State().mutex);
    State().renewer = std::move(renewer);
}

bool TNetSession::Renew(const QString& sentence, const QString& sent) {
    std::lock_guard renewing(State().renewing);
    if (const QString now = Token(); now != sent && !now.isEmpty())
        return true;
    TRenewer renewer;
    {
        std::lock_guard lock(State().mutex);
        renewer = State().renewer;
    }
    return renewer && renewer(sentence);
}

void TNetSession::SignIn(const QString& host, int port, const QString& op,
                         const QString& password) {
    TNetConnection connection;
    connection.ServerName = kServer;
    connection.Host = host;
    connection.Port = port;
    const TServerReply reply = connection.Call(QStringLiteral("Entrar"), {op, password});
    SetToken(reply.payload.toString());
}

void TNetSession::SignOut(const QString& host, int port) {
    if (!Token().isEmpty()) {
        TNetConnection connection;
        connection.ServerName = kServer;
        connection.Host = host;
        connection.Port = port;
        connection.ThrowException = false;
        // A session that has already ended answers 401: nothing to renew.
        connection.RenewSession = false;
        connection.Call(QStringLiteral("Sair"));
    }
    SetToken({});
}
