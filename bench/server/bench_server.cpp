// Application-server benchmarks. The server runs in this process (TRpcServer
// on a free loopback port, every remote module registered) on a SQLite
// database holding the scale branch; clients are TNetConnections, which keep
// their connection between calls, as the host's do.
//
// List/*: GetOrcaEvento for the whole branch. List/EndToEnd is the call from
// a client: SQL on the server, packets, HTTP, and the six packets loaded into
// record sets. List/Registry is the same call dispatched in-process (SQL and
// packets, no HTTP). List/BareSQL is the same six statements run with Qt SQL,
// every column value of every row read, nothing encoded. List/Floor is the
// baseline: the same rows read from their own tables by plain SELECTs on
// their keys, without joins or name lookups (TFloorList). Week/* are the same
// for the narrow filter, the approved budgets of one week. With --pg URL,
// ListPG/* and WeekPG/* make the same calls to a second server on that
// PostgreSQL database (seeded alike, without sessions), against the same
// SQLite floors.
//
// Codes/*: GetOrcaEvento narrowed to one budget's seller, customer, service
// type and event type, dispatched in-process. Codes/Long carries 40,000 codes
// in those four lists (by default; --codes N), Codes/OnePerList only the four
// that match: the same budgets, so the ratio is what the long lists cost.
//
// Latency/*: GetSalaoEven of one budget, and an empty HTTP round trip
// (GET /health) over a kept connection as the calls' are (Health), or over a
// new connection each time (HealthNew); SalaoEvenDispatch is the call
// dispatched in the client's thread, without HTTP, for what the method itself
// takes. SalaoEven carries a session that the server checks before the call
// runs; SalaoEvenOpen is the same call on a second server, built without
// sessions, in the same process on the same database: their ratio is what the
// check costs. From one client thread the kinds take turns call by call
// (Latency/Alternated), so that each is measured under the same conditions;
// from 8 client threads at once each kind runs alone (Latency/<kind>). Every
// call is timed on its own and the medians are compared.
//
// Move/ItemsPage: the closing screen itself moving through the branch's list
// with the items page shown (ScreenMove.h); the share of a move spent outside
// its server calls is the screen's own work.

#include "bench/common/BenchCommon.h"
#include "bench/server/ScaleBranch.h"
#include "bench/server/ScreenMove.h"

#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/layouts/OrcaLayouts.h"
#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"
#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "seed/ScaleSeed.h"
#include "session/SessionModule.h"
#include "session/SessionStore.h"
#include "transport/RpcServer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <string>
#include <thread>

namespace {

const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");
constexpr int kDefaultBudgets = 20000;
constexpr int kDefaultCodes = 40000;
constexpr int kWarmUpCalls = 10; // per client thread, before its timed calls

// One filter of the list: its criteria, its statements run bare, its floor.
struct TListCase {
    QVariantList criteria;
    TBareList* bare = nullptr;
    TFloorList* floor = nullptr;
    TListRead expected; // what the bare statements read: every way must see the same rows
    // Where the call goes: the SQLite server's modules, or PostgreSQL's (--pg).
    const TRemoteModuleRegistry* registry = nullptr;
    int port = 0;
};

using TListBenchmark = std::pair<const char*, void (*)(benchmark::State&, const TListCase*)>;

struct TShared {
    TRpcServer* server = nullptr;
    TRpcServer* open = nullptr; // the same modules without sessions
    const TRemoteModuleRegistry* registry = nullptr;
    TListCase branch; // the whole branch
    TListCase week;   // its approved budgets of one week
    QVariantList hallKey;
    TCodeListCriteria codeLists;
    QVariant codeListAnswer; // what both code-list calls answer
};
TShared* g_shared = nullptr;

std::string Text(const QString& s) {
    return s.toStdString();
}

// ---- the whole branch's list ----------------------------------------------------------

void SetListCounters(benchmark::State& state, const TListCase& list, long long bytes = 0) {
    long long rows = 0;
    for (const long long r : list.expected.rows)
        rows += r;
    state.counters["rows"] = double(rows);
    if (bytes > 0)
        state.counters["MB"] = double(bytes) / 1e6;
}

void BM_ListBareSql(benchmark::State& state, const TListCase* list) {
    TListRead read;
    for (auto _ : state) {
        read = list->bare->Run();
        if (read.rows != list->expected.rows) {
            state.SkipWithError("the bare statements read other rows than before");
            return;
        }
    }
    benchmark::DoNotOptimize(read.digest);
    SetListCounters(state, *list);
}

void BM_ListFloor(benchmark::State& state, const TListCase* list) {
    TListRead read;
    for (auto _ : state) {
        read = list->floor->Run();
        if (!TFloorList::SameRows(read, list->expected)) {
            state.SkipWithError("the floor read other rows than the list's statements");
            return;
        }
    }
    benchmark::DoNotOptimize(read.digest);
    state.counters["rows"] = double(std::accumulate(read.rows.begin(), read.rows.end(), 0LL));
}

// The packets of a reply, checked against the rows of the bare statements.
std::string CheckPackets(const TServerReply& reply, const TListCase& list, long long& bytes) {
    if (!reply.ok)
        return "GetOrcaEvento failed: " + Text(reply.message);
    const QVariantList packets = reply.payload.toList();
    if (packets.size() != qsizetype(list.expected.rows.size()))
        return "GetOrcaEvento answered " + std::to_string(packets.size()) + " values";
    bytes = 0;
    for (const QVariant& p : packets)
        bytes += p.value<TDataPacket>().Size();
    return {};
}

void BM_ListRegistry(benchmark::State& state, const TListCase* list) {
    const TCallRequest request{kFecha, QStringLiteral("GetOrcaEvento"), list->criteria};
    long long bytes = 0;
    for (auto _ : state) {
        TCallContext context;
        const TServerReply reply = list->registry->Dispatch(context, request);
        if (const std::string error = CheckPackets(reply, *list, bytes); !error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    SetListCounters(state, *list, bytes);
}

void BM_ListEndToEnd(benchmark::State& state, const TListCase* list) {
    TNetConnection conn;
    conn.ServerName = kFecha;
    conn.Port = list->port;
    conn.ThrowException = false;
    // The screen's record sets, reloaded by every call.
    std::vector<std::unique_ptr<TRecordSet>> sets;
    for (const auto& select : list->bare->Selects().selects)
        sets.push_back(std::make_unique<TRecordSet>(select.layout));
    std::vector<TRecordSet*> targets;
    for (const auto& set : sets)
        targets.push_back(set.get());
    long long bytes = 0;
    double loading = 0; // seconds spent loading the packets into the record sets
    std::string error;
    for (auto _ : state) {
        const TServerReply reply = conn.Call(QStringLiteral("GetOrcaEvento"), list->criteria);
        error = CheckPackets(reply, *list, bytes);
        if (!error.empty())
            break;
        const auto start = std::chrono::steady_clock::now();
        std::vector<TDataPacket> packets;
        for (const QVariant& p : reply.payload.toList())
            packets.push_back(p.value<TDataPacket>());
        try {
            TRecordSet::SetDataAll(targets, packets); // as the screen loads them
            for (size_t i = 0; i < sets.size(); ++i)
                if (sets[i]->RecordCount() != list->expected.rows[i])
                    error = "packet " + std::to_string(i + 1) + " has other rows";
        } catch (const Exception& e) {
            error = Text(e.Message());
        }
        loading += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!error.empty())
            break;
    }
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    SetListCounters(state, *list, bytes);
    state.counters["load_ms"] =
        benchmark::Counter(loading * 1e3, benchmark::Counter::kAvgIterations);
}

// ---- long code lists --------------------------------------------------------------------

TServerReply DispatchList(const QVariantList& criteria) {
    TCallContext context;
    return g_shared->registry->Dispatch(context,
                                        {kFecha, QStringLiteral("GetOrcaEvento"), criteria});
}

void BM_Codes(benchmark::State& state, const QVariantList* criteria, int codes) {
    for (auto _ : state) {
        const TServerReply reply = DispatchList(*criteria);
        if (!reply.ok || reply.payload != g_shared->codeListAnswer) {
            state.SkipWithError(reply.ok ? "the lists selected other budgets"
                                         : Text(reply.message).c_str());
            return;
        }
    }
    state.counters["codes"] = double(codes);
}

// Both criteria must answer the same, and something.
std::string CheckCodeLists() {
    const TServerReply plain = DispatchList(g_shared->codeLists.plain);
    if (!plain.ok)
        return "GetOrcaEvento with one code per list failed: " + Text(plain.message);
    const QVariantList packets = plain.payload.toList();
    TRecordSet budgets(LayoutOrcaEvento());
    budgets.SetData(packets.value(0).value<TDataPacket>());
    if (budgets.RecordCount() == 0)
        return "the codes of budget " + Text(g_shared->codeLists.budget) + " select no budget";
    const TServerReply padded = DispatchList(g_shared->codeLists.padded);
    if (!padded.ok)
        return "GetOrcaEvento with the long lists failed: " + Text(padded.message);
    if (padded.payload != plain.payload)
        return "the long lists select other budgets than their matching codes alone";
    g_shared->codeListAnswer = plain.payload;
    std::printf("  code lists: the seller, customer, service type and event type of budget %s "
                "select %d "
                "budgets\n",
                Text(g_shared->codeLists.budget).c_str(), budgets.RecordCount());
    return {};
}

// ---- latency of small calls ---------------------------------------------------------------

// The calls of one benchmark, gathered from its threads.
struct TLatencies {
    std::mutex mutex;
    std::condition_variable allIn;
    int finished = 0;
    std::vector<double> run; // seconds per call of the current repetition
    std::vector<double> all; // of every repetition
};

double Percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

enum class TCallKind { Health, HealthNew, SalaoEven, SalaoEvenOpen, SalaoEvenDispatch };

// GET /health as TNetConnection makes its calls (TCP_NODELAY), on `client`'s
// kept connection or on a new one.
std::string HealthRoundTrip(httplib::Client& client, bool keep) {
    client.set_keep_alive(keep);
    client.set_tcp_nodelay(true);
    const httplib::Result res = client.Get("/health");
    if (!res)
        return "GET /health failed: " + httplib::to_string(res.error());
    if (res->status != 200 || res->body != "ok")
        return "GET /health answered status " + std::to_string(res->status);
    return {};
}

// One client thread's ways of calling, each with a client of its own: to the
// server with sessions, to the one without, /health on a kept connection and
// /health on a new connection each time.
class TCaller {
public:
    TCaller()
        : m_health("127.0.0.1", g_shared->server->Port()),
          m_healthNew("127.0.0.1", g_shared->server->Port()) {
        for (auto [conn, server] :
             {std::pair{&m_conn, g_shared->server}, std::pair{&m_open, g_shared->open}}) {
            conn->ServerName = kFecha;
            conn->Port = server->Port();
            conn->ThrowException = false;
        }
    }

    // An error, or empty.
    std::string Call(TCallKind kind) {
        if (kind == TCallKind::Health)
            return HealthRoundTrip(m_health, true);
        if (kind == TCallKind::HealthNew)
            return HealthRoundTrip(m_healthNew, false);
        const QString method = QStringLiteral("GetSalaoEven");
        TCallContext context;
        const TServerReply reply =
            kind == TCallKind::SalaoEvenDispatch
                ? g_shared->registry->Dispatch(context, {kFecha, method, g_shared->hallKey})
                : (kind == TCallKind::SalaoEvenOpen ? m_open : m_conn)
                      .Call(method, g_shared->hallKey);
        if (!reply.ok)
            return "GetSalaoEven failed: " + Text(reply.message);
        if (reply.payload.metaType() != QMetaType::fromType<TDataPacket>())
            return "GetSalaoEven did not answer a packet";
        return {};
    }

private:
    TNetConnection m_conn, m_open;
    httplib::Client m_health, m_healthNew;
};

// Adds one thread's timed calls to `latencies`; the first thread waits for
// the others and sets the repetition's counters.
void Gather(benchmark::State& state, TLatencies& latencies, const std::vector<double>& mine,
            bool ok) {
    std::unique_lock lock(latencies.mutex);
    latencies.run.insert(latencies.run.end(), mine.begin(), mine.end());
    if (ok)
        latencies.all.insert(latencies.all.end(), mine.begin(), mine.end());
    if (++latencies.finished == state.threads())
        latencies.allIn.notify_all();
    if (state.thread_index() == 0) {
        latencies.allIn.wait(lock, [&] { return latencies.finished == state.threads(); });
        state.counters["p50_us"] = Percentile(latencies.run, 0.5) * 1e6;
        state.counters["p90_us"] = Percentile(latencies.run, 0.9) * 1e6;
        state.counters["calls"] = double(latencies.run.size());
    }
}

// Each iteration makes one call of each kind, in an order that turns from
// one iteration to the next, and times each apart: the kinds are measured
// under the same conditions, which on a shared machine drift from one
// benchmark to the next by more than the differences between them.
void BM_Latency(benchmark::State& state, std::vector<TCallKind> kinds,
                std::vector<TLatencies*> latencies) {
    TCaller caller;
    std::string error;
    for (int i = 0; i < kWarmUpCalls && error.empty(); ++i)
        for (const TCallKind kind : kinds)
            if (error.empty())
                error = caller.Call(kind);
    if (state.thread_index() == 0) {
        // The others touch the gathering only after the timed loop, which
        // starts when every thread, this one included, is there.
        for (TLatencies* l : latencies) {
            std::lock_guard lock(l->mutex);
            l->run.clear();
            l->finished = 0;
        }
    }
    if (!error.empty())
        state.SkipWithError(error.c_str());
    std::vector<std::vector<double>> mine(kinds.size());
    for (auto& m : mine)
        m.reserve(size_t(state.max_iterations));
    size_t turn = 0;
    for (auto _ : state) {
        for (size_t k = 0; k < kinds.size() && error.empty(); ++k) {
            const size_t which = (turn + k) % kinds.size();
            const auto start = std::chrono::steady_clock::now();
            error = caller.Call(kinds[which]);
            mine[which].push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        ++turn;
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    for (size_t k = 0; k < kinds.size(); ++k)
        Gather(state, *latencies[k], mine[k], error.empty());
}

// Each server thread opens its database connection on its first call and
// keeps it. Calls from as many clients as the server has threads, a few times
// over, so that the timed calls find every connection open, as on a server
// that has been up for a while. Also checks that the budget has a hall.
std::string WarmUpServer(const TRpcServer& server, int threads) {
    std::vector<std::string> errors(static_cast<size_t>(threads));
    std::vector<std::thread> clients;
    for (int t = 0; t < threads; ++t)
        clients.emplace_back([t, &errors, port = server.Port()] {
            TNetConnection conn;
            conn.ServerName = kFecha;
            conn.Port = port;
            conn.ThrowException = false;
            for (int i = 0; i < 4 * kWarmUpCalls && errors[size_t(t)].empty(); ++i) {
                const TServerReply reply =
                    conn.Call(QStringLiteral("GetSalaoEven"), g_shared->hallKey);
                if (!reply.ok) {
                    errors[size_t(t)] = "GetSalaoEven failed: " + Text(reply.message);
                    break;
                }
                try {
                    TRecordSet halls(LayoutSalaoEven());
                    halls.SetData(reply.payload.value<TDataPacket>());
                    if (halls.RecordCount() == 0)
                        errors[size_t(t)] = "GetSalaoEven found no hall for the budget";
                } catch (const Exception& e) {
                    errors[size_t(t)] = "GetSalaoEven: " + Text(e.Message());
                }
            }
        });
    for (auto& c : clients)
        c.join();
    for (const auto& e : errors)
        if (!e.empty())
            return e;
    return {};
}

// ---- ratios ---------------------------------------------------------------------------

std::map<std::string, TLatencies> g_latencies; // by "Health/8", "SalaoEven/1", ...

std::optional<double> MedianLatency(const std::string& name) {
    const auto it = g_latencies.find(name);
    if (it == g_latencies.end() || it->second.all.empty())
        return std::nullopt;
    std::vector<double> v = it->second.all;
    return Median(v);
}

TScreenMoveSetup g_screenMoves;

void PrintScreenMoves() {
    TScreenMoveFigures f = g_screenMoves.figures;
    if (f.move.empty())
        return;
    const double move = Median(f.move), calls = Median(f.calls);
    std::printf("  A move through the list with the items page shown (GetGeral, GetSalaoEven,\n"
                "  the local filters, the totals shown), median of the repetitions\n");
    std::printf("    %s per move, of which %s in the server calls and %s in the busy "
                "indicator; %s painting after it\n",
                Duration(move).c_str(), Duration(calls).c_str(),
                Duration(Median(f.overlay)).c_str(), Duration(Median(f.paint)).c_str());
    std::printf("    the screen's thread: %s of processor time per move, the client's side of "
                "the calls included\n",
                Duration(Median(f.cpu)).c_str());
    const double outside = move > 0 ? (move - calls) / move * 100 : 0;
    std::printf("    outside the server calls: %.1f %% of the move (target: at most 10 %%): %s\n",
                outside, outside <= 10 ? "met" : "NOT MET");
}

// The median latency of `subject` against `baseline`'s, per client threads,
// each with its target (0: none).
void PrintLatencyRatios(const char* title, const std::string& subject, const std::string& baseline,
                        std::initializer_list<std::pair<int, double>> threadsAndTargets) {
    bool header = false;
    for (const auto& [threads, target] : threadsAndTargets) {
        const std::string n = std::to_string(threads);
        const auto call = MedianLatency(subject + "/" + n);
        const auto base = MedianLatency(baseline + "/" + n);
        if (!call || !base)
            continue;
        if (!header)
            std::printf("  %s, median latency of every call\n", title);
        header = true;
        char more[32];
        std::snprintf(more, sizeof more, " (%+.1f %%)", (*call / *base - 1) * 100);
        const std::string label =
            n + (threads == 1 ? " client thread: " : " client threads: ") + Duration(*call) + more;
        PrintRatioLine(label.c_str(), *base, *call / *base, target, TTargetKind::AtMost);
    }
}

void PrintRatios(const TRatioReporter& rep, int codes) {
    std::printf("\nRatios of this run (the subject's time ÷ the baseline's; medians)\n");
    // Wall time is what the operator waits; the process's CPU time (client
    // and server threads together) shows the work when the machine is busy.
    for (const char* prefix : {"List/", "Week/", "ListPG/", "WeekPG/"})
        for (const TBenchTime time : {TBenchTime::Real, TBenchTime::Cpu}) {
            const std::string p = prefix;
            const bool branch = p.rfind("List", 0) == 0;
            const auto e2e = rep.Seconds(p + "EndToEnd", time);
            const auto reg = rep.Seconds(p + "Registry", time);
            const auto bare = rep.Seconds(p + "BareSQL", time);
            // PostgreSQL's lists are set against the same SQLite floors.
            const auto floor = rep.Seconds(branch ? "List/Floor" : "Week/Floor", time);
            if (!e2e && !reg)
                continue;
            const bool wall = time == TBenchTime::Real;
            std::printf("  GetOrcaEvento%s, %s, %s: end to end %s, dispatched in-process %s\n",
                        p.find("PG") != std::string::npos ? " on PostgreSQL" : "",
                        branch ? "whole branch" : "one approved week",
                        wall ? "wall time" : "CPU time of the process",
                        e2e ? Duration(*e2e).c_str() : "-", reg ? Duration(*reg).c_str() : "-");
            if (e2e && floor)
                PrintRatioLine("end to end vs floor", *floor, *e2e / *floor, wall ? 2 : 0,
                               TTargetKind::AtMost);
            if (reg && floor)
                PrintRatioLine("in-process vs floor", *floor, *reg / *floor);
            if (bare && floor)
                PrintRatioLine("bare statements vs floor", *floor, *bare / *floor);
            if (e2e && reg)
                PrintRatioLine("end to end vs in-process", *reg, *e2e / *reg);
            if (e2e && wall && branch)
                std::printf("    end to end at most 1.2 s on this machine: %s\n",
                            *e2e <= 1.2 ? "met" : "NOT MET");
        }
    const auto plain = rep.Seconds("Codes/OnePerList", TBenchTime::Real);
    const auto padded = rep.Seconds("Codes/Long", TBenchTime::Real);
    if (plain && padded) {
        std::printf("  GetOrcaEvento with long code lists against one code per list, wall time\n");
        const std::string label = std::to_string(codes) + " codes: " + Duration(*padded);
        PrintRatioLine(label.c_str(), *plain, *padded / *plain, 2, TTargetKind::AtMost);
    }
    PrintLatencyRatios("GetSalaoEven against GET /health on a kept connection", "SalaoEven",
                       "Health", {{1, 2}, {8, 2}});
    PrintLatencyRatios("GetSalaoEven dispatched in-process (no HTTP) against GET /health on a "
                       "kept connection",
                       "SalaoEvenDispatch", "Health", {{1, 0}, {8, 0}});
    PrintLatencyRatios("GET /health on a new connection each time against a kept one", "HealthNew",
                       "Health", {{1, 0}, {8, 0}});
    PrintLatencyRatios("GetSalaoEven with its session checked against the same call on a server "
                       "without sessions",
                       "SalaoEven", "SalaoEvenOpen", {{1, 1.1}, {8, 1.1}});
    PrintScreenMoves();
}

void PrintHelp() {
    std::printf("bench_server [--quick] [--db FILE] [--budgets N] [--codes N] [Google Benchmark "
                "flags]\n"
                "  --quick      each benchmark once and briefly (default: three repetitions, "
                "medians)\n"
                "  --db FILE    use this SQLite database, seeding it first when it has no scale\n"
                "               branch (default: a new one in a temporary folder)\n"
                "  --budgets N  budgets to seed (default: %d)\n"
                "  --codes N    codes in the four lists of Codes/Long (default: %d)\n"
                "  --pg URL     also list on this PostgreSQL database (ListPG/*, WeekPG/*),\n"
                "               seeding it first when it has no scale branch\n\n",
                kDefaultBudgets, kDefaultCodes);
    benchmark::PrintDefaultHelp();
}

// Takes "--name VALUE" or "--name=VALUE" at args[i]; false when it is another argument.
bool TakeOption(std::vector<char*>& args, size_t i, const char* name, std::string& value) {
    const size_t n = std::strlen(name);
    if (std::strncmp(args[i], name, n) != 0)
        return false;
    if (args[i][n] == '=') {
        value = args[i] + n + 1;
        args.erase(args.begin() + std::ptrdiff_t(i));
        return true;
    }
    if (args[i][n] != '\0' || i + 1 >= args.size())
        return false;
    value = args[i + 1];
    args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string dbPath, budgetText, codesText, pgUrl;
    for (size_t i = 1; i < args.size();)
        if (!TakeOption(args, i, "--db", dbPath) && !TakeOption(args, i, "--budgets", budgetText) &&
            !TakeOption(args, i, "--codes", codesText) && !TakeOption(args, i, "--pg", pgUrl))
            ++i;
    const int budgets = budgetText.empty() ? kDefaultBudgets : std::atoi(budgetText.c_str());
    const int codes = codesText.empty() ? kDefaultCodes : std::atoi(codesText.c_str());
    if (budgets < 1 || codes < 4) {
        std::fprintf(stderr, "bench_server: --budgets expects a positive number and --codes at "
                             "least 4\n");
        return 1;
    }
    bool quick = false;
    if (!InitBenchmarks(args, PrintHelp, quick))
        return 1;
    // The closing screen of Move/ItemsPage needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    PrintMachine();
    SetUpAllocator();

    try {
        QTemporaryDir folder;
        std::printf("\nData\n");
        std::fflush(stdout);
        const TScaleDatabase db =
            PrepareScaleDatabase(QString::fromStdString(dbPath), budgets, folder.path());
        if (db.generated)
            std::printf("  seeded %d budgets in %s\n", budgets, Duration(db.seedSeconds).c_str());
        std::printf("  %s: %d budgets in branch %s\n", Text(db.url).c_str(), db.budgets,
                    kScaleBranch);

        TShared shared;
        g_shared = &shared;
        TDbConnection conn(db.url);
        shared.hallKey = HallBudgetKey(conn);
        shared.branch.criteria = WholeBranchCriteria();
        shared.week.criteria = ApprovedWeekCriteria();
        TBareList bare(conn, shared.branch.criteria), weekBare(conn, shared.week.criteria);
        TFloorList floor(conn, TFloorList::TScope::Branch),
            weekFloor(conn, TFloorList::TScope::ApprovedWeek);
        shared.branch.bare = &bare;
        shared.branch.floor = &floor;
        shared.week.bare = &weekBare;
        shared.week.floor = &weekFloor;
        for (TListCase* list : {&shared.branch, &shared.week}) {
            const auto start = std::chrono::steady_clock::now();
            list->expected = list->bare->Run();
            const double firstRead =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const auto& r = list->expected.rows;
            std::printf("  the list of %s: %lld budgets, %lld items, %lld totals, %lld "
                        "labour lines, %lld external and %lld internal observations; %lld values "
                        "(first bare read %s)\n",
                        list == &shared.branch ? "the whole branch" : "one approved week", r[0],
                        r[1], r[2], r[3], r[4], r[5], list->expected.values,
                        Duration(firstRead).c_str());
            if (!TFloorList::SameRows(list->floor->Run(), list->expected)) {
                std::fprintf(stderr, "bench_server: the floor reads other rows than the list\n");
                return 1;
            }
        }
        std::printf("  GetSalaoEven of %s/%s-%s\n", Text(shared.hallKey[0].toString()).c_str(),
                    Text(shared.hallKey[1].toString()).c_str(),
                    Text(shared.hallKey[2].toString()).c_str());

        shared.codeLists = CodeListCriteria(conn, codes);

        TRemoteModuleRegistry registry;
        RegisterModules(registry, db.url);
        shared.registry = &registry;
        shared.branch.registry = shared.week.registry = &registry;
        if (const std::string error = CheckCodeLists(); !error.empty()) {
            std::fprintf(stderr, "bench_server: %s\n", error.c_str());
            return 1;
        }
        TRpcServerOptions options;
        options.port = 0;
        options.sessions = std::make_shared<TSessionStore>(DbUrl::Parse(db.url));
        RegisterSessionModule(registry, options.sessions);
        TRpcServer server(registry, options);
        server.Start();
        shared.server = &server;
        // Every client of this process carries one session, as the host does.
        TNetSession::SetToken(
            options.sessions->Create(QStringLiteral("MARIA"), QStringLiteral("bench_server")));
        TRpcServerOptions openOptions = options;
        openOptions.sessions.reset();
        openOptions.withoutSessions = true;
        TRpcServer open(registry, openOptions);
        open.Start();
        shared.open = &open;
        for (const TRpcServer* s : {&server, &open})
            if (const std::string error = WarmUpServer(*s, options.threads); !error.empty()) {
                std::fprintf(stderr, "bench_server: %s\n", error.c_str());
                return 1;
            }
        shared.branch.port = shared.week.port = server.Port();
        std::printf("  server in this process on %s, %d threads\n", Text(server.Address()).c_str(),
                    options.threads);

        // The same lists on PostgreSQL, when asked for.
        TRemoteModuleRegistry pgRegistry;
        std::unique_ptr<TRpcServer> pgServer;
        TListCase pgBranch = shared.branch, pgWeek = shared.week;
        if (!pgUrl.empty()) {
            const TScaleDatabase pg = PrepareScaleUrl(QString::fromStdString(pgUrl), budgets);
            if (pg.generated)
                std::printf("  seeded %d budgets on PostgreSQL in %s\n", budgets,
                            Duration(pg.seedSeconds).c_str());
            RegisterModules(pgRegistry, pg.url);
            pgServer = std::make_unique<TRpcServer>(pgRegistry, openOptions);
            pgServer->Start();
            if (const std::string error = WarmUpServer(*pgServer, options.threads);
                !error.empty()) {
                std::fprintf(stderr, "bench_server: %s\n", error.c_str());
                return 1;
            }
            for (TListCase* list : {&pgBranch, &pgWeek}) {
                list->registry = &pgRegistry;
                list->port = pgServer->Port();
            }
            std::printf("  PostgreSQL %s: %d budgets in branch %s, its server on %s\n",
                        Text(DbUrl::Parse(pg.url).Display()).c_str(), pg.budgets, kScaleBranch,
                        Text(pgServer->Address()).c_str());
        }
        std::printf("\n");
        std::fflush(stdout);

        using benchmark::kMicrosecond;
        using benchmark::kMillisecond;
        const int listIterations = quick ? 1 : 2;
        const int weekIterations = quick ? 5 : 20;
        for (const auto& [prefix, list, iterations] :
             {std::tuple{"List/", &shared.branch, listIterations},
              std::tuple{"Week/", &shared.week, weekIterations}}) {
            const std::string p = prefix;
            for (const auto& [name, run] :
                 {TListBenchmark{"Floor", BM_ListFloor}, TListBenchmark{"BareSQL", BM_ListBareSql},
                  TListBenchmark{"Registry", BM_ListRegistry},
                  TListBenchmark{"EndToEnd", BM_ListEndToEnd}})
                benchmark::RegisterBenchmark((p + name).c_str(), run, list)
                    ->Unit(kMillisecond)
                    ->UseRealTime()
                    ->MeasureProcessCPUTime()
                    ->Iterations(iterations);
        }
        if (pgServer)
            for (const auto& [prefix, list, iterations] :
                 {std::tuple{"ListPG/", &pgBranch, listIterations},
                  std::tuple{"WeekPG/", &pgWeek, weekIterations}})
                for (const auto& [name, run] : {TListBenchmark{"Registry", BM_ListRegistry},
                                                TListBenchmark{"EndToEnd", BM_ListEndToEnd}})
                    benchmark::RegisterBenchmark((std::string(prefix) + name).c_str(), run, list)
                        ->Unit(kMillisecond)
                        ->UseRealTime()
                        ->MeasureProcessCPUTime()
                        ->Iterations(iterations);
        benchmark::RegisterBenchmark("Codes/OnePerList", BM_Codes, &shared.codeLists.plain, 4)
            ->Unit(kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("Codes/Long", BM_Codes, &shared.codeLists.padded, codes)
            ->Unit(kMillisecond)
            ->UseRealTime();
        // From one client thread the kinds take turns in one benchmark; from
        // eight, each kind has its own, so that the load on the server is
        // that kind's alone.
        const std::vector<std::pair<TCallKind, std::string>> kinds = {
            {TCallKind::Health, "Health"},
            {TCallKind::HealthNew, "HealthNew"},
            {TCallKind::SalaoEven, "SalaoEven"},
            {TCallKind::SalaoEvenDispatch, "SalaoEvenDispatch"},
            {TCallKind::SalaoEvenOpen, "SalaoEvenOpen"}};
        // Calls per thread and kind: HealthNew opens a connection for each,
        // so keep the total well inside the loopback's ephemeral ports.
        const int alone = quick ? 100 : 600, together = quick ? 25 : 150;
        std::vector<TCallKind> turns;
        std::vector<TLatencies*> alternated;
        for (const auto& [kind, name] : kinds) {
            turns.push_back(kind);
            alternated.push_back(&g_latencies[name + "/1"]);
            benchmark::RegisterBenchmark(("Latency/" + name).c_str(), BM_Latency, std::vector{kind},
                                         std::vector{&g_latencies[name + "/8"]})
                ->Unit(kMicrosecond)
                ->UseRealTime()
                ->Threads(8)
                ->Iterations(together);
        }
        benchmark::RegisterBenchmark("Latency/Alternated", BM_Latency, turns, alternated)
            ->Unit(kMicrosecond)
            ->UseRealTime()
            ->Threads(1)
            ->Iterations(alone);

        g_screenMoves.dbUrl = db.url;
        g_screenMoves.branch = QString::fromLatin1(kScaleBranch);
        g_screenMoves.port = server.Port();
        RegisterScreenMoves(quick ? 50 : 300, &g_screenMoves);

        const bool color = isatty(STDOUT_FILENO);
        TRatioReporter reporter(color ? benchmark::ConsoleReporter::OO_ColorTabular
                                      : benchmark::ConsoleReporter::OO_Tabular);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        PrintRatios(reporter, codes);
        CloseScreenForMoves();
        open.Stop();
        server.Stop();
        CloseThreadDatabases();
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_server: %s\n", Text(e.Message()).c_str());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
