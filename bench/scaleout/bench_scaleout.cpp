// Closings per second with 1, 2 and 4 ore-server processes on one
// PostgreSQL database. A template database holds the scale branch; each
// configuration gets a fresh copy of it, starts its servers, and client
// threads close the same approved budgets one call each, spread over the
// servers in turn. The ratios are against the one-server figure of the run.

#include "bench/common/BenchCommon.h"

#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"
#include "storage/Commands.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <latch>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const QString kTemplate = QStringLiteral("ore_bench_scaleout_tpl");
constexpr int kWaitMs = 30000; // for a server to start or stop

// `ore-server serve` on a free loopback port; its port once it says it listens.
int Serve(QProcess& p, const QString& url) {
    static const QRegularExpression listening("atendendo em 127\\.0\\.0\\.1:(\\d+) ");
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(ORE_SERVER_EXE), {"serve", "--db", url, "--listen", "127.0.0.1:0"});
    QString said;
    while (p.waitForReadyRead(kWaitMs)) {
        said += QString::fromUtf8(p.readAllStandardError());
        if (const auto m = listening.match(said); m.hasMatch())
            return m.captured(1).toInt();
    }
    throw Exception(QStringLiteral("o servidor não iniciou: %1").arg(said));
}

struct TOptions {
    QString pg = qEnvironmentVariable("ORE_TEST_PG_URL");
    int budgets = 3000; // seeded in the branch
    int closings = 600; // per configuration
    int clients = 8;
    int rounds = 3;
    std::vector<int> servers{1, 2, 4};
};

struct TKey {
    QString filial, numero;
};

void Usage() {
    std::puts("Uso: bench_scaleout [--pg URL] [--budgets N] [--closings N] [--clients N] "
              "[--rounds N]\n"
              "  --pg URL       servidor PostgreSQL onde criar os bancos da medição\n"
              "                 (padrão: ORE_TEST_PG_URL; scripts/pg-test-cluster run o fornece)\n"
              "  --budgets N    orçamentos gerados na filial de escala (padrão 3000)\n"
              "  --closings N   fechamentos por configuração (padrão 600)\n"
              "  --clients N    threads clientes (padrão 8)\n"
              "  --rounds N     rodadas de 1, 2 e 4 servidores; mostra as medianas (padrão 3)");
}

QString WithDatabase(DbUrl url, const QString& name) {
    url.database = name;
    QString auth = QString::fromLatin1(QUrl::toPercentEncoding(url.user));
    if (!url.password.isEmpty())
        auth += u':' + QString::fromLatin1(QUrl::toPercentEncoding(url.password));
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(auth, url.host).arg(url.port).arg(name);
}

void Recreate(const DbUrl& admin, const QString& name, const QString& from = {}) {
    TDbConnection db(admin);
    db.ExecRaw(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    if (!from.isEmpty())
        db.ExecRaw(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, from));
    else
        db.ExecRaw(QStringLiteral("CREATE DATABASE %1").arg(name));
}

// Approved main budgets of registered customers: each closes on its own.
std::vector<TKey> Closable(const QString& url, int limit) {
    TDbConnection db(url);
    TSqlStatement st(db, QStringLiteral("SELECT CDFILIAL, NRORCAEVENTO FROM ORCAEVENTO WHERE "
                                        "IDSITUORCEVE = '2' AND IDSITCLIOREV = 'C' AND "
                                        "NRSEQORCAEVE = '00' ORDER BY CDFILIAL, NRORCAEVENTO"));
    st.Exec();
    std::vector<TKey> keys;
    while (st.Next() && int(keys.size()) < limit)
        keys.push_back({st.Value(0).toString(), st.Value(1).toString()});
    return keys;
}

QVariant ListOf(const TKey& k) {
    TRecordSet rs(
        {StrField(QStringLiteral("CDFILIAL"), 4), StrField(QStringLiteral("NRORCAEVENTO"), 10),
         StrField(QStringLiteral("NRSEQORCAEVE"), 2), StrField(QStringLiteral("IDMARCADO"), 1)});
    rs.CreateDataSet();
    rs.Append();
    rs.FieldByName(QStringLiteral("CDFILIAL")).SetAsString(k.filial);
    rs.FieldByName(QStringLiteral("NRORCAEVENTO")).SetAsString(k.numero);
    rs.FieldByName(QStringLiteral("NRSEQORCAEVE")).SetAsString(QStringLiteral("00"));
    rs.FieldByName(QStringLiteral("IDMARCADO")).SetAsString(QStringLiteral("S"));
    rs.Post();
    return QVariant::fromValue(rs.Data());
}

struct TFigure {
    int closed = 0;
    int refused = 0;
    double seconds = 0;
    QString firstRefusal;
};

TFigure Measure(const QString& url, int serverCount, const std::vector<QVariant>& lists,
                int clients) {
    std::vector<std::unique_ptr<QProcess>> servers;
    std::vector<int> ports;
    for (int s = 0; s < serverCount; ++s) {
        servers.push_back(std::make_unique<QProcess>());
        ports.push_back(Serve(*servers.back(), url));
    }
    // One session for every client: the servers share it through the database.
    TNetSession::SignIn(QStringLiteral("127.0.0.1"), ports.front(), QStringLiteral("MARIA"),
                        QStringLiteral("maria123"));
    std::vector<std::unique_ptr<TNetConnection>> conns;
    for (int c = 0; c < clients; ++c) {
        conns.push_back(std::make_unique<TNetConnection>());
        conns.back()->ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
        conns.back()->Port = ports[size_t(c % serverCount)];
        conns.back()->ThrowException = false;
        conns.back()->Connect();
    }
    std::atomic<size_t> next{0};
    std::atomic<int> closed{0}, refused{0};
    QString firstRefusal;
    std::mutex refusalMutex;
    std::latch start(clients + 1);
    std::vector<std::thread> threads;
    for (auto& conn : conns)
        threads.emplace_back([&, c = conn.get()] {
            start.arrive_and_wait();
            for (size_t i; (i = next++) < lists.size();) {
                const TServerReply r =
                    c->Call(QStringLiteral("FecharOrca"), {lists[i], QStringLiteral("MARIA"), {}});
                if (r.ok) {
                    ++closed;
                } else {
                    ++refused;
                    std::lock_guard lock(refusalMutex);
                    if (firstRefusal.isEmpty())
                        firstRefusal = r.message;
                }
            }
        });
    start.arrive_and_wait();
    const auto t0 = std::chrono::steady_clock::now();
    for (auto& t : threads)
        t.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    for (auto& p : servers) {
        p->terminate();
        p->waitForFinished(kWaitMs);
    }
    return {closed.load(), refused.load(), seconds, firstRefusal};
}

bool ParseArgs(const QStringList& args, TOptions& o) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--pg" && hasValue)
            o.pg = args[++i];
        else if (a == u"--budgets" && hasValue)
            o.budgets = args[++i].toInt();
        else if (a == u"--closings" && hasValue)
            o.closings = args[++i].toInt();
        else if (a == u"--clients" && hasValue)
            o.clients = args[++i].toInt();
        else if (a == u"--rounds" && hasValue)
            o.rounds = args[++i].toInt();
        else
            return false;
    }
    return !o.pg.isEmpty() && o.budgets > 0 && o.closings > 0 && o.clients > 0 && o.rounds > 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TOptions o;
    if (!ParseArgs(app.arguments(), o)) {
        Usage();
        return 2;
    }
    try {
        const DbUrl admin = DbUrl::Parse(o.pg);
        PrintMachine();
        const auto s0 = std::chrono::steady_clock::now();
        Recreate(admin, kTemplate);
        const QString tpl = WithDatabase(admin, kTemplate);
        if (RunInitDb(tpl) != 0 || RunSeedScale(tpl, o.budgets) != 0)
            return 1;
        std::vector<QVariant> lists;
        for (const TKey& k : Closable(tpl, o.closings))
            lists.push_back(ListOf(k));
        CloseThreadDatabases();
        std::printf("Scale branch: %d budgets seeded in %.1f s; %zu closings per configuration, "
                    "%d client threads, one budget per call\n\n",
                    o.budgets,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - s0).count(),
                    lists.size(), o.clients);
        // Rounds run the configurations in turn, forwards then backwards, so
        // that a machine busier at one moment does not favour one of them.
        std::map<int, std::vector<double>> rates;
        for (int round = 0; round < o.rounds; ++round) {
            std::vector<int> order = o.servers;
            if (round % 2)
                std::reverse(order.begin(), order.end());
            for (const int n : order) {
                const QString name = QStringLiteral("ore_bench_scaleout_%1").arg(n);
                Recreate(admin, name, kTemplate);
                const TFigure f = Measure(WithDatabase(admin, name), n, lists, o.clients);
                TDbConnection(admin).ExecRaw(
                    QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
                rates[n].push_back(f.closed / f.seconds);
                std::printf("round %d, %d server process%s: %d closed, %d refused in %s: %.1f "
                            "closings/s\n",
                            round + 1, n, n == 1 ? "" : "es", f.closed, f.refused,
                            Duration(f.seconds).c_str(), rates[n].back());
                if (f.refused)
                    std::printf("  first refusal: %s\n", f.firstRefusal.toUtf8().constData());
            }
        }
        std::printf("\nMedians of %d round%s\n", o.rounds, o.rounds == 1 ? "" : "s");
        const double base = Median(rates[o.servers.front()]);
        for (const int n : o.servers) {
            const double rate = Median(rates[n]);
            std::printf("  %d server process%s: %.1f closings/s, ratio %.2f\n", n,
                        n == 1 ? "" : "es", rate, rate / base);
        }
        TDbConnection(admin).ExecRaw(
            QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(kTemplate));
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_scaleout: %s\n", e.what());
        return 1;
    }
    return 0;
}
