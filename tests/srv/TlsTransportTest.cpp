// The real ore-server process serving HTTPS: the client's certificate and
// name checks, the refusal of plain HTTP off the machine, and hostile TLS
// clients meeting the same bounds as plain ones.

#include "framework/net/NetConnection.h"
#include "framework/net/NetSecurity.h"
#include "tests/support/DemoSession.h"
#include "tests/support/RawSocket.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TestCertificates.h"

#include "core/wire/WireVariant.h"

#include <QTemporaryDir>

#include <openssl/ssl.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kBound = 15s; // what any wait below may take at most
// Signing in is a call like any other, and the only one without a session.
const QString kSessao = QStringLiteral("ORE.rdmSessao");
const QVariantList kMaria{QStringLiteral("MARIA"), DemoPasswordOf(QStringLiteral("MARIA"))};

// The one call these tests make: a light read of the closing module.
TServerReply CallServer(const QString& host, int port) {
    TNetConnection conn;
    conn.ServerName = kSessao;
    conn.Host = host;
    conn.Port = port;
    conn.ThrowException = false;
    conn.ConnectTimeout = 2000ms;
    return conn.Call(QStringLiteral("Entrar"), kMaria);
}

// Process-wide client settings, put back after each test.
class TSecurityScope {
public:
    explicit TSecurityScope(const TNetSecurity::TSettings& s) { TNetSecurity::Set(s); }
    ~TSecurityScope() { TNetSecurity::Set({}); }
};

// ore-server on a fresh database, plain or with the test certificates.
class ServedTest : public ::testing::Test {
protected:
    void SetUp() override {
        certs = MakeTestCertificates(m_dir.path(), "DNS:localhost");
        QProcess init;
        for (const char* command : {"init-db", "seed-demo"}) {
            init.start(ServerExecutable(), {command, "--db", m_dir.filePath("ore.db")});
            ASSERT_TRUE(init.waitForFinished(kProcessBoundMs) && init.exitCode() == 0) << command;
        }
    }
    void Serve(bool tls) {
        QStringList options{"--request-timeout", "1"};
        if (tls)
            options << "--tls-cert" << certs.certFile << "--tls-key" << certs.keyFile;
        port = StartServer(m_process, m_dir.filePath("ore.db"), m_log,
                           QProcessEnvironment::systemEnvironment(), options);
        ASSERT_NE(port, 0) << m_log.toStdString();
    }
    void TearDown() override {
        if (port == 0)
            return;
        m_process.terminate();
        EXPECT_TRUE(m_process.waitForFinished(kProcessBoundMs));
        // Nothing the connections did reached the log as a crash or an error.
        const QString log = m_log + QString::fromUtf8(m_process.readAllStandardError());
        EXPECT_EQ(log.count(u'\n'), 2) << log.toStdString();
    }
    QString DbFile() const { return m_dir.filePath("ore.db"); }

    TTestCertificates certs;
    int port = 0;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_log;
};

// A TLS client that trusts anything, over a blocking socket whose waits are bounded.
class TRawTls {
public:
    explicit TRawTls(int port) : m_sock(RawSocket::Connect(port)) {
        const timeval bound{std::chrono::seconds(kBound).count(), 0};
        ::setsockopt(m_sock, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
        ::setsockopt(m_sock, SOL_SOCKET, SO_SNDTIMEO, &bound, sizeof bound);
        SSL_CTX_set_verify(m_ctx, SSL_VERIFY_NONE, nullptr);
        SSL_set_fd(m_ssl, m_sock);
    }
    ~TRawTls() {
        SSL_free(m_ssl);
        SSL_CTX_free(m_ctx);
        ::close(m_sock);
    }
    bool Handshake() { return SSL_connect(m_ssl) == 1; }
    bool Send(const std::string& bytes) {
        return SSL_write(m_ssl, bytes.data(), int(bytes.size())) == int(bytes.size());
    }
    // Whether the server has said something (or closed) within `ms`.
    bool Answered(int ms) {
        pollfd fd{m_sock, POLLIN, 0};
        return SSL_pending(m_ssl) > 0 || ::poll(&fd, 1, ms) > 0;
    }
    std::string ReadAll() {
        std::string got;
        char buf[4096];
        int n;
        while (!RawSocket::WholeMessage(got) && (n = SSL_read(m_ssl, buf, sizeof buf)) > 0)
            got.append(buf, size_t(n));
        return got;
    }
    int Socket() const { return m_sock; }

private:
    int m_sock;
    SSL_CTX* m_ctx = SSL_CTX_new(TLS_client_method());
    SSL* m_ssl = SSL_new(m_ctx);
};

// The status line and the failure sentence of a raw answer.
std::pair<int, QString> Parse(const std::string& raw) {
    if (raw.rfind("HTTP/1.1 ", 0) != 0)
        return {0, {}};
    const auto body = raw.find("\r\n\r\n");
    try {
        return {std::atoi(raw.c_str() + 9),
                Wire::DecodeReply(QByteArray::fromStdString(raw.substr(body + 4))).message};
    } catch (const EWireError& e) {
        return {std::atoi(raw.c_str() + 9), e.Message()};
    }
}

std::string CallBytes() {
    const std::string body =
        Wire::EncodeRequest({kSessao, QStringLiteral("Entrar"), kMaria}).toStdString();
    return "POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Type: application/cbor\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

class TlsServer : public ServedTest {
protected:
    void SetUp() override {
        ServedTest::SetUp();
        if (!HasFatalFailure())
            Serve(true);
    }
    void ExpectServing() {
        TSecurityScope scope({true, certs.caFile, false});
        const TServerReply reply = CallServer(QStringLiteral("localhost"), port);
        EXPECT_TRUE(reply.ok) << reply.message.toStdString();
    }
};

TEST_F(TlsServer, TheClientTrustsOnlyAVerifiedCertificateForItsName) {
    const QString untrusted = QStringLiteral("O certificado do servidor de aplicação %1:%2 não é "
                                             "confiável: %3.");
    const struct {
        const char* name;
        TNetSecurity::TSettings settings;
        QString host;
        QString failure; // empty: the call succeeds
    } cases[] = {
        {"trusting the test authority", {true, certs.caFile, false}, "localhost", {}},
        {"the system's store",
         {true, {}, false},
         "localhost",
         untrusted.arg("localhost")
             .arg(port)
             .arg("ele não foi emitido por uma autoridade certificadora confiável")},
        {"another name",
         {true, certs.caFile, false},
         "127.0.0.1",
         untrusted.arg("127.0.0.1").arg(port).arg("ele não foi emitido para o nome 127.0.0.1")},
        {"its own certificate as the authority",
         {true, certs.certFile, false},
         "localhost",
         untrusted.arg("localhost")
             .arg(port)
             .arg("ele não foi emitido por uma autoridade certificadora confiável")},
        {"plain HTTP",
         {false, {}, false},
         "127.0.0.1",
         "Este servidor de aplicação só atende HTTPS."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSecurityScope scope(c.settings);
        const TServerReply reply = CallServer(c.host, port);
        EXPECT_EQ(reply.ok, c.failure.isEmpty());
        EXPECT_EQ(reply.message, c.failure);
    }
    ExpectServing();
}

TEST_F(TlsServer, SlowAndSilentTlsClientsAreCutOffWhileOthersAreServed) {
    // Half a ClientHello, then silence: dropped by the request's deadline.
    const int half = RawSocket::Connect(port);
    RawSocket::Send(half, std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11));
    ExpectServing();
    pollfd fd{half, POLLIN, 0};
    ASSERT_EQ(::poll(&fd, 1, int(std::chrono::milliseconds(kBound).count())), 1);
    char byte;
    EXPECT_LE(::recv(half, &byte, 1, 0), 0); // closed, not answered
    ::close(half);

    // After the handshake: nothing at all, or a byte every 50 ms, never
    // done; and a call in one TLS record larger than the stream's buffer,
    // whose rest OpenSSL holds while the socket has nothing more to read.
    enum TMode { Silent, Trickling, OneRecord };
    for (const TMode mode : {Silent, Trickling, OneRecord}) {
        SCOPED_TRACE(mode);
        TRawTls tls(port);
        ASSERT_TRUE(tls.Handshake());
        std::string request = CallBytes();
        if (mode == OneRecord) {
            for (int line = 0; line < 4; ++line)
                request.insert(request.find("\r\n") + 2,
                               "X-Enche: " + std::string(2500, 'a') + "\r\n");
            ASSERT_TRUE(tls.Send(request));
        }
        const auto until = Clock::now() + kBound;
        for (size_t i = 0; mode == Trickling && i + 1 < request.size() && Clock::now() < until;
             ++i) {
            ASSERT_TRUE(tls.Send(request.substr(i, 1)));
            if (tls.Answered(50))
                break;
        }
        EXPECT_EQ(Parse(tls.ReadAll()).first, mode == OneRecord ? 200 : 408);
    }
    ExpectServing();
}

TEST_F(ServedTest, ATlsHelloToAPlainServerFailsAndThePlainServerKeepsServing) {
    Serve(false);
    TRawTls tls(port);
    EXPECT_FALSE(tls.Handshake());
    const TServerReply reply = CallServer(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(reply.ok) << reply.message.toStdString();
    // A client set for HTTPS says so instead of hanging or misreading.
    TSecurityScope scope({true, certs.caFile, false});
    EXPECT_EQ(CallServer(QStringLiteral("localhost"), port).message,
              QStringLiteral("Não foi possível estabelecer uma conexão segura (HTTPS) com o "
                             "servidor de aplicação localhost:%1.")
                  .arg(port));
}

TEST_F(ServedTest, TheServerRefusesToStartWithUnusableCertificateFiles) {
    QTemporaryDir other;
    const TTestCertificates foreign = MakeTestCertificates(other.path(), "DNS:localhost");
    const QString missing = other.filePath("nada.pem");
    const struct {
        const char* name;
        QStringList options;
        int exitCode;
        QString sentence;
    } cases[] = {
        {"no certificate file",
         {"--tls-cert", missing, "--tls-key", certs.keyFile},
         1,
         QStringLiteral("O certificado %1 não existe ou não pode ser lido.").arg(missing)},
        {"a key in place of the certificate",
         {"--tls-cert", certs.keyFile, "--tls-key", certs.keyFile},
         1,
         QStringLiteral("O certificado %1 não é um certificado PEM válido").arg(certs.keyFile)},
        {"a certificate in place of the key",
         {"--tls-cert", certs.certFile, "--tls-key", certs.certFile},
         1,
         QStringLiteral("A chave privada %1 não é uma chave PEM válida sem senha")
             .arg(certs.certFile)},
        {"another certificate's key",
         {"--tls-cert", certs.certFile, "--tls-key", foreign.keyFile},
         1,
         QStringLiteral("A chave privada %1 não corresponde ao certificado %2.")
             .arg(foreign.keyFile, certs.certFile)},
        {"a certificate without its key",
         {"--tls-cert", certs.certFile},
         2,
         QStringLiteral("--tls-cert e --tls-key vão juntas.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess server;
        server.start(ServerExecutable(),
                     QStringList{"serve", "--db", DbFile(), "--listen", "127.0.0.1:0"} + c.options);
        ASSERT_TRUE(server.waitForFinished(kProcessBoundMs));
        EXPECT_EQ(server.exitCode(), c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(server.readAllStandardError())
                        .startsWith(QStringLiteral("ore-server: ") + c.sentence));
    }
}

TEST(PlainHttp, OnlyLoopbackUnlessAllowed) {
    for (const char* host :
         {"127.0.0.1", "127.8.9.10", "::1", "[::1]", "::ffff:127.0.0.1", "localhost", "LocalHost"})
        EXPECT_TRUE(TNetSecurity::IsLoopback(host)) << host;
    for (const char* host : {"192.0.2.1", "128.0.0.1", "::2", "::ffff:10.0.0.1",
                             "localhost.example", "example.test", "0.0.0.0", ""})
        EXPECT_FALSE(TNetSecurity::IsLoopback(host)) << host;

    const QString connecting = QStringLiteral("Não foi possível conectar ao servidor de aplicação "
                                              "192.0.2.1:1:");
    {
        const TServerReply refused = CallServer(QStringLiteral("192.0.2.1"), 1);
        EXPECT_EQ(refused.message,
                  QStringLiteral("O servidor de aplicação 192.0.2.1:1 está fora deste computador e "
                                 "a conexão não seria criptografada: use HTTPS (--tls) ou, só em "
                                 "rede confiável, permita HTTP simples (--allow-plain-http)."));
    }
    TSecurityScope scope({false, {}, true});
    const TServerReply allowed = CallServer(QStringLiteral("192.0.2.1"), 1);
    EXPECT_TRUE(allowed.message.startsWith(connecting)) << allowed.message.toStdString();
}

} // namespace
