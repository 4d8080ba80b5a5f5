#pragma once

#include "rpc/RemoteModuleRegistry.h"
#include "session/SessionGate.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
class ContentReader;
struct Request;
struct Response;
} // namespace httplib
class TTlsContext;

struct TRpcServerOptions {
    // Loopback unless told otherwise.
    QString host = QStringLiteral("127.0.0.1");
    int port = 8211; // 0 picks a free port; Port() tells which
    // A 20,000-budget list with every text filled to its size takes about 36 MiB.
    std::size_t maxBodyBytes = std::size_t(64) << 20;
    int threads = 8;
    // The longest silence while a request is being read.
    std::chrono::milliseconds readTimeout{30000};
    // For the whole reply: a client that stops reading does not hold a thread.
    std::chrono::milliseconds writeTimeout{120000};
    // How long an accepted connection may stay silent before it is dropped.
    std::chrono::seconds idleTimeout{5};
    // Between two requests of a kept connection; clients close theirs sooner.
    std::chrono::milliseconds keepAliveIdle{5000};
    // Requests one connection may carry before the server closes it.
    int maxRequestsPerConnection = 1000;
    // The whole request, from its acceptance, however slowly it trickles in.
    std::chrono::milliseconds requestTimeout{60000};
    // The request line and headers together.
    std::size_t maxHeadBytes = 64 * 1024;
    // PEM files of the certificate chain and its private key: HTTPS when
    // given, plain HTTP when empty.
    QString tlsCert;
    QString tlsKey;
    // Every call but sign-in needs a live session of this store.
    std::shared_ptr<TSessionStore> sessions;
    // Only for benchmarks and tests built in code: calls run without a
    // session, and Start refuses no store.
    bool withoutSessions = false;
};

// The HTTP side of the application server: POST /rpc takes a call envelope
// and answers with a reply envelope; GET /health answers "ok". Calls run on a
// pool of threads; the registry must not change while the server runs.
class TRpcServer {
public:
    explicit TRpcServer(const TRemoteModuleRegistry& registry, TRpcServerOptions options = {});
    ~TRpcServer();

    TRpcServer(const TRpcServer&) = delete;
    TRpcServer& operator=(const TRpcServer&) = delete;

    // Binds and starts accepting on a thread of its own; returns once calls
    // are accepted. Throws Exception when the address cannot be bound, or
    // the certificate or its key cannot be used.
    void Start();
    // Stops accepting, lets the calls under way finish and answer, and
    // returns when the last one has. Safe to call more than once.
    void Stop();

    bool Running() const;
    bool Secure() const { return !m_options.tlsCert.isEmpty(); }
    int Port() const { return m_port; }
    QString Address() const;
    const TRpcServerOptions& Options() const { return m_options; }

private:
    void HandleCall(const httplib::Request& req, httplib::Response& res,
                    const httplib::ContentReader& reader) const;

    const TRemoteModuleRegistry& m_registry;
    TRpcServerOptions m_options;
    std::unique_ptr<TTlsContext> m_tls;
    std::unique_ptr<TSessionGate> m_gate;
    std::unique_ptr<httplib::Server> m_http;
    std::thread m_thread;
    std::atomic<bool> m_listenEnded{false};
    std::mutex m_stopMutex;
    int m_port = 0;
};
