#pragma once

#include <QString>

#include <functional>

// The process's session with the application server: the token every call
// carries, and what a connection does when the server no longer takes it.
class TNetSession {
public:
    static QString Token(); // thread-safe, process-wide
    static void SetToken(const QString& token);

    // Run by a connection whose call came back 401, with the server's
    // sentence; returns true once a new session is in place, and the call is
    // then sent once more (it did not run the first time).
    using TRenewer = std::function<bool(const QString& sentence)>;
    static void SetRenewer(TRenewer renewer); // null: the call just fails with the sentence

    // Calls ORE.rdmSessao.Entrar on host:port and keeps the token; throws
    // EServerCallError with the server's sentence.
    static void SignIn(const QString& host, int port, const QString& op, const QString& password);
    // Best effort; clears the token.
    static void SignOut(const QString& host, int port);

private:
    friend class TNetConnection;
    // For a call sent with `sent` that came back 401: true once a session
    // other than `sent` is in place, renewed by the renewer or meanwhile by
    // another call's.
    static bool Renew(const QString& sentence, const QString& sent);
};
