#pragma once

#include <QString>

#include <functional>

// The operator's session on the application server, process-wide: the token
// that every call carries, and what to do when the server says it is gone.
class TNetSession {
public:
    static QString Token();
    static void SetToken(const QString&); // thread-safe, process-wide
    // Run by a connection whose call came back 401, with the server's sentence; returns true once a
    // new session is in place, and the call is then sent once more (it did not run the first time).
    using TRenewer = std::function<bool(const QString& sentence)>;
    static void SetRenewer(TRenewer); // null: the call just fails with the sentence
    // Calls ORE.rdmSessao.Entrar on host:port, keeps the token; throws EServerCallError with the
    // server's sentence.
    static void SignIn(const QString& host, int port, const QString& op, const QString& password);
    static void SignOut(const QString& host, int port); // best effort; clears the token
};
