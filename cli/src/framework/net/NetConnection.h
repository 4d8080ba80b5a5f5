#pragma once

#include "core/data/Exceptions.h"
#include "core/wire/RpcEnvelope.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>

// A failed call raised by a connection whose ThrowException is on: the
// message is the server's text as it stands, or the client's own sentence
// when the server was never reached or did not answer properly.
class EServerCallError : public Exception {
public:
    using Exception::Exception;
};

class THttpClientPool;

// A connection to one remote module of the application server. Every call is
// one HTTP POST over a connection kept alive from the previous call when it
// has not been idle for longer than KeepAliveIdle; Connect only settles the
// address (running BeforeConnect), and a server that goes away and comes back
// needs no reconnection by the caller.
class TNetConnection : public QObject {
    Q_OBJECT
public:
    explicit TNetConnection(QObject* parent = nullptr);
    ~TNetConnection() override;

    QString ServerName; // "ORE00800.rdmFechaOrca"
    QString Host = QStringLiteral("127.0.0.1");
    int Port = 8211;
    bool ThrowException = true;
    // Run by Connect before the address is used, so that a screen can take
    // the host and port from the session.
    std::function<void(TNetConnection&)> BeforeConnect;
    // The session this connection's calls carry; empty for the process's
    // (TNetSession), which alone is renewed: a call refused for want of a
    // session (401) runs TNetSession's renewer and is sent once more when it
    // renews.
    QString SessionToken;
    bool RenewSession = true;

    std::chrono::milliseconds ConnectTimeout{5000};
    std::chrono::milliseconds WriteTimeout{60000};
    // A closing can keep the server busy for a while before it answers.
    std::chrono::milliseconds ReadTimeout{120000};
    // Kept below the server's limit (5 s), so that the server does not close
    // a connection just as a call goes out on it. Zero: a new connection for
    // every call.
    std::chrono::milliseconds KeepAliveIdle{3000};

    // Runs BeforeConnect and checks the address; throws EServerCallError for
    // an unusable one.
    void Connect();
    // Also closes the kept connections.
    void Close();
    bool Connected() const { return m_connected; }

    // Calls `method` of ServerName, connecting first if need be. A failure
    // (the server's refusal, or no proper answer) throws EServerCallError
    // when ThrowException is on and comes back as a reply with ok false
    // otherwise. Safe to call from several threads once connected.
    TServerReply Call(const QString& method, const QVariantList& args = {});

private:
    // Sends `token` as the session; `unauthorized` tells a 401, a refusal
    // before the method ran.
    TServerReply Post(const QString& method, const QVariantList& args, const QString& token,
                      bool& unauthorized) const;
    QString Address() const;

    bool m_connected = false;
    // One kept connection per call under way at once.
    std::unique_ptr<THttpClientPool> m_clients;
};
