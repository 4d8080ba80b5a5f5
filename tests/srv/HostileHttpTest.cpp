// The real ore-server process meeting requests that no client of ours sends:
// each gets a clear refusal, and the server keeps serving.

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "tests/support/DemoSession.h"
#include "tests/support/RawSocket.h"
#include "tests/support/ServerProcess.h"

#include <QTemporaryDir>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

using namespace std::chrono_literals;

namespace {

using RawSocket::Connect;
using RawSocket::RssKiB;
using RawSocket::Send;
using Clock = std::chrono::steady_clock;
constexpr auto kBound = 15s; // what any wait below may take at most

// A whole response, or everything the server writes until it closes, or what
// came by `deadline`.
std::string ReadAll(int s, Clock::time_point deadline = Clock::now() + kBound) {
    std::string got;
    char buf[4096];
    pollfd fd{s, POLLIN, 0};
    while (Clock::now() < deadline && ::poll(&fd, 1, 100) >= 0) {
        if (!(fd.revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = ::recv(s, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        got.append(buf, size_t(n));
        if (RawSocket::WholeMessage(got))
            break;
    }
    return got;
}

// The status and the failure message of a raw answer.
struct TAnswer {
    int status = 0;
    QString message;
    bool operator==(const TAnswer&) const = default;
};
void PrintTo(const TAnswer& a, std::ostream* os) {
    *os << a.status << " \"" << a.message.toStdString() << '"';
}
TAnswer Parse(const std::string& raw) {
    TAnswer a;
    if (raw.rfind("HTTP/1.1 ", 0) != 0)
        return a;
    a.status = std::atoi(raw.c_str() + 9);
    const auto body = raw.find("\r\n\r\n");
    try {
        a.message = Wire::DecodeReply(QByteArray::fromStdString(raw.substr(body + 4))).message;
    } catch (const EWireError& e) {
        a.message = QStringLiteral("(não é um envelope: %1)").arg(e.Message());
    }
    return a;
}

std::string Post(const std::string& body, const std::string& type = Wire::kContentType,
                 size_t length = std::string::npos) {
    return "POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Type: " + type + "\r\nContent-Length: " +
           std::to_string(length == std::string::npos ? body.size() : length) + "\r\n\r\n" + body;
}

// A call; with `token`, in that session.
std::string Call(const QString& server, const QString& method, const QString& token = {}) {
    std::string request = Post(Wire::EncodeRequest({server, method, {}}).toStdString());
    if (!token.isEmpty())
        request.insert(request.find("\r\n") + 2,
                       "Authorization: Bearer " + token.toStdString() + "\r\n");
    return request;
}

// Sends `bytes`, half-closes when `close` says so, and reads the answer.
TAnswer Exchange(int port, const std::string& bytes, bool close = false) {
    const int s = Connect(port);
    if (s < 0)
        return {-1, {}};
    Send(s, bytes);
    if (close)
        ::shutdown(s, SHUT_WR);
    const TAnswer a = Parse(ReadAll(s));
    ::close(s);
    return a;
}

const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");

class HostileHttp : public ::testing::Test {
protected:
    void SetUp() override {
        QProcess init;
        init.start(ServerExecutable(), {"seed-demo", "--db", m_dir.filePath("ore.db")});
        ASSERT_TRUE(init.waitForFinished(kProcessBoundMs) && init.exitCode() == 0);
        port = StartServer(m_process, m_dir.filePath("ore.db"), m_log,
                           QProcessEnvironment::systemEnvironment(),
                           {"--request-timeout", "1", "--max-body-mib", "1"});
        ASSERT_NE(port, 0) << m_log.toStdString();
    }
    void TearDown() override {
        m_process.terminate();
        EXPECT_TRUE(m_process.waitForFinished(kProcessBoundMs));
        // Nothing the requests did reached the log as a crash or an error.
        const QString log = m_log + QString::fromUtf8(m_process.readAllStandardError());
        EXPECT_EQ(log.count(u'\n'), 2) << log.toStdString();
    }
    // A call of ours still gets its answer.
    void ExpectServing() {
        TNetConnection conn;
        conn.ServerName = kFecha;
        conn.Port = port;
        conn.ThrowException = false;
        conn.SessionToken = DemoSessionToken(port);
        const TServerReply reply = conn.Call("GetParamOrca");
        EXPECT_TRUE(reply.ok) << reply.message.toStdString();
    }
    qint64 Pid() const { return m_process.processId(); }

    int port = 0;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_log;
};

TEST_F(HostileHttp, EveryHostileRequestGetsAClearRefusal) {
    const QString token = DemoSessionToken(port);
    const std::string valid = Wire::EncodeRequest({kFecha, "GetParamOrca", {}}).toStdString();
    const QString malformed = QStringLiteral(
        "Requisição HTTP malformada: a linha de requisição ou um cabeçalho não segue o HTTP/1.1.");
    const struct {
        const char* name;
        std::string bytes;
        bool close;
        TAnswer expected;
    } cases[] = {
        {"oversized",
         Post(std::string((1 << 20) + 1, 'x')),
         false,
         {413, "A requisição excede o tamanho máximo de 1048576 bytes."}},
        {"truncated",
         Post(valid.substr(0, 5), Wire::kContentType, valid.size()),
         true,
         {400, "Requisição incompleta: o corpo não chegou inteiro."}},
        {"never finished",
         Post(valid.substr(0, 5), Wire::kContentType, valid.size()),
         false,
         {408, "A requisição não chegou inteira no tempo permitido (1000 ms no total, 30000 ms "
               "sem dados)."}},
        {"bad request line", "GARBAGE\r\n\r\n", false, {400, malformed}},
        {"bad chunk",
         "POST /rpc HTTP/1.1\r\nContent-Type: application/cbor\r\nTransfer-Encoding: "
         "chunked\r\n\r\nZZ\r\n",
         false,
         {400, "Requisição incompleta: o corpo não chegou inteiro."}},
        {"unknown method", "BREW /rpc HTTP/1.1\r\nHost: x\r\n\r\n", false, {400, malformed}},
        {"another method",
         "DELETE /rpc HTTP/1.1\r\nHost: x\r\n\r\n",
         false,
         {404, "O recurso DELETE /rpc não existe; as chamadas vão por POST /rpc."}},
        {"another path",
         "GET /admin HTTP/1.1\r\nHost: x\r\n\r\n",
         false,
         {404, "O recurso GET /admin não existe; as chamadas vão por POST /rpc."}},
        {"long path",
         "GET /" + std::string(9000, 'a') + " HTTP/1.1\r\n\r\n",
         false,
         {414, "O endereço da requisição é longo demais."}},
        {"wrong type",
         Post(valid, "application/json"),
         false,
         {415, "As chamadas devem ter o tipo de conteúdo application/cbor."}},
        {"not an envelope",
         Post("\xa1\x61k\x61x"),
         false,
         {400, "Requisição inválida: chave desconhecida \"k\"."}},
        {"without a session",
         Call("ORE99999.rdmNada", "GetGeral"),
         false,
         {401, "Sessão inválida ou expirada. Entre novamente."}},
        {"unknown module",
         Call("ORE99999.rdmNada", "GetGeral", token),
         false,
         {200, "O módulo remoto \"ORE99999.rdmNada\" não existe neste servidor de aplicação."}},
        {"unknown operation",
         Call(kFecha, "Apagar", token),
         false,
         {200, "O método \"Apagar\" não existe no módulo remoto \"ORE00800.rdmFechaOrca\"."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Exchange(port, c.bytes, c.close), c.expected);
    }

    // Header lines without end, far past what a request needs: refused once
    // the head passes its bound, not stored until the client gives up.
    const int s = Connect(port);
    Send(s, "POST /rpc HTTP/1.1\r\n");
    const std::string line = "X-Enche: " + std::string(4000, 'a') + "\r\n";
    for (int i = 0; i < 4096; ++i) // 16 MiB, if the server took them all
        Send(s, line);
    EXPECT_EQ(Parse(ReadAll(s)),
              (TAnswer{431, "O cabeçalho da requisição excede o tamanho máximo de 65536 bytes."}));
    ::close(s);
    ExpectServing();
}

TEST_F(HostileHttp, ASlowRequestIsCutOffWhileOthersAreServed) {
    // A byte every 50 ms: never silent for long, never done.
    const std::string request = Call(kFecha, "GetParamOrca", DemoSessionToken(port));
    const int slow = Connect(port);
    std::atomic<bool> stop{false};
    std::thread trickle([&] {
        for (size_t i = 0; i < request.size() - 1 && !stop; ++i) {
            Send(slow, request.substr(i, 1));
            std::this_thread::sleep_for(50ms);
        }
    });
    ExpectServing();
    const TAnswer answer = Parse(ReadAll(slow));
    stop = true;
    trickle.join();
    ::close(slow);
    EXPECT_EQ(answer.status, 408) << answer.message.toStdString();
    ExpectServing();
}

TEST_F(HostileHttp, TwoHundredConnectionsAtOnceAreAllAnsweredAndMemoryComesBack) {
    ExpectServing();
    const long base = RssKiB(Pid());
    // Half call properly, a quarter send too much, a quarter stay silent.
    const std::string call = Call(kFecha, "GetParamOrca", DemoSessionToken(port));
    std::vector<int> sockets;
    for (int i = 0; i < 200; ++i)
        sockets.push_back(Connect(port));
    const std::string oversized = Post(std::string((1 << 20) + 1, 'x'));
    std::vector<std::thread> senders;
    for (int i = 0; i < 200; ++i)
        if (i % 4 != 3)
            senders.emplace_back(
                [&, i] { Send(sockets[size_t(i)], i % 4 == 2 ? oversized : call); });
    for (auto& t : senders)
        t.join();
    // The silent ones are dropped together, not one thread's turn after another.
    std::map<int, int> statuses;
    const auto deadline = Clock::now() + kBound;
    for (const int s : sockets) {
        ++statuses[Parse(ReadAll(s, deadline)).status];
        ::close(s);
    }
    EXPECT_EQ(statuses, (std::map<int, int>{{0, 50}, {200, 100}, {413, 50}}));
    ExpectServing();
#ifndef __SANITIZE_ADDRESS__ // whose quarantine keeps freed memory on purpose
    EXPECT_LT(RssKiB(Pid()), base + 32 * 1024) << "base " << base << " KiB";
#else
    (void)base;
#endif
}

} // namespace
