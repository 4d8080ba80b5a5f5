// Floods a running ore-server with hostile connections, all at once, and
// reports how each kind was answered, whether a normal call still got through
// meanwhile, and the server's memory before, at its peak and after.
//
//   http_flood --port P --pid PID [--connections 200] [--rounds 3]
//              [--max-body-mib 64]
//
// scripts/http-flood starts a server on a scratch database and runs this.

#include "core/wire/RpcEnvelope.h"
#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"
#include "tests/support/RawSocket.h"

#include <QCoreApplication>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

using RawSocket::Connect;
using RawSocket::RssKiB;
using RawSocket::Send;

struct TOptions {
    int port = 8211;
    long pid = 0;
    int connections = 200;
    int rounds = 3;
    size_t maxBody = size_t(64) << 20;
};

// The status of the answer, 0 when the server closed without one, -1 when
// nothing came in two minutes.
int StatusOf(int s) {
    std::string got;
    char buf[4096];
    pollfd fd{s, POLLIN, 0};
    for (const auto end = Clock::now() + 120s; Clock::now() < end;) {
        if (::poll(&fd, 1, 100) <= 0)
            continue;
        const ssize_t n = ::recv(s, buf, sizeof buf, 0);
        if (n <= 0)
            return got.rfind("HTTP/1.1 ", 0) == 0 ? std::atoi(got.c_str() + 9) : 0;
        got.append(buf, size_t(n));
    }
    return -1;
}

std::string Post(const std::string& body, size_t length) {
    return "POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Type: application/cbor\r\nContent-Length: " +
           std::to_string(length) + "\r\n\r\n" + body;
}

const char* const kKinds[] = {
    "chamada", "chamada grande",     "corpo excessivo", "corpo truncado",   "lenta",
    "lixo",    "cabeçalhos sem fim", "silenciosa",      "rota desconhecida"};
constexpr int kKindCount = int(std::size(kKinds));

// One hostile connection of kind `kind`; returns the status it got.
int Hostile(const TOptions& o, int kind, unsigned seed) {
    const int s = Connect(o.port);
    if (s < 0)
        return -2;
    const QString fecha = QStringLiteral("ORE00800.rdmFechaOrca");
    switch (kind) {
    case 0: {
        const std::string body = Wire::EncodeRequest({fecha, "GetParamOrca", {}}).toStdString();
        Send(s, Post(body, body.size()));
        break;
    }
    case 1: {
        const std::string body =
            Wire::EncodeRequest({fecha, "Eco", {QString(int(o.maxBody / 4), u'x')}}).toStdString();
        Send(s, Post(body, body.size()));
        break;
    }
    case 2:
        Send(s, Post(std::string(o.maxBody + 1, 'x'), o.maxBody + 1));
        break;
    case 3:
        Send(s, Post(std::string(1024, 'x'), 1 << 20));
        ::shutdown(s, SHUT_WR);
        break;
    case 4: {
        const std::string request = Post("\xa0", 1);
        for (size_t i = 0; i + 1 < request.size(); ++i) {
            if (!Send(s, request.substr(i, 1)))
                break;
            pollfd fd{s, POLLIN, 0};
            if (::poll(&fd, 1, 200) > 0) // the server has answered or closed
                break;
        }
        break;
    }
    case 5: {
        std::mt19937 random(seed);
        std::string noise(4096, '\0');
        for (char& c : noise)
            c = char(random());
        Send(s, noise);
        break;
    }
    case 6: {
        Send(s, "POST /rpc HTTP/1.1\r\n");
        const std::string line = "X-Enche: " + std::string(4000, 'a') + "\r\n";
        for (int i = 0; i < 256 && Send(s, line); ++i) {
        }
        break;
    }
    case 7:
        break;
    case 8:
        Send(s, "DELETE /admin HTTP/1.1\r\nHost: x\r\n\r\n");
        break;
    }
    const int status = StatusOf(s);
    ::close(s);
    return status;
}

TOptions Parse(const QStringList& args) {
    TOptions o;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const long value = args[i + 1].toLong();
        if (name == u"--port")
            o.port = int(value);
        else if (name == u"--pid")
            o.pid = value;
        else if (name == u"--connections")
            o.connections = int(value);
        else if (name == u"--rounds")
            o.rounds = int(value);
        else if (name == u"--max-body-mib")
            o.maxBody = size_t(value) << 20;
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const TOptions o = Parse(app.arguments());
    // The normal calls carry a session of the demo's MARIA (ORE_PASSWORD, or
    // the password seed-demo gives her).
    try {
        TNetSession::SignIn(QStringLiteral("127.0.0.1"), o.port, QStringLiteral("MARIA"),
                            qEnvironmentVariable("ORE_PASSWORD", QStringLiteral("maria123")));
    } catch (const EServerCallError& e) {
        std::fprintf(stderr, "http_flood: %s\n", e.what());
        return 1;
    }
    TNetConnection probe;
    probe.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
    probe.Port = o.port;
    probe.ThrowException = false;
    if (!probe.Call("GetParamOrca").ok) {
        std::fprintf(stderr, "http_flood: o servidor em 127.0.0.1:%d não responde.\n", o.port);
        return 1;
    }
    const long base = RssKiB(o.pid);
    std::printf("base RSS: %ld KiB\n", base);
    int failures = 0;
    for (int round = 1; round <= o.rounds; ++round) {
        std::atomic<bool> done{false};
        std::atomic<long> peak{base};
        std::atomic<int> probes{0}, probeFailures{0};
        std::atomic<long long> worstProbeMs{0};
        // Memory sampled, and a normal call made, all along the flood.
        std::thread watcher([&] {
            while (!done) {
                peak = std::max(peak.load(), RssKiB(o.pid));
                TNetConnection call;
                call.ServerName = probe.ServerName;
                call.Port = o.port;
                call.ThrowException = false;
                const auto start = Clock::now();
                const bool ok = call.Call("GetParamOrca").ok;
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
                ++probes;
                probeFailures += !ok;
                worstProbeMs = std::max(worstProbeMs.load(), (long long)ms.count());
                std::this_thread::sleep_for(100ms);
            }
        });
        const auto start = Clock::now();
        std::vector<int> statuses(size_t(o.connections));
        std::vector<std::thread> threads;
        for (int i = 0; i < o.connections; ++i)
            threads.emplace_back(
                [&, i] { statuses[size_t(i)] = Hostile(o, i % kKindCount, unsigned(i + round)); });
        for (auto& t : threads)
            t.join();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        done = true;
        watcher.join();
        // The server may still be draining refused bodies (for up to 2 s).
        std::this_thread::sleep_for(3s);
        const long after = RssKiB(o.pid);

        std::map<std::pair<int, int>, int> answers; // (kind, status) -> count
        for (int i = 0; i < o.connections; ++i)
            ++answers[{i % kKindCount, statuses[size_t(i)]}];
        std::printf("round %d: %d connections in %.1f s\n", round, o.connections, seconds);
        for (const auto& [key, count] : answers) {
            std::printf("  %-20s status %3d x %d\n", kKinds[key.first], key.second, count);
            failures += key.second < 0;
        }
        std::printf("  normal calls meanwhile: %d, failed %d, slowest %lld ms\n", probes.load(),
                    probeFailures.load(), worstProbeMs.load());
        std::printf("  RSS KiB: base %ld, peak %ld, after %ld\n", base, peak.load(), after);
        failures += probeFailures;
    }
    const bool serving = probe.Call("GetParamOrca").ok;
    std::printf("serving after the flood: %s\n", serving ? "yes" : "NO");
    return failures == 0 && serving ? 0 : 1;
}
