#include "transport/RpcServer.h"

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "transport/CallAnswer.h"
#include "transport/ConnectionStream.h"
#include "transport/TlsChannel.h"
#include "transport/TlsContext.h"

#include <httplib.h>

#include <malloc.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Every refusal carries a failure envelope, so that a client shows one
// sentence whatever went wrong.
void Refuse(httplib::Response& res, int status, const QString& message) {
    res.status = status;
    const QByteArray body = Wire::EncodeReply(TServerReply::Failure(message));
    res.set_content(body.constData(), size_t(body.size()), Wire::kContentType);
}

// For the last resort paths, where nothing may escape into httplib's threads.
void RefuseSafely(httplib::Response& res, int status, const QString& message) noexcept {
    try {
        Refuse(res, status, message);
    } catch (...) {
        res.status = status;
        res.body.clear();
    }
}

QString BindError(int error) {
    switch (error) {
    case EADDRINUSE:
        return QStringLiteral("o endereço já está em uso");
    case EACCES:
        return QStringLiteral("permissão negada");
    case EADDRNOTAVAIL:
        return QStringLiteral("o endereço não pertence a este computador");
    default:
        return QStringLiteral("endereço inválido ou indisponível");
    }
}

// "application/cbor; charset=..." still names CBOR.
bool IsCbor(const std::string& contentType) {
    const auto end = contentType.find(';');
    QString type = QString::fromStdString(contentType.substr(0, end)).trimmed();
    return type.compare(QLatin1StringView(Wire::kContentType), Qt::CaseInsensitive) == 0;
}

// The refusal of a request that a bound of the connection cut short.
std::optional<std::pair<int, QString>> CutShort(const TRpcServerOptions& o) {
    const TConnectionStream* stream = TConnectionStream::Current();
    if (!stream)
        return std::nullopt;
    switch (stream->Stopped()) {
    case TConnectionStream::TStop::TimedOut:
        return std::pair(408, QStringLiteral("A requisição não chegou inteira no tempo permitido "
                                             "(%1 ms no total, %2 ms sem dados).")
                                  .arg(o.requestTimeout.count())
                                  .arg(o.readTimeout.count()));
    case TConnectionStream::TStop::HeadTooLarge:
        return std::pair(431, QStringLiteral("O cabeçalho da requisição excede o tamanho máximo "
                                             "de %1 bytes.")
                                  .arg(o.maxHeadBytes));
    case TConnectionStream::TStop::None:
        break;
    }
    return std::nullopt;
}

constexpr std::chrono::milliseconds kLinger{2000};

// Whether the request being answered on this thread may keep its connection.
struct TKeep {
    bool allowed = false; // not the connection's last allowed request
    bool promised = false;
};
thread_local TKeep* t_keep = nullptr;
constexpr std::size_t kTrimAfterBytes = std::size_t(1) << 20;
// Answers this large are sent from the buffer they were encoded into.
constexpr std::size_t kAnswerInPlaceFrom = std::size_t(1) << 20;

class THttpServer : public httplib::Server {
public:
    THttpServer(const TRpcServerOptions& options, const TTlsContext* tls)
        : m_options(options), m_tls(tls) {
        set_post_routing_handler(
            [this](const httplib::Request&, httplib::Response& res) { DecideKeep(res); });
    }

    // httplib listens with a backlog of 5: a burst of callers overflows it,
    // and every connection dropped there waits a second for the kernel to
    // retry. Listening again on the bound socket raises the backlog.
    void RaiseBacklog() { ::listen(svr_sock_, SOMAXCONN); }

    // The pool's queue, to tell whether connections wait for a thread.
    void SetQueue(TAcceptQueue* queue) { m_queue = queue; }

private:
    // Requests of one connection, each read through the same stream with
    // bounds of its own, kept open between them while allowed (DecideKeep).
    bool process_and_close_socket(socket_t sock) override {
        using Clock = TConnectionStream::Clock;
        const Clock::time_point accepted = TAcceptQueue::AcceptedAt();
        const Clock::time_point deadline = accepted + m_options.requestTimeout;
        bool served = false;
        std::size_t read = 0;
        if (WaitForRequest(sock, std::min(deadline, accepted + m_options.idleTimeout))) {
            const TConnectionStream::TLimits limits{deadline, m_options.readTimeout,
                                                    m_options.writeTimeout, m_options.maxHeadBytes};
            if (!m_tls) {
                TSocketChannel plain(sock);
                served = Serve(plain, limits, read);
            } else {
                TTlsChannel tls(*m_tls, sock);
                switch (tls.Handshake(deadline, m_options.readTimeout)) {
                case TTlsChannel::THandshake::Done:
                    served = Serve(tls, limits, read);
                    tls.EndOutput();
                    break;
                case TTlsChannel::THandshake::PlainHttp: {
                    // The one answer that a client without TLS can read.
                    TSocketChannel plain(sock);
                    TConnectionStream stream(plain, limits);
                    WriteRefusal(stream, 400,
                                 QStringLiteral("Este servidor de aplicação só atende HTTPS."));
                    stream.Linger(kLinger);
                    break;
                }
                case TTlsChannel::THandshake::TimedOut:
                case TTlsChannel::THandshake::Failed:
                    break; // nothing can be said to a client without a session
                }
            }
        }
        ::shutdown(sock, SHUT_RDWR);
        ::close(sock);
        // A large request leaves freed pages in this thread's arena, which
        // the allocator keeps unless told: after a flood of them the server
        // would stay at its peak.
        if (read >= kTrimAfterBytes)
            ::malloc_trim(0);
        return served;
    }

    bool Serve(TSocketChannel& channel, const TConnectionStream::TLimits& limits,
               std::size_t& read) {
        TConnectionStream stream(channel, limits);
        TCurrentConnection current(stream);
        bool served = false;
        for (int count = 1;; ++count) {
            TKeep keep{count < m_options.maxRequestsPerConnection};
            t_keep = &keep;
            bool closed = false;
            served = process_request(stream, !keep.allowed, closed, nullptr);
            t_keep = nullptr;
            // httplib answers nothing when the request line never came whole.
            if (!served && !stream.Wrote())
                if (const auto cut = CutShort(m_options))
                    WriteRefusal(stream, cut->first, cut->second);
            stream.Flush();
            if (!keep.promised)
                break;
            const bool next = served && !closed &&
                              (stream.Pending() ||
                               WaitForRequest(channel.Socket(), TConnectionStream::Clock::now() +
                                                                    m_options.keepAliveIdle));
            --m_kept;
            if (!next)
                break;
            stream.NextRequest(TConnectionStream::Clock::now() + m_options.requestTimeout);
        }
        // Closing on unread bytes resets the connection, and the client
        // would lose the refusal it is owed.
        if (stream.Status() >= 400)
            stream.Linger(kLinger);
        read = stream.BytesRead();
        return served;
    }

    // Decided as each reply goes out: whether it promises to keep the
    // connection open. Not after a refusal, which may leave a request half
    // read; not while accepted connections wait for a thread; and for fewer
    // connections than there are threads, since each holds one while idle:
    // a new client always finds a thread. A promise lasts until the next
    // request comes or the connection ends.
    void DecideKeep(httplib::Response& res) {
        TKeep* keep = t_keep;
        if (keep && keep->allowed && res.status < 400 && !(m_queue && m_queue->Waiting())) {
            const int cap = std::max(1, m_options.threads) - 1;
            for (int n = m_kept.load(); n < cap;)
                if (m_kept.compare_exchange_weak(n, n + 1)) {
                    keep->promised = true;
                    return;
                }
        }
        if (!res.has_header("Connection"))
            res.set_header("Connection", "close");
    }

    // Waits for the first bytes of a request; false when none came in time
    // or the server is stopping.
    bool WaitForRequest(socket_t sock, TConnectionStream::Clock::time_point until) const {
        pollfd fd{sock, POLLIN, 0};
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                until - TConnectionStream::Clock::now());
            const int rc = ::poll(&fd, 1, int(std::clamp<long long>(left.count(), 0, 100)));
            if (rc > 0)
                return true;
            if (rc < 0 && errno != EINTR)
                return false;
            if (left.count() <= 0 || svr_sock_ == INVALID_SOCKET)
                return false;
        }
    }

    static void WriteRefusal(TConnectionStream& stream, int status, const QString& message) {
        try {
            const QByteArray body = Wire::EncodeReply(TServerReply::Failure(message));
            const char* reason = status == 408   ? "Request Timeout"
                                 : status == 431 ? "Request Header Fields Too Large"
                                                 : "Bad Request";
            const std::string head = "HTTP/1.1 " + std::to_string(status) + ' ' + reason +
                                     "\r\nContent-Type: " + Wire::kContentType +
                                     "\r\nContent-Length: " + std::to_string(body.size()) +
                                     "\r\nConnection: close\r\n\r\n";
            stream.write(head.data(), head.size());
            stream.write(body.constData(), size_t(body.size()));
        } catch (...) {
        }
    }

    const TRpcServerOptions& m_options;
    const TTlsContext* m_tls; // null: plain HTTP
    TAcceptQueue* m_queue = nullptr;
    std::atomic<int> m_kept{0};
};

} // namespace

TRpcServer::TRpcServer(const TRemoteModuleRegistry& registry, TRpcServerOptions options)
    : m_registry(registry), m_options(std::move(options)) {}

TRpcServer::~TRpcServer() {
    Stop();
}

QString TRpcServer::Address() const {
    const QString& host = m_options.host;
    const int port = m_port ? m_port : m_options.port;
    if (host.contains(u':'))
        return QStringLiteral("[%1]:%2").arg(host).arg(port);
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

bool TRpcServer::Running() const {
    return m_http && m_http->is_running();
}

void TRpcServer::Start() {
    if (m_thread.joinable())
        throw Exception(QStringLiteral("O servidor de aplicação já está em execução."));
    if (!m_options.sessions && !m_options.withoutSessions)
        throw Exception(
            QStringLiteral("O servidor de aplicação não tem onde conferir as sessões."));
    if (m_options.sessions && !m_options.withoutSessions)
        m_gate = std::make_unique<TSessionGate>(m_options.sessions);
    // Request bodies and what is decoded from them run to tens of megabytes.
    // Above this size glibc would otherwise raise its threshold for mapping
    // blocks of their own as they are freed, and serve the next ones from
    // heaps it never gives back: a burst of large calls would leave the
    // server at its peak.
    ::mallopt(M_MMAP_THRESHOLD, int(kTrimAfterBytes));
    if (!m_options.tlsCert.isEmpty() && !m_tls)
        m_tls = std::make_unique<TTlsContext>(m_options.tlsCert, m_options.tlsKey);
    auto http = std::make_unique<THttpServer>(m_options, m_tls.get());
    const size_t threads = size_t(std::max(1, m_options.threads));
    http->new_task_queue = [threads, server = http.get()] {
        auto* queue = new TAcceptQueue(threads);
        server->SetQueue(queue);
        return queue;
    };
    http->set_payload_max_length(m_options.maxBodyBytes);
    // Timeouts and keep-alive are the connection stream's (THttpServer),
    // which says so in every reply; httplib's own read and
    // write timeouts stay as the sockets' limits of last resort.
    http->set_read_timeout(m_options.readTimeout);
    http->set_write_timeout(m_options.writeTimeout);
    // Headers and body go out in separate writes; without this, delayed
    // acknowledgements would add tens of milliseconds to every call.
    http->set_tcp_nodelay(true);
    // What the replies announce of keep-alive.
    http->set_keep_alive_timeout(
        std::chrono::duration_cast<std::chrono::seconds>(m_options.keepAliveIdle).count());
    http->set_keep_alive_max_count(size_t(std::max(1, m_options.maxRequestsPerConnection)));
    // Reuse the address for a quick restart, but not the port: with
    // SO_REUSEPORT (httplib's default) a second server would silently share
    // the calls instead of failing to start.
    http->set_socket_options([](int sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });

    http->Post(Wire::kCallPath,
               [this](const httplib::Request& req, httplib::Response& res,
                      const httplib::ContentReader& reader) { HandleCall(req, res, reader); });
    http->Get("/health", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("ok", "text/plain");
    });
    const size_t maxBody = m_options.maxBodyBytes;
    using HandlerWithResponse = httplib::Server::HandlerWithResponse;
    http->set_error_handler(HandlerWithResponse([maxBody,
                                                 &options = m_options](const httplib::Request& req,
                                                                       httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        QString message;
        if (const auto cut = CutShort(options)) {
            res.status = cut->first;
            message = cut->second;
        } else if (res.status == 413)
            message =
                QStringLiteral("A requisição excede o tamanho máximo de %1 bytes.").arg(maxBody);
        else if (res.status == 404)
            message = QStringLiteral("O recurso %1 %2 não existe; as chamadas vão por POST %3.")
                          .arg(QString::fromStdString(req.method), QString::fromStdString(req.path),
                               QLatin1StringView(Wire::kCallPath));
        else if (res.status == 400)
            message = QStringLiteral("Requisição HTTP malformada: a linha de requisição ou um "
                                     "cabeçalho não segue o HTTP/1.1.");
        else if (res.status == 414)
            message = QStringLiteral("O endereço da requisição é longo demais.");
        else
            message = QStringLiteral("Requisição HTTP recusada (status %1).").arg(res.status);
        RefuseSafely(res, res.status, message);
        return httplib::Server::HandlerResponse::Handled;
    }));
    http->set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
            RefuseSafely(res, 500, QStringLiteral("Erro interno do servidor de aplicação."));
        });

    const std::string host = m_options.host.toStdString();
    errno = 0;
    int port = m_options.port;
    if (port == 0)
        port = http->bind_to_any_port(host);
    else if (!http->bind_to_port(host, port))
        port = -1;
    if (port < 0)
        throw Exception(
            QStringLiteral("Não foi possível escutar em %1: %2.").arg(Address(), BindError(errno)));
    http->RaiseBacklog();
    m_port = port;
    m_http = std::move(http);
    m_listenEnded = false;
    m_thread = std::thread([this] {
        m_http->listen_after_bind();
        m_listenEnded = true;
    });
    // Stop() before the loop has started would be lost: wait for it.
    while (!m_http->is_running() && !m_listenEnded)
        std::this_thread::yield();
}

void TRpcServer::Stop() {
    std::lock_guard lock(m_stopMutex);
    if (!m_thread.joinable())
        return;
    m_http->stop();
    // The listening loop ends, then its pool finishes the calls it holds.
    m_thread.join();
}

void TRpcServer::HandleCall(const httplib::Request& req, httplib::Response& res,
                            const httplib::ContentReader& reader) const {
    try {
        // Reading the body ourselves bounds it also when it comes chunked or
        // compressed, which the length check of httplib does not see.
        QByteArray body;
        bool tooLarge = false;
        const bool read = reader([&](const char* data, size_t n) {
            if (size_t(body.size()) + n > m_options.maxBodyBytes) {
                tooLarge = true;
                return false;
            }
            body.append(data, qsizetype(n));
            return true;
        });
        if (tooLarge || res.status == 413)
            return Refuse(res, 413,
                          QStringLiteral("A requisição excede o tamanho máximo de %1 bytes.")
                              .arg(m_options.maxBodyBytes));
        if (const auto cut = CutShort(m_options))
            return Refuse(res, cut->first, cut->second);
        if (!read)
            return Refuse(res, 400,
                          QStringLiteral("Requisição incompleta: o corpo não chegou "
                                         "inteiro."));
        // Browsers send other types without asking first; insisting on CBOR
        // keeps a web page from posting calls through an operator's browser.
        if (!IsCbor(req.get_header_value("Content-Type")))
            return Refuse(res, 415,
                          QStringLiteral("As chamadas devem ter o tipo de conteúdo %1.")
                              .arg(QLatin1StringView(Wire::kContentType)));

        TCallContext context;
        context.peerAddress = QString::fromStdString(req.remote_addr);
        context.peerPort = req.remote_port;
        TCallAnswer answer = AnswerCall(m_registry, std::move(context), body, m_gate.get(),
                                        req.get_header_value("Authorization"));
        res.status = answer.status;
        const size_t size = size_t(answer.body.Size());
        if (size < kAnswerInPlaceFrom) {
            // Copied once into the response, piece by piece, and sent in one
            // write with its head.
            res.body.reserve(size);
            for (const QByteArray& piece : answer.body.Pieces())
                res.body.append(piece.constData(), size_t(piece.size()));
            res.set_header("Content-Type", Wire::kContentType);
        } else {
            // A large answer (a list runs to tens of megabytes) is sent from
            // the buffers it was made in: the envelope's own bytes, and each
            // packet where the module built it.
            auto held = std::make_shared<TWirePieces>(std::move(answer.body));
            res.set_content_provider(
                size, Wire::kContentType,
                [held, piece = size_t(0), start = size_t(0)](size_t offset, size_t length,
                                                             httplib::DataSink& sink) mutable {
                    // Offsets grow from one call to the next; the piece that
                    // holds `offset` is found from the last one.
                    const auto& pieces = held->Pieces();
                    if (offset < start)
                        piece = start = 0;
                    while (piece < pieces.size() && offset >= start + size_t(pieces[piece].size()))
                        start += size_t(pieces[piece++].size());
                    if (piece == pieces.size())
                        return false; // past the end: not asked by httplib
                    const QByteArray& p = pieces[piece];
                    const size_t from = offset - start;
                    return sink.write(p.constData() + from,
                                      std::min(length, size_t(p.size()) - from));
                });
        }
    } catch (...) {
        RefuseSafely(res, 500, QStringLiteral("Erro interno do servidor de aplicação."));
    }
}
