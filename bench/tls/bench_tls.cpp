// What HTTPS adds to a light call: GetParamOrca through TNetConnection
// against the server in this process on the demo database, over plain HTTP
// and over HTTPS (a P-256 certificate made at start, verified by the client
// with its authority), on a connection kept between calls as the host's are
// (*/kept) and on a new connection for each call (*/new: a TLS handshake each
// time). The ratios compare the medians of every call's own time.

#include "bench/common/BenchCommon.h"

#include "framework/net/NetConnection.h"
#include "framework/net/NetSecurity.h"
#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/Commands.h"
#include "tests/support/TestCertificates.h"
#include "transport/RpcServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace {

struct TTarget {
    int port = 0;
    TNetSecurity::TSettings security;
    bool keep = true;
    std::vector<double> calls; // seconds, every timed call
};

void BM_Call(benchmark::State& state, TTarget* target) {
    TNetSecurity::Set(target->security);
    TNetConnection conn;
    conn.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
    conn.Port = target->port;
    conn.ThrowException = false;
    if (!target->keep)
        conn.KeepAliveIdle = std::chrono::milliseconds(0);
    for (int i = 0; i < 10; ++i) // warm up: the server's thread databases
        conn.Call(QStringLiteral("GetParamOrca"));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const TServerReply reply = conn.Call(QStringLiteral("GetParamOrca"));
        target->calls.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!reply.ok) {
            state.SkipWithError(reply.message.toStdString().c_str());
            break;
        }
    }
}

void PrintHelp() {
    std::printf("bench_tls [--quick]: GetParamOrca over plain HTTP and over HTTPS, on kept and "
                "on new connections\n");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    bool quick = false;
    if (!InitBenchmarks(args, PrintHelp, quick))
        return 1;
    QCoreApplication app(argc, argv);
    PrintMachine();
    try {
        QTemporaryDir folder;
        const QString db = folder.filePath(QStringLiteral("ore.db"));
        if (RunInitDb(db) != 0 || RunSeedDemo(db) != 0)
            return 1;
        const TTestCertificates certs = MakeTestCertificates(folder.path(), "IP:127.0.0.1");
        TRemoteModuleRegistry registry;
        RegisterModules(registry, db);
        TRpcServerOptions plainOptions;
        plainOptions.port = 0;
        // The transport alone: no session to check.
        plainOptions.withoutSessions = true;
        TRpcServerOptions tlsOptions = plainOptions;
        tlsOptions.tlsCert = certs.certFile;
        tlsOptions.tlsKey = certs.keyFile;
        TRpcServer plain(registry, plainOptions);
        TRpcServer tls(registry, tlsOptions);
        plain.Start();
        tls.Start();

        TTarget http{plain.Port(), {}, true, {}};
        TTarget httpNew{plain.Port(), {}, false, {}};
        TTarget https{tls.Port(), {true, certs.caFile, false}, true, {}};
        TTarget httpsNew{tls.Port(), {true, certs.caFile, false}, false, {}};
        const int calls = quick ? 200 : 1000;
        for (auto [name, target] : {std::pair{"GetParamOrca/http/kept", &http},
                                    std::pair{"GetParamOrca/http/new", &httpNew},
                                    std::pair{"GetParamOrca/https/kept", &https},
                                    std::pair{"GetParamOrca/https/new", &httpsNew}})
            benchmark::RegisterBenchmark(name, BM_Call, target)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime()
                ->Iterations(calls);
        benchmark::RunSpecifiedBenchmarks();
        const auto ratio = [](const char* label, TTarget& subject, TTarget& base) {
            if (subject.calls.empty() || base.calls.empty())
                return;
            const double b = Median(base.calls), s = Median(subject.calls);
            PrintRatioLine((std::string(label) + ": " + Duration(s)).c_str(), b, s / b);
        };
        std::printf("\nMedians of every call\n");
        ratio("https vs http, kept connections", https, http);
        ratio("https vs http, a new connection each call", httpsNew, httpNew);
        ratio("https, a new connection each call vs kept", httpsNew, https);
        ratio("http, a new connection each call vs kept", httpNew, http);
        tls.Stop();
        plain.Stop();
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_tls: %s\n", e.Message().toStdString().c_str());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
