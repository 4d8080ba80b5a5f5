// Record-set benchmarks against the usual alternatives: moving to another
// budget (filter and read the budget's items) and loading a packet whole and
// taking it back. Prints the machine, Google Benchmark's table, then the ratios
// of this run against each baseline.

#include "bench/BenchData.h"
#include "bench/Movers.h"
#include "bench/common/BenchCommon.h"

#include "core/data/RecordSet.h"
#include "core/layouts/OrcaLayouts.h"
#include "ore/ore00800/model/CalcFields.h"

#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace {

// ---- shared data -----------------------------------------------------------------

constexpr size_t kMoveCount = 4096; // budgets visited, cycled through by every way of moving
constexpr std::uint64_t kMoveSeed = 7;

struct TShared {
    TBranchData data;
    std::vector<TBudgetKey> moves;
};
TShared* g_shared = nullptr;

// A built mover, or why it could not be used. Kept across the calls Google
// Benchmark makes while it settles the iteration count.
template <class M> struct TPrepared {
    std::unique_ptr<M> mover;
    std::string error;
};

// Builds the mover once and checks its first `checks` moves against the plain
// rows: a way of moving that reads other data would make its time meaningless.
template <class M, class Make>
M* Prepare(benchmark::State& state, TPrepared<M>& p, size_t checks, Make make) {
    if (!p.mover && p.error.empty()) {
        try {
            p.mover = make();
            const TVectorScanMover reference(g_shared->data.items);
            size_t rows = 0;
            for (size_t i = 0; i < checks && p.error.empty(); ++i) {
                TDigest expected, got;
                reference.Move(g_shared->moves[i], expected);
                p.mover->Move(g_shared->moves[i], got);
                rows += expected.rows;
                if (!got.SameAs(expected))
                    p.error = "reads other rows than the plain table for budget " +
                              g_shared->moves[i].number.toStdString();
            }
            if (p.error.empty() && rows == 0)
                p.error = "the budgets checked have no items";
        } catch (const std::exception& e) {
            p.error = e.what();
        }
    }
    if (!p.error.empty()) {
        state.SkipWithError(p.error.c_str());
        return nullptr;
    }
    return p.mover.get();
}

template <class M> void RunMoves(benchmark::State& state, M& mover) {
    const auto& moves = g_shared->moves;
    size_t i = 0;
    TDigest d;
    for (auto _ : state) {
        mover.Move(moves[i], d);
        if (++i == moves.size())
            i = 0;
    }
    benchmark::DoNotOptimize(d);
    state.counters["rows"] = benchmark::Counter(double(d.rows), benchmark::Counter::kAvgIterations);
}

// ---- moving to another budget ------------------------------------------------------

void BM_MoveRecordSet(benchmark::State& state) {
    static TPrepared<TRecordSetMover> p;
    if (auto* m = Prepare(state, p, 128, [] {
            auto mover = std::make_unique<TRecordSetMover>(g_shared->data.itemPacket);
            TDigest warm; // the first move builds the index; its cost is measured apart
            mover->Move(g_shared->moves.back(), warm);
            return mover;
        }))
        RunMoves(state, *m);
}

// The first move after a load, which builds the filter index.
void BM_MoveRecordSetFirst(benchmark::State& state) {
    TRecordSetMover mover(g_shared->data.itemPacket);
    size_t i = 0;
    TDigest d;
    for (auto _ : state) {
        state.PauseTiming();
        mover.RecordSet().SetFilter(QString()); // no index yet after the load
        mover.RecordSet().SetData(g_shared->data.itemPacket);
        state.ResumeTiming();
        mover.Move(g_shared->moves[i++ % g_shared->moves.size()], d);
    }
    benchmark::DoNotOptimize(d);
}

void BM_MoveRecordSetScan(benchmark::State& state) {
    static TPrepared<TRecordSetScanMover> p;
    if (auto* m = Prepare(state, p, 4, [] {
            return std::make_unique<TRecordSetScanMover>(g_shared->data.itemPacket);
        }))
        RunMoves(state, *m);
}

void BM_MoveVectorScan(benchmark::State& state) {
    TVectorScanMover m(g_shared->data.items);
    RunMoves(state, m);
}

void BM_MoveProxyModel(benchmark::State& state) {
    static TPrepared<TProxyMover> p;
    if (auto* m = Prepare(state, p, 4,
                          [] { return std::make_unique<TProxyMover>(g_shared->data.items); }))
        RunMoves(state, *m);
}

void BM_MoveSqlite(benchmark::State& state) {
    static TPrepared<TSqliteMover> p;
    if (auto* m = Prepare(state, p, 128,
                          [] { return std::make_unique<TSqliteMover>(g_shared->data.items); }))
        RunMoves(state, *m);
}

// ---- loading and taking back ---------------------------------------------------------

const TDataPacket& Packet(bool items) {
    return items ? g_shared->data.itemPacket : g_shared->data.labourPacket;
}

void BM_LoadRecordSet(benchmark::State& state, bool items) {
    const TDataPacket& packet = Packet(items);
    TRecordSet rs(items ? LayoutItemOrcaEven() : LayoutItMaoObra());
    static bool checked[2] = {false, false};
    if (!checked[items]) {
        // Taking back what was loaded, unchanged, must give the same bytes.
        rs.SetData(packet);
        if (rs.Data() != packet) {
            state.SkipWithError("the packet taken back differs from the packet loaded");
            return;
        }
        checked[items] = true;
    }
    for (auto _ : state) {
        rs.SetData(packet);
        const TDataPacket back = rs.Data();
        benchmark::DoNotOptimize(back.Size());
    }
    state.SetBytesProcessed(std::int64_t(packet.Size()) * std::int64_t(state.iterations()));
    state.counters["rows"] = double(rs.RecordCount());
}

// The same document as JSON: {"kind", "version", "fields", "rows": [[state, values...]]}.
const QByteArray& Json(bool items) {
    static std::optional<QByteArray> json[2];
    if (!json[items]) {
        const QCborValue doc = QCborValue::fromCbor(Packet(items).Bytes());
        json[items] = QJsonDocument(doc.toJsonValue().toObject()).toJson(QJsonDocument::Compact);
    }
    return *json[items];
}

void BM_LoadJson(benchmark::State& state, bool items) {
    const QByteArray& json = Json(items);
    QJsonParseError error;
    const QJsonDocument check = QJsonDocument::fromJson(json, &error);
    const qsizetype rows = check.object().value(QLatin1StringView("rows")).toArray().size();
    if (error.error != QJsonParseError::NoError || rows == 0) {
        state.SkipWithError("the JSON document does not parse");
        return;
    }
    for (auto _ : state) {
        const QJsonDocument doc = QJsonDocument::fromJson(json);
        const QByteArray back = doc.toJson(QJsonDocument::Compact);
        benchmark::DoNotOptimize(back.size());
    }
    state.SetBytesProcessed(std::int64_t(json.size()) * std::int64_t(state.iterations()));
    state.counters["rows"] = double(rows);
}

// ---- memory ----------------------------------------------------------------------------

long long HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return (long long)(m.uordblks + m.hblkhd);
}

long long ResidentBytes() {
    std::ifstream in("/proc/self/statm");
    long long size = 0, resident = 0;
    in >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

struct TMemory {
    long long packet = 0;
    long long held = 0;        // MemoryBytes() after the load
    long long heldIndexed = 0; // and after the first filtered move
    long long heap = 0;        // heap in use, grown by the load
    long long rss = 0;         // resident set, grown by the load
};

TMemory MeasureMemory(const TDataPacket& packet, const TBudgetKey& key) {
    TMemory m;
    m.packet = packet.Size();
    malloc_trim(0); // so that the load cannot hide in memory freed before
    const long long heap0 = HeapInUse(), rss0 = ResidentBytes();
    auto rs = std::make_unique<TRecordSet>(LayoutItemOrcaEven());
    rs->SetData(packet);
    m.heap = HeapInUse() - heap0;
    m.rss = ResidentBytes() - rss0;
    m.held = (long long)rs->MemoryBytes();
    rs->SetFilter(
        QStringLiteral("NRORCAEVENTO = '%1' AND NRSEQORCAEVE = '%2'").arg(key.number, key.seq));
    rs->SetFiltered(true);
    m.heldIndexed = (long long)rs->MemoryBytes();
    return m;
}

// ---- ratios ---------------------------------------------------------------------------

void PrintRatio(const TRatioReporter& rep, const char* label, const std::string& subject,
                const std::string& baseline, double target) {
    const auto s = rep.Seconds(subject), b = rep.Seconds(baseline);
    if (!s || !b)
        return;
    PrintRatioLine(label, *b, *b / *s, target);
}

void PrintRatios(const TRatioReporter& rep, const TMemory& mem) {
    std::printf("\nRatios of this run (CPU time per iteration; baseline time ÷ record-set time)\n");
    if (const auto s = rep.Seconds("Move/RecordSet")) {
        std::printf("  Moving to another budget: record set %s per move\n", Duration(*s).c_str());
        PrintRatio(rep, "(a) scan of plain std::vector rows", "Move/RecordSet", "Move/VectorScan",
                   0);
        PrintRatio(rep, "    scan of the record set itself", "Move/RecordSet", "Move/RecordSetScan",
                   0);
        PrintRatio(rep, "(b) QSortFilterProxyModel", "Move/RecordSet", "Move/ProxyModel", 1000);
        PrintRatio(rep, "(c) SQLite indexed SELECT", "Move/RecordSet", "Move/SQLite", 2);
    }
    if (const auto s = rep.Seconds("Move/RecordSet/FirstAfterLoad"))
        std::printf("  First move after a load (builds the index): %s\n", Duration(*s).c_str());
    for (const char* which : {"Items", "Labour"}) {
        const std::string subject = std::string("Load/RecordSet/") + which;
        if (const auto s = rep.Seconds(subject)) {
            std::printf("  Loading and taking back, %s: record set %s\n", which,
                        Duration(*s).c_str());
            PrintRatio(rep, "QJsonDocument fromJson + toJson", subject,
                       std::string("Load/QJsonDocument/") + which,
                       std::strcmp(which, "Items") == 0 ? 3 : 0);
        }
    }
    const double held = double(mem.held) / double(mem.packet);
    std::printf("  Memory of the loaded items: packet %s; MemoryBytes() %s (%.2f× the packet, "
                "target ≤ 2×: %s)\n",
                Bytes(mem.packet).c_str(), Bytes(mem.held).c_str(), held,
                held <= 2 ? "met" : "MISSED");
    std::printf("    with the filter index built %s (%.2f×); heap grown by the load %s (%.2f×), "
                "resident set %s (%.2f×)\n",
                Bytes(mem.heldIndexed).c_str(), double(mem.heldIndexed) / double(mem.packet),
                Bytes(mem.heap).c_str(), double(mem.heap) / double(mem.packet),
                Bytes(mem.rss).c_str(), double(mem.rss) / double(mem.packet));
}

void PrintHelp() {
    std::printf("bench_recordset [--quick] [Google Benchmark flags]\n"
                "  --quick  each benchmark once and briefly (default: three repetitions, "
                "medians)\n\n");
    benchmark::PrintDefaultHelp();
}

} // namespace

int main(int argc, char** argv) {
    bool quickRun = false;
    if (!InitBenchmarks(std::vector<char*>(argv, argv + argc), PrintHelp, quickRun))
        return 1;

    PrintMachine();
    SetUpAllocator();

    const auto start = std::chrono::steady_clock::now();
    TShared shared{GenerateBranch(), {}};
    g_shared = &shared;
    const double generated =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    TBenchRng rng(kMoveSeed);
    for (size_t i = 0; i < kMoveCount; ++i)
        shared.moves.push_back(
            shared.data.keys[size_t(rng.Int(0, int(shared.data.keys.size()) - 1))]);

    std::printf("\nData (fixed seed)\n");
    std::printf("  %zu budget keys, %zu item rows, %zu labour rows; item packet %s, labour "
                "packet %s\n",
                shared.data.keys.size(), shared.data.items.RowCount(),
                shared.data.labour.RowCount(), Bytes(shared.data.itemPacket.Size()).c_str(),
                Bytes(shared.data.labourPacket.Size()).c_str());
    std::printf("  generated in %s, of which appending and posting the rows one by one, merging "
                "and taking the packets: items %s, labour %s\n\n",
                Duration(generated).c_str(), Duration(shared.data.itemBuildSeconds).c_str(),
                Duration(shared.data.labourBuildSeconds).c_str());
    const TMemory memory = MeasureMemory(shared.data.itemPacket, shared.moves.front());
    std::fflush(stdout);

    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    // The fast ways of moving visit the whole sequence of budgets a whole number
    // of times, so that they read exactly the same rows.
    const auto wholeSequence = std::int64_t(kMoveCount) * (quickRun ? 1 : 4);
    benchmark::RegisterBenchmark("Move/RecordSet", BM_MoveRecordSet)
        ->Unit(kMicrosecond)
        ->Iterations(wholeSequence);
    benchmark::RegisterBenchmark("Move/RecordSet/FirstAfterLoad", BM_MoveRecordSetFirst)
        ->Unit(kMillisecond)
        ->Iterations(quickRun ? 1 : 3) // each also reloads, untimed
        ->Repetitions(1);
    benchmark::RegisterBenchmark("Move/VectorScan", BM_MoveVectorScan)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Move/RecordSetScan", BM_MoveRecordSetScan)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Move/ProxyModel", BM_MoveProxyModel)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Move/SQLite", BM_MoveSqlite)
        ->Unit(kMicrosecond)
        ->Iterations(wholeSequence);
    benchmark::RegisterBenchmark("Load/RecordSet/Items", BM_LoadRecordSet, true)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Load/QJsonDocument/Items", BM_LoadJson, true)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Load/RecordSet/Labour", BM_LoadRecordSet, false)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Load/QJsonDocument/Labour", BM_LoadJson, false)
        ->Unit(kMillisecond);

    const bool color = isatty(STDOUT_FILENO);
    TRatioReporter reporter(color ? benchmark::ConsoleReporter::OO_ColorTabular
                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter, memory);
    benchmark::Shutdown();
    return 0;
}
