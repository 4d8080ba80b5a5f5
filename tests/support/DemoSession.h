#pragma once

// Sessions on a real ore-server for the tests that call it: the demo
// operators' passwords (what seed-demo gives them) and signing in with them.

#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"

#include <QString>

inline QString DemoPasswordOf(const QString& op) {
    return op.toLower() + QStringLiteral("123");
}

// A session of `op` on the server at loopback `port`, for a connection's own
// SessionToken; throws EServerCallError when the server refuses.
inline QString DemoSessionToken(int port, const QString& op = QStringLiteral("MARIA")) {
    TNetConnection conn;
    conn.ServerName = QStringLiteral("ORE.rdmSessao");
    conn.Port = port;
    return conn.Call(QStringLiteral("Entrar"), {op, DemoPasswordOf(op)}).payload.toString();
}

// Makes a session of `op` the process's while it lives, as the host does when
// it signs in; throws EServerCallError when the server refuses.
class TDemoSignIn {
public:
    explicit TDemoSignIn(int port, const QString& op = QStringLiteral("MARIA")) {
        TNetSession::SignIn(QStringLiteral("127.0.0.1"), port, op, DemoPasswordOf(op));
    }
    ~TDemoSignIn() { TNetSession::SetToken({}); }
    TDemoSignIn(const TDemoSignIn&) = delete;
    TDemoSignIn& operator=(const TDemoSignIn&) = delete;
};
