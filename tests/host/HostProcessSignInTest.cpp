// ore-host run as a process signs in before its first screen, from
// --operator and ORE_PASSWORD, and signs out on its way out.

#include "core/wire/RpcEnvelope.h"
#include "tests/host/HostProcess.h"

#include <QImage>
#include <QTemporaryDir>

#include <httplib.h>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

// The application server's sessions over HTTP on a loopback port: Entrar
// answers a token (or `refusal`), Sair ends it, anything else is refused.
// Records each call as "method arg arg...".
class THttpSessions {
public:
    explicit THttpSessions(QString refusal = {}) : m_refusal(std::move(refusal)) {
        m_http.Post(Wire::kCallPath, [this](const httplib::Request& req, httplib::Response& res) {
            const TCallRequest call = Wire::DecodeRequest(QByteArray::fromStdString(req.body));
            QStringList line{call.method};
            for (const QVariant& arg : call.args)
                line << arg.toString();
            {
                std::lock_guard lock(m_mutex);
                m_calls << line.join(u' ');
            }
            TServerReply reply = TServerReply::Failure(QStringLiteral("Método não previsto."));
            if (call.method == u"Entrar")
                reply = m_refusal.isEmpty() ? TServerReply::Success(QStringLiteral("t0k3n"))
                                            : TServerReply::Failure(m_refusal);
            else if (call.method == u"Sair")
                reply = TServerReply::Success({});
            res.set_content(Wire::EncodeReply(reply).toStdString(), Wire::kContentType);
        });
        // Bound and listening from here on: the host's first call waits in the backlog.
        m_port = m_http.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_http.listen_after_bind(); });
    }
    ~THttpSessions() {
        m_http.stop();
        m_thread.join();
    }

    int Port() const { return m_port; }
    QStringList Calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    QString m_refusal;
    httplib::Server m_http;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    QStringList m_calls;
};

// The host with the password in its environment, opening ORE00800 and
// grabbing its window to `shot`.
THostRun RunSignedIn(int port, const QString& shot) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORE_PASSWORD"), QStringLiteral("maria123"));
    return RunHost({QStringLiteral("--server"), QStringLiteral("127.0.0.1:%1").arg(port),
                    QStringLiteral("--operator"), QStringLiteral("maria"),
                    QStringLiteral("--modules"), QStringLiteral(ORE_MODULE_DIR),
                    QStringLiteral("--open"), QStringLiteral("ORE00800"),
                    QStringLiteral("--screenshot"), shot},
                   env);
}

} // namespace

TEST(HostProcessSignIn, SignsInBeforeTheFirstScreenAndOutOnExit) {
    THttpSessions server;
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("host.png"));
    const THostRun run = RunSignedIn(server.Port(), shot);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QImage(shot).isNull());
    EXPECT_EQ(server.Calls(),
              (QStringList{QStringLiteral("Entrar MARIA maria123"), QStringLiteral("Sair")}));
}

TEST(HostProcessSignIn, ARefusedSignInIsSaidAndNoScreenOpens) {
    THttpSessions server(QStringLiteral("Operador ou senha inválidos."));
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("host.png"));
    const THostRun run = RunSignedIn(server.Port(), shot);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("ore-host: Operador ou senha inválidos.")))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(shot));
    EXPECT_EQ(server.Calls(), QStringList{QStringLiteral("Entrar MARIA maria123")});
}
