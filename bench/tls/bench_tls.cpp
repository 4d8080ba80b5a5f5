// What HTTPS adds to a light call: GetParamOrca through TNetConnection, one
// connection per call as the host makes them, against the server in this
// process on the demo database, over plain HTTP and over HTTPS (a P-256
// certificate made at start, verified by the client with its authority).
// The ratio compares the medians of every call's own time.

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
    std::vector<double> calls; // seconds, every timed call
};

void BM_Call(benchmark::State& state, TTarget* target) {
    TNetSecurity::Set(target->security);
    TNetConnection conn;
    conn.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
    conn.Port = target->port;
    conn.ThrowException = false;
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
    std::printf("bench_tls [--quick]: GetParamOrca over plain HTTP and over HTTPS\n");
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
        TRpcServerOptions tlsOptions = plainOptions;
        tlsOptions.tlsCert = certs.certFile;
        tlsOptions.tlsKey = certs.keyFile;
        TRpcServer plain(registry, plainOptions);
        TRpcServer tls(registry, tlsOptions);
        plain.Start();
        tls.Start();

        TTarget http{plain.Port(), {}, {}};
        TTarget https{tls.Port(), {true, certs.caFile, false}, {}};
        const int calls = quick ? 200 : 1000;
        benchmark::RegisterBenchmark("GetParamOrca/http", BM_Call, &http)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Iterations(calls);
        benchmark::RegisterBenchmark("GetParamOrca/https", BM_Call, &https)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Iterations(calls);
        benchmark::RunSpecifiedBenchmarks();
        if (!http.calls.empty() && !https.calls.empty()) {
            const double base = Median(http.calls);
            std::printf("\nMedian of every call: http %s, https %s\n", Duration(base).c_str(),
                        Duration(Median(https.calls)).c_str());
            PrintRatioLine("https vs http", base, Median(https.calls) / base);
        }
        tls.Stop();
        plain.Stop();
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_tls: %s\n", e.Message().toStdString().c_str());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
