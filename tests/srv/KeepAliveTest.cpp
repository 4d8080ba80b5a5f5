// Connections kept between calls: the client sends a call again only when it
// cannot have run, and the server keeps connections within bounds that idle
// clients cannot exhaust.

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "tests/support/RawSocket.h"
#include "transport/RpcServer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kBound = 20s; // what any wait below may take at most
const QString kModule = QStringLiteral("Teste.rdmEco");

// Bytes from `s` until `done` says they suffice or the peer closes; empty
// when nothing came by the bound.
template <typename Done> std::string ReadUntil(int s, Done done) {
    std::string got;
    const Clock::time_point deadline = Clock::now() + kBound;
    char buf[65536];
    pollfd fd{s, POLLIN, 0};
    while (!done(got) && Clock::now() < deadline) {
        if (::poll(&fd, 1, 100) <= 0)
            continue;
        const ssize_t n = ::recv(s, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        got.append(buf, size_t(n));
    }
    return got;
}

// A server of our own on loopback that answers calls by hand, so that a test
// can drop a kept connection at the moment it chooses.
class TPeer {
public:
    TPeer() : m_listener(RawSocket::Listen(4, &m_port)) {}
    ~TPeer() { ::close(m_listener); }
    int Port() const { return m_port; }

    int Accept() {
        pollfd fd{m_listener, POLLIN, 0};
        if (::poll(&fd, 1, int(std::chrono::milliseconds(kBound).count())) <= 0)
            return -1;
        return ::accept(m_listener, nullptr, nullptr);
    }
    // The method of the next whole call on `s`; empty when it closed first.
    static QString ReadCall(int s) {
        const std::string got = ReadUntil(s, RawSocket::WholeMessage);
        if (!RawSocket::WholeMessage(got))
            return {};
        const QByteArray body = QByteArray::fromStdString(got.substr(got.find("\r\n\r\n") + 4));
        return Wire::DecodeRequest(body).method;
    }
    static bool ReadHead(int s) {
        const auto head = [](const std::string& got) { return got.find("\r\n\r\n") != got.npos; };
        return head(ReadUntil(s, head));
    }
    static void Answer(int s) {
        const QByteArray body = Wire::EncodeReply(TServerReply::Success(QStringLiteral("ok")));
        RawSocket::Send(s, "HTTP/1.1 200 OK\r\nContent-Type: application/cbor\r\nContent-Length: " +
                               std::to_string(body.size()) + "\r\n\r\n" + body.toStdString());
    }

private:
    int m_port = 0;
    int m_listener;
};

// How the peer ends the kept connection after answering the first call.
enum class TDrop {
    WhileIdle,    // before the second call is sent
    AfterReading, // once the second call has come whole: it may have run
    WhileWriting, // reset while the second call's body is still coming
};

struct TDropCase {
    const char* name;
    TDrop drop;
    bool secondOk;
    std::vector<QString> seen; // "connection:method", as the peer read them
};

class KeptConnection : public ::testing::TestWithParam<TDropCase> {};

TEST_P(KeptConnection, ACallGoesAgainOnlyWhenItCannotHaveRun) {
    const TDropCase& c = GetParam();
    TPeer peer;
    std::vector<QString> seen;
    std::mutex mutex;
    std::condition_variable changed;
    bool dropped = false;
    std::thread server([&] {
        const auto log = [&](int connection, const QString& method) {
            if (!method.isEmpty())
                seen.push_back(QStringLiteral("%1:%2").arg(connection).arg(method));
        };
        const int first = peer.Accept();
        log(1, TPeer::ReadCall(first));
        TPeer::Answer(first);
        switch (c.drop) {
        case TDrop::WhileIdle:
            break;
        case TDrop::AfterReading:
            log(1, TPeer::ReadCall(first));
            break;
        case TDrop::WhileWriting: {
            if (TPeer::ReadHead(first))
                log(1, QStringLiteral("(cabeçalho)"));
            const linger reset{1, 0};
            ::setsockopt(first, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            break;
        }
        }
        ::close(first);
        {
            std::lock_guard lock(mutex);
            dropped = true;
        }
        changed.notify_all();
        const int second = peer.Accept();
        for (QString method; !(method = TPeer::ReadCall(second)).isEmpty();) {
            log(2, method);
            TPeer::Answer(second);
        }
        ::close(second);
    });

    TNetConnection conn;
    conn.ServerName = kModule;
    conn.Port = peer.Port();
    conn.ThrowException = false;
    EXPECT_TRUE(conn.Call("Primeira").ok);
    if (c.drop == TDrop::WhileIdle) {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, kBound, [&] { return dropped; }));
    }
    // Larger than what the sockets' buffers take, so that the reset finds
    // the body still being written.
    const QVariantList args{c.drop == TDrop::WhileWriting ? QString(32 << 20, u'x')
                                                          : QStringLiteral("pequeno")};
    const TServerReply second = conn.Call("FecharOrca", args);
    EXPECT_EQ(second.ok, c.secondOk) << second.message.toStdString();
    if (!c.secondOk) {
        EXPECT_EQ(second.message,
                  QStringLiteral("A conexão com o servidor de aplicação 127.0.0.1:%1 caiu antes "
                                 "da resposta à chamada FecharOrca.")
                      .arg(peer.Port()));
    }
    EXPECT_TRUE(conn.Call("Depois").ok);
    conn.Close();
    server.join();
    EXPECT_EQ(seen, c.seen);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, KeptConnection,
    ::testing::Values(
        TDropCase{"WhileIdle", TDrop::WhileIdle, true, {"1:Primeira", "2:FecharOrca", "2:Depois"}},
        // The closing may have run: it is reported, never sent again.
        TDropCase{
            "AfterReading", TDrop::AfterReading, false, {"1:Primeira", "1:FecharOrca", "2:Depois"}},
        TDropCase{"WhileWriting",
                  TDrop::WhileWriting,
                  true,
                  {"1:Primeira", "1:(cabeçalho)", "2:FecharOrca", "2:Depois"}}),
    [](const auto& info) { return std::string(info.param.name); });

class KeptByServer : public ::testing::Test {
protected:
    void Start(int threads, std::chrono::milliseconds idle, int maxRequests) {
        registry.Register(kModule, "Eco",
                          [](TCallContext&, const QVariantList& args) { return args.value(0); });
        TRpcServerOptions options;
        options.withoutSessions = true;
        options.port = 0;
        options.threads = threads;
        options.keepAliveIdle = idle;
        options.maxRequestsPerConnection = maxRequests;
        server = std::make_unique<TRpcServer>(registry, options);
        server->Start();
    }
    void TearDown() override {
        for (int s : sockets)
            ::close(s);
        server->Stop();
    }
    int Open() {
        sockets.push_back(RawSocket::Connect(server->Port()));
        return sockets.back();
    }

    TRemoteModuleRegistry registry;
    std::unique_ptr<TRpcServer> server;
    std::vector<int> sockets;
};

const std::string kHealth = "GET /health HTTP/1.1\r\nHost: x\r\n\r\n";

TEST_F(KeptByServer, IdleClientsBeyondTheThreadsDoNotKeepANewCallWaiting) {
    constexpr int kThreads = 4;
    // Longer than the test: only the server's bounds can free a thread.
    Start(kThreads, 10min, 1000);
    for (int i = 0; i < 2 * kThreads; ++i) {
        const int s = Open();
        ASSERT_TRUE(RawSocket::Send(s, kHealth));
        const std::string answer = ReadUntil(s, RawSocket::WholeMessage);
        ASSERT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u) << "idle client " << i;
        // Each idle connection holds a thread: one stays free.
        EXPECT_EQ(answer.find("Connection: close") == std::string::npos, i < kThreads - 1)
            << "idle client " << i;
    }
    TNetConnection conn;
    conn.ServerName = kModule;
    conn.Port = server->Port();
    conn.ThrowException = false;
    conn.ReadTimeout = kBound;
    const TServerReply reply = conn.Call("Eco", {QStringLiteral("atendida")});
    EXPECT_TRUE(reply.ok) << reply.message.toStdString();
    EXPECT_EQ(reply.payload.toString(), QStringLiteral("atendida"));
}

TEST_F(KeptByServer, EachConnectionIsBoundInRequestsAndIdleTime) {
    Start(4, 200ms, 3);
    // Pipelined requests are answered in turn; the last allowed closes.
    const int piped = Open();
    ASSERT_TRUE(RawSocket::Send(piped, kHealth + kHealth + kHealth));
    const std::string all = ReadUntil(piped, [](const std::string&) { return false; });
    int answers = 0;
    for (auto at = all.find("HTTP/1.1 200"); at != all.npos; at = all.find("HTTP/1.1 200", at + 1))
        ++answers;
    EXPECT_EQ(answers, 3) << all;
    EXPECT_NE(all.find("Connection: close"), std::string::npos);

    // An idle kept connection is closed by the server.
    const int idle = Open();
    ASSERT_TRUE(RawSocket::Send(idle, kHealth));
    const std::string first = ReadUntil(idle, RawSocket::WholeMessage);
    EXPECT_EQ(first.find("Connection: close"), std::string::npos) << first;
    EXPECT_EQ(ReadUntil(idle, [](const std::string&) { return false; }), "");
    pollfd fd{idle, POLLIN, 0};
    char byte;
    EXPECT_TRUE(::poll(&fd, 1, 0) == 1 && ::recv(idle, &byte, 1, 0) == 0);
}

} // namespace
