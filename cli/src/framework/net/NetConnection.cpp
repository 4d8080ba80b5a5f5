#include "framework/net/NetConnection.h"

#include "core/wire/WireVariant.h"
#include "framework/net/CallTransport.h"
#include "framework/net/HttpClientPool.h"
#include "framework/net/NetSession.h"
#include "framework/net/SecureHttp.h"

#include <httplib.h>
#include <netdb.h>

#include <csignal>

namespace {

using Clock = std::chrono::steady_clock;

// A length announced beyond this is not trusted for reserving memory up front.
constexpr uint64_t kReserveAnswerMax = uint64_t(1) << 30;

QString Duration(std::chrono::milliseconds d) {
    if (d.count() % 1000 == 0)
        return QStringLiteral("%1 s").arg(d.count() / 1000);
    return QStringLiteral("%1 ms").arg(d.count());
}

// httplib reports a refused connection and an unknown host alike.
bool Resolves(const QString& host) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.toUtf8().constData(), nullptr, &hints, &found);
    if (found)
        ::freeaddrinfo(found);
    return rc == 0;
}

// A server that goes away while a request is being written must not kill the
// host with SIGPIPE: the write fails and the call reports it. A disposition
// that the application chose itself is left alone.
void IgnoreBrokenPipes() {
    static const bool done = [] {
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)done;
}

} // namespace

TNetConnection::TNetConnection(QObject* parent)
    : QObject(parent), m_clients(std::make_unique<THttpClientPool>()) {
    IgnoreBrokenPipes();
}

TNetConnection::~TNetConnection() = default;

QString TNetConnection::Address() const {
    if (Host.contains(u':'))
        return QStringLiteral("[%1]:%2").arg(Host).arg(Port);
    return QStringLiteral("%1:%2").arg(Host).arg(Port);
}

void TNetConnection::Connect() {
    if (BeforeConnect)
        BeforeConnect(*this);
    if (Host.trimmed().isEmpty())
        throw EServerCallError(QStringLiteral("O endereço do servidor de aplicação não foi "
                                              "informado."));
    if (Port < 1 || Port > 65535)
        throw EServerCallError(
            QStringLiteral("A porta %1 do servidor de aplicação é inválida.").arg(Port));
    if (ServerName.isEmpty())
        throw EServerCallError(QStringLiteral("O nome do módulo remoto da conexão %1 não foi "
                                              "informado.")
                                   .arg(objectName()));
    m_connected = true;
}

void TNetConnection::Close() {
    m_connected = false;
    m_clients->Clear();
}

TServerReply TNetConnection::Call(const QString& method, const QVariantList& args) {
    TServerReply reply;
    bool ready = m_connected;
    if (!ready) {
        try {
            Connect();
            ready = true;
        } catch (const EServerCallError& e) {
            reply = TServerReply::Failure(e.Message());
        }
    }
    if (ready) {
        if (TCallTransport* transport = TCallTransport::Installed())
            reply = transport->Send(*this, {ServerName, method, args});
        else {
            // A 401 means the method did not run: after a renewed session
            // the call goes once more.
            bool unauthorized = false;
            const QString token = SessionToken.isEmpty() ? TNetSession::Token() : SessionToken;
            reply = Post(method, args, token, unauthorized);
            if (unauthorized && RenewSession && SessionToken.isEmpty() &&
                TNetSession::Renew(reply.message, token))
                reply = Post(method, args, TNetSession::Token(), unauthorized);
        }
    }
    if (!reply.ok && ThrowException)
        throw EServerCallError(reply.message);
    return reply;
}

TServerReply TNetConnection::Post(const QString& method, const QVariantList& args,
                                  const QString& token, bool& unauthorized) const {
    unauthorized = false;
    QByteArray body;
    try {
        body = Wire::EncodeRequest({ServerName, method, args});
    } catch (const EWireError& e) {
        return TServerReply::Failure(e.Message());
    }

    // HTTPS or plain HTTP, and whom to trust, are the process's (TNetSecurity).
    const QString address = Address();
    QString refusal;
    THttpClientPool::TLease lease = m_clients->Take(Host, Port, address, KeepAliveIdle, refusal);
    if (!lease.client)
        return TServerReply::Failure(refusal);
    httplib::Request request;
    request.method = "POST";
    request.path = Wire::kCallPath;
    request.set_header("Content-Type", Wire::kContentType);
    if (!token.isEmpty())
        request.set_header("Authorization", "Bearer " + token.toStdString());
    request.body.assign(body.constData(), size_t(body.size()));
    // The answer goes straight into the buffer it is decoded from, sized
    // once from its length: a large list is tens of megabytes, and httplib
    // would grow a string of its own and leave it to be copied.
    QByteArray answer;
    request.content_receiver = [&answer](const char* data, size_t n, uint64_t offset,
                                         uint64_t length) {
        if (offset == 0 && length > 0 && length <= kReserveAnswerMax)
            answer.reserve(qsizetype(length));
        answer.append(data, qsizetype(n));
        return true;
    };
    Clock::duration elapsed{};
    const auto send = [&](httplib::ClientImpl& client) {
        client.set_connection_timeout(ConnectTimeout);
        client.set_read_timeout(ReadTimeout);
        client.set_write_timeout(WriteTimeout);
        client.set_keep_alive(true);
        // Headers and body go out in separate writes; see the server.
        client.set_tcp_nodelay(true);
        answer.clear();
        const auto start = Clock::now();
        httplib::Result res = client.send(request);
        elapsed = Clock::now() - start;
        return res;
    };
    // httplib itself reconnects when the kept connection was closed before
    // the request went out.
    httplib::Result res = send(*lease.client);
    // A request that could not be written whole never ran: on a kept
    // connection that means the server closed it meanwhile, and one new
    // connection is tried. Anything read short may have run, and is not sent
    // again (a closing must never run twice).
    if (!res && res.error() == httplib::Error::Write && lease.reused) {
        lease.client = SecureHttp::NewClient(Host, Port, address, refusal);
        lease.reused = false;
        if (!lease.client)
            return TServerReply::Failure(refusal);
        res = send(*lease.client);
    }
    const httplib::ClientImpl& client = *lease.client;

    if (!res) {
        if (QString tls = SecureHttp::Failure(client, res.error(), Host, address); !tls.isEmpty())
            return TServerReply::Failure(tls);
        switch (res.error()) {
        case httplib::Error::Connection:
            if (!Resolves(Host))
                return TServerReply::Failure(
                    QStringLiteral("Não foi possível conectar ao servidor de aplicação %1: "
                                   "endereço desconhecido.")
                        .arg(address));
            return TServerReply::Failure(
                QStringLiteral("Não foi possível conectar ao servidor de aplicação %1: conexão "
                               "recusada.")
                    .arg(address));
        case httplib::Error::ConnectionTimeout:
            return TServerReply::Failure(
                QStringLiteral("Não foi possível conectar ao servidor de aplicação %1: sem "
                               "resposta em %2.")
                    .arg(address, Duration(ConnectTimeout)));
        case httplib::Error::Read:
            // A timeout and a dropped connection are the same error to httplib;
            // only a timeout waits the whole read time.
            if (elapsed >= ReadTimeout * 95 / 100)
                return TServerReply::Failure(
                    QStringLiteral("O servidor de aplicação %1 não respondeu à chamada %2 em %3.")
                        .arg(address, method, Duration(ReadTimeout)));
            return TServerReply::Failure(
                QStringLiteral("A conexão com o servidor de aplicação %1 caiu antes da resposta "
                               "à chamada %2.")
                    .arg(address, method));
        case httplib::Error::Write:
            return TServerReply::Failure(
                QStringLiteral("Não foi possível enviar a chamada %2 ao servidor de aplicação %1.")
                    .arg(address, method));
        default:
            return TServerReply::Failure(
                QStringLiteral("Falha na comunicação com o servidor de aplicação %1 (erro %2).")
                    .arg(address)
                    .arg(int(res.error())));
        }
    }

    m_clients->GiveBack(std::move(lease));
    const QString context = QStringLiteral("Resposta inválida do servidor de aplicação %1 à "
                                           "chamada %2")
                                .arg(address, method);
    if (res->status != 200) {
        unauthorized = res->status == 401;
        // The server explains a request it could not take (too large, not
        // decodable) with a failure envelope; anything else is not ours.
        try {
            TServerReply failure = Wire::DecodeReply(answer, context);
            if (!failure.ok)
                return failure;
        } catch (const EWireError&) {
        }
        return TServerReply::Failure(
            QStringLiteral("O servidor de aplicação %1 recusou a chamada %2 (status HTTP %3).")
                .arg(address, method)
                .arg(res->status));
    }
    try {
        return Wire::DecodeReply(answer, context);
    } catch (const EWireError& e) {
        return TServerReply::Failure(e.Message());
    }
}
