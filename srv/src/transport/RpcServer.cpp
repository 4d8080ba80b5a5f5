#include "transport/RpcServer.h"

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "transport/CallAnswer.h"

#include <httplib.h>

#include <cerrno>
#include <cstring>

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

// httplib listens with a backlog of 5: a burst of callers overflows it, and
// every connection dropped there waits a second for the kernel to retry.
// Listening again on the bound socket raises the backlog.
class THttpServer : public httplib::Server {
public:
    void RaiseBacklog() { ::listen(svr_sock_, SOMAXCONN); }
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
    auto http = std::make_unique<THttpServer>();
    const size_t threads = size_t(std::max(1, m_options.threads));
    http->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    http->set_payload_max_length(m_options.maxBodyBytes);
    http->set_read_timeout(m_options.readTimeout);
    http->set_write_timeout(m_options.writeTimeout);
    http->set_keep_alive_timeout(m_options.idleTimeout.count());
    // One call per connection, as the client makes them: no idle connection
    // holds a thread, and stopping waits only for calls under way.
    http->set_keep_alive_max_count(1);
    // Headers and body go out in separate writes; without this, delayed
    // acknowledgements would add tens of milliseconds to every call.
    http->set_tcp_nodelay(true);
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
    http->set_error_handler(HandlerWithResponse([maxBody](const httplib::Request& req,
                                                          httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        QString message;
        if (res.status == 413)
            message =
                QStringLiteral("A requisição excede o tamanho máximo de %1 bytes.").arg(maxBody);
        else if (res.status == 404)
            message = QStringLiteral("O recurso %1 %2 não existe; as chamadas vão por POST %3.")
                          .arg(QString::fromStdString(req.method), QString::fromStdString(req.path),
                               QLatin1StringView(Wire::kCallPath));
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
        const TCallAnswer answer = AnswerCall(m_registry, std::move(context), body);
        res.status = answer.status;
        res.set_content(answer.body.constData(), size_t(answer.body.size()), Wire::kContentType);
    } catch (...) {
        RefuseSafely(res, 500, QStringLiteral("Erro interno do servidor de aplicação."));
    }
}
