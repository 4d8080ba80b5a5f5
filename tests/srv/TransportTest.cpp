#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "tests/support/RawSocket.h"
#include "transport/RpcServer.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <condition_variable>
#include <random>
#include <thread>

using namespace std::chrono_literals;

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kModule = QStringLiteral("Teste.rdmEco");
constexpr auto kBound = 20s; // what any wait below may take at most

// `size` bytes that no shift or cut leaves equal.
QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7919 % 251);
    return bytes;
}

// Handlers wait here until the test opens the gate.
class TGate {
public:
    void Pass() {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_open; });
    }
    bool WaitForWaiting(int n) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, kBound, [&] { return m_waiting >= n; });
    }
    void Open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_waiting = 0;
    bool m_open = false;
};

class Transport : public ::testing::Test {
protected:
    void SetUp() override {
        registry.Register(kModule, "Echo", [](TCallContext&, const QVariantList& args) {
            return args.size() == 1 ? args[0] : QVariant(args);
        });
        registry.Register(kModule, "Fail", [](TCallContext&, const QVariantList& args) -> QVariant {
            throw ERemoteError(args.value(0).toString());
        });
        registry.Register(kModule, "Typed", [](TCallContext&, const QVariantList& args) {
            const TArgs a = Args(args).Count(2);
            const QString filial = a.String(0, "CDFILIAL");
            return QVariant(filial + QString::number(a.Packet(1).Size()));
        });
        registry.Register(kModule, "Wait", [this](TCallContext&, const QVariantList&) {
            gate.Pass();
            return QVariant("liberado");
        });
        // A packet of the size asked, and one of half that size after a text.
        registry.Register(kModule, "Pattern", [](TCallContext&, const QVariantList& args) {
            const int size = args.value(0).toInt();
            return QVariantList{QVariant::fromValue(TDataPacket(Pattern(size))), "meio",
                                QVariant::fromValue(TDataPacket(Pattern(size / 2)))};
        });
        registry.Register(kModule, "Peer", [](TCallContext& ctx, const QVariantList&) {
            return QVariant(ctx.peerAddress);
        });
        // The transport alone, on modules of its own: no sessions.
        TRpcServerOptions options;
        options.withoutSessions = true;
        options.port = 0;
        options.threads = 4;
        options.maxBodyBytes = 1 << 20;
        server = std::make_unique<TRpcServer>(registry, options);
        server->Start();
        port = server->Port();
    }
    void TearDown() override {
        gate.Open();
        server->Stop();
    }

    std::unique_ptr<TNetConnection> Connection(bool throwException = false) {
        auto conn = std::make_unique<TNetConnection>();
        conn->ServerName = kModule;
        conn->Port = port;
        conn->ThrowException = throwException;
        return conn;
    }
    QString Failure(const QString& method, const QVariantList& args = {}) {
        const TServerReply reply = Connection()->Call(method, args);
        EXPECT_FALSE(reply.ok) << method.toStdString();
        return reply.message;
    }
    // Status and failure message of a hand-made HTTP request.
    std::pair<int, QString> Raw(const std::string& body, const char* type = "application/cbor",
                                const char* method = "POST") {
        httplib::Client client("127.0.0.1", port);
        const auto res =
            method == std::string("GET") ? client.Get("/rpc") : client.Post("/rpc", body, type);
        if (!res)
            return {0, QString::fromStdString(httplib::to_string(res.error()))};
        return {res->status, Wire::DecodeReply(QByteArray::fromStdString(res->body)).message};
    }

    TGate gate;
    TRemoteModuleRegistry registry;
    std::unique_ptr<TRpcServer> server;
    int port = 0;
};

TEST_F(Transport, EveryPayloadKindComesBackAsSent) {
    auto conn = Connection();
    const QVariantList values = {
        QVariant(),
        true,
        qint64(-9'007'199'254'740'993),
        0.1 + 0.2,
        QStringLiteral("Fechamento do Orçamento"),
        QString(),
        QVariant::fromValue(TOleDateTime{45292.75}),
        QVariantList{QVariantList{qint64(1), QVariant()}, 2.5},
        QVariant::fromValue(TDataPacket(QByteArray("\xa1\x61k\0\xff", 5)))};
    for (const QVariant& v : values) {
        const TServerReply reply = conn->Call("Echo", {v});
        EXPECT_TRUE(reply.ok && reply.payload == v && reply.payload.metaType() == v.metaType())
            << v.typeName() << ' ' << reply.message.toStdString();
    }
    // Large enough to leave in many writes and arrive in many reads, within
    // the request's limit.
    const QByteArray large = Pattern(700 * 1024 + 7);
    const QVariantList big = {QVariant::fromValue(TDataPacket(large)),
                              QString(100'000, QChar(u'ç'))};
    const TServerReply echoed = conn->Call("Echo", big);
    EXPECT_EQ(echoed.payload.toList(), big) << echoed.message.toStdString();
    EXPECT_TRUE(std::isnan(conn->Call("Echo", {std::nan("")}).payload.toDouble()));
    EXPECT_EQ(conn->Call("Echo", values).payload.toList(), values); // all arguments, in order
    EXPECT_EQ(conn->Call("Peer").payload.toString(), "127.0.0.1");
    // Answers of several megabytes (sent from the packets' own buffers), and
    // a small one after them on the same connection.
    for (const int size : {3 * 1024 * 1024 + 5, 1 << 20, 12}) {
        const QVariantList answer = conn->Call("Pattern", {size}).payload.toList();
        ASSERT_EQ(answer.size(), 3) << size;
        EXPECT_EQ(answer[0].value<TDataPacket>().Bytes(), Pattern(size)) << size;
        EXPECT_EQ(answer[1], "meio");
        EXPECT_EQ(answer[2].value<TDataPacket>().Bytes(), Pattern(size / 2)) << size;
    }
}

TEST_F(Transport, CallingConnectsFirstThroughBeforeConnect) {
    TNetConnection conn;
    conn.ServerName = kModule;
    conn.Port = 0; // unusable until BeforeConnect sets it
    int runs = 0;
    conn.BeforeConnect = [&](TNetConnection& c) {
        ++runs;
        c.Port = port;
    };
    EXPECT_TRUE(conn.Call("Echo", {1}).ok);
    EXPECT_TRUE(conn.Connected());
    EXPECT_TRUE(conn.Call("Echo", {2}).ok);
    EXPECT_EQ(runs, 1);
    conn.Close();
    EXPECT_FALSE(conn.Connected());
    EXPECT_TRUE(conn.Call("Echo", {3}).ok);
    EXPECT_EQ(runs, 2);

    TNetConnection bad;
    bad.ServerName = kModule;
    bad.Port = 0;
    bad.ThrowException = false;
    EXPECT_EQ(bad.Call("Echo").message, "A porta 0 do servidor de aplicação é inválida.");
    EXPECT_THROW(bad.Connect(), EServerCallError);
}

TEST_F(Transport, FailuresReachTheCallerWithTheirExactMessage) {
    const QString refusal = QStringLiteral("O orçamento já foi fechado por outro operador.");
    EXPECT_EQ(Failure("Fail", {refusal}), refusal);
    try {
        Connection(true)->Call("Fail", {"N_PARAM_CDFILIAL|0001"});
        ADD_FAILURE() << "no exception";
    } catch (const EServerCallError& e) {
        EXPECT_EQ(e.Message(), "N_PARAM_CDFILIAL|0001");
    }
    EXPECT_EQ(Connection(true)->Call("Echo", {true}).payload, QVariant(true));

    EXPECT_EQ(Failure("Nada"), "O método \"Nada\" não existe no módulo remoto \"Teste.rdmEco\".");
    EXPECT_EQ(Failure("Typed", {"0001"}),
              "Chamada inválida de Teste.rdmEco.Typed. A chamada espera 2 argumentos, mas "
              "recebeu 1.");
    EXPECT_EQ(Failure("Typed", {1, QVariant()}),
              "Chamada inválida de Teste.rdmEco.Typed. O argumento 1 (CDFILIAL) deve ser um "
              "texto, mas veio um inteiro.");
    EXPECT_TRUE(Failure("Echo", {QByteArray("x")}).startsWith("Valor não transmissível"));
    auto other = Connection();
    other->ServerName = "Teste.rdmOutro";
    EXPECT_EQ(other->Call("Echo").message,
              "O módulo remoto \"Teste.rdmOutro\" não existe neste servidor de aplicação.");
}

TEST_F(Transport, EveryRefusedRequestGetsAFailureEnvelope) {
    std::mt19937 random(7);
    for (int i = 0; i < 50; ++i) {
        std::string noise(1 + random() % 200, '\0');
        for (char& c : noise)
            c = char(random());
        const auto [status, message] = Raw(noise);
        EXPECT_EQ(status, 400);
        EXPECT_TRUE(message.startsWith("Requisição inválida: ")) << message.toStdString();
    }
    const std::string valid = Wire::EncodeRequest({kModule, "Echo", {"x"}}).toStdString();
    for (size_t n = 0; n < valid.size(); ++n)
        EXPECT_EQ(Raw(valid.substr(0, n)),
                  std::pair(400, QString("Requisição inválida: dados truncados.")));
    EXPECT_EQ(
        Raw(valid, "text/plain"),
        std::pair(415, QString("As chamadas devem ter o tipo de conteúdo application/cbor.")));
    EXPECT_EQ(
        Raw("", "", "GET"),
        std::pair(404, QString("O recurso GET /rpc não existe; as chamadas vão por POST /rpc.")));
    const QString tooLarge =
        QStringLiteral("A requisição excede o tamanho máximo de 1048576 bytes.");
    EXPECT_EQ(Raw(std::string((1 << 20) + 1, 'x')), std::pair(413, tooLarge));
    EXPECT_EQ(Failure("Echo", {QString(600'000, u'é')}), tooLarge); // shown by the client as is
    EXPECT_TRUE(Connection()->Call("Echo", {QString(400'000, u'é')}).ok);
    EXPECT_EQ(Raw(valid, "Application/CBOR; x=1").first, 200);

    httplib::Client client("127.0.0.1", port);
    const auto health = client.Get("/health");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);
    EXPECT_EQ(health->body, "ok");
}

TEST_F(Transport, UnreachableOrSilentServersFailWithASentence) {
    int freePort = 0;
    {
        TRpcServerOptions options;
        options.withoutSessions = true;
        options.port = 0;
        TRpcServer other(registry, options);
        other.Start();
        freePort = other.Port();
    } // stopped: nothing listens there now
    auto conn = Connection(true);
    conn->Port = freePort;
    try {
        conn->Call("Echo");
        ADD_FAILURE() << "no exception";
    } catch (const EServerCallError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Não foi possível conectar ao servidor de aplicação "
                                              "127.0.0.1:%1: conexão recusada.")
                                   .arg(freePort));
    }

    auto slow = Connection();
    slow->ReadTimeout = 300ms;
    EXPECT_EQ(slow->Call("Wait").message,
              QStringLiteral("O servidor de aplicação 127.0.0.1:%1 não respondeu à chamada Wait "
                             "em 300 ms.")
                  .arg(port));
    gate.Open();
    EXPECT_TRUE(Connection()->Call("Wait").ok); // the abandoned call did not hurt the server

    TRpcServerOptions same;
    same.withoutSessions = true;
    same.port = port;
    TRpcServer second(registry, same);
    try {
        second.Start();
        ADD_FAILURE() << "two servers on one port";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Não foi possível escutar em 127.0.0.1:%1: o "
                                              "endereço já está em uso.")
                                   .arg(port));
    }
}

TEST_F(Transport, CallsFromSeveralThreadsRunTogether) {
    // Three calls held inside their handlers at once: the pool runs them in parallel.
    std::vector<std::thread> threads;
    std::atomic<int> released{0}, wrong{0};
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] { released += Connection()->Call("Wait").ok; });
    EXPECT_TRUE(gate.WaitForWaiting(3));
    gate.Open();
    // Meanwhile many callers, each with its own values: no reply goes astray.
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            auto conn = Connection();
            for (int i = 0; i < 20; ++i) {
                const QVariantList args = {t, i, QString(t * 100 + i, u'x')};
                wrong += conn->Call("Echo", args).payload.toList() != args;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(released, 3);
    EXPECT_EQ(wrong, 0);
}

TEST_F(Transport, StopLetsTheCallUnderWayFinish) {
    TServerReply inFlight;
    std::thread caller([&] { inFlight = Connection()->Call("Wait"); });
    ASSERT_TRUE(gate.WaitForWaiting(1));
    std::thread stopper([&] { server->Stop(); });
    // Once the server stops accepting, new connections are refused...
    bool refused = false;
    for (auto deadline = std::chrono::steady_clock::now() + kBound;
         !refused && std::chrono::steady_clock::now() < deadline;)
        refused =
            httplib::Client("127.0.0.1", port).Get("/health").error() == httplib::Error::Connection;
    EXPECT_TRUE(refused);
    // ...while the call already inside still gets its answer.
    gate.Open();
    caller.join();
    stopper.join();
    EXPECT_EQ(inFlight.payload, QVariant("liberado")) << inFlight.message.toStdString();
    EXPECT_FALSE(server->Running());
}

TEST(ForeignServer, BadAnswersBecomeFailures) {
    httplib::Server http;
    int status = 200;
    std::string body;
    http.Post("/rpc", [&](const httplib::Request&, httplib::Response& res) {
        res.status = status;
        res.set_content(body, "application/cbor");
    });
    const int port = http.bind_to_any_port("127.0.0.1");
    std::thread listener([&] { http.listen_after_bind(); });
    TNetConnection conn;
    conn.ServerName = kModule;
    conn.Port = port;
    conn.ThrowException = false;
    const QString server = QStringLiteral("servidor de aplicação 127.0.0.1:%1").arg(port);

    body = "não é CBOR";
    EXPECT_EQ(conn.Call("GetGeral").message,
              "Resposta inválida do " + server + " à chamada GetGeral: esperado mapa em envelope.");
    body = Wire::EncodeReply(TServerReply::Success(true)).left(10).toStdString();
    EXPECT_EQ(conn.Call("GetGeral").message,
              "Resposta inválida do " + server + " à chamada GetGeral: dados truncados.");
    status = 503; // not ours, even with a success envelope
    body = Wire::EncodeReply(TServerReply::Success(true)).toStdString();
    EXPECT_EQ(conn.Call("GetGeral").message,
              "O " + server + " recusou a chamada GetGeral (status HTTP 503).");

    conn.Close(); // or the server would wait for the kept connection to fall idle
    while (!http.is_running())
        std::this_thread::yield();
    http.stop();
    listener.join();
}

TEST(ForeignServer, AConnectionDroppedBeforeTheAnswerIsReported) {
    // A listener that reads the whole request and hangs up without answering.
    int port = 0;
    const int listener = RawSocket::Listen(1, &port);
    ASSERT_GE(listener, 0);
    std::thread peer([listener] {
        const int s = ::accept(listener, nullptr, nullptr);
        std::string got;
        char buf[4096];
        for (ssize_t n; (n = ::recv(s, buf, sizeof buf, 0)) > 0;) {
            got.append(buf, size_t(n));
            if (RawSocket::WholeMessage(got))
                break;
        }
        ::close(s);
    });
    TNetConnection conn;
    conn.ServerName = kModule;
    conn.Port = port;
    conn.ThrowException = false;
    const QString message = conn.Call("FecharOrca").message;
    peer.join();
    ::close(listener);
    EXPECT_EQ(message, QStringLiteral("A conexão com o servidor de aplicação 127.0.0.1:%1 caiu "
                                      "antes da resposta à chamada FecharOrca.")
                           .arg(conn.Port));
}

} // namespace
