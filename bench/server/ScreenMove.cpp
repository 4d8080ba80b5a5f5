#include "bench/server/ScreenMove.h"

#include "core/data/Exceptions.h"
#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "framework/db/SharedDatabase.h"
#include "framework/net/CallTransport.h"
#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"
#include "framework/services/Session.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/NumberEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/Cli_ore00800.h"

#include <QAction>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <map>
#include <memory>

namespace {

std::string Text(const QString& s) {
    return s.toStdString();
}

using TClock = std::chrono::steady_clock;

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// Processor time of this thread, in seconds: what the screen itself costs,
// unlike the wall clock, does not count the other core's noise.
double ThreadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Every call of the screen's connections over HTTP as usual, timed: each
// remote module's calls go over a connection of its own, kept alive between
// calls as the screen's are.
class TTimedTransport : public TCallTransport {
public:
    TServerReply Send(const TNetConnection& connection, const TCallRequest& request) override {
        std::unique_ptr<TNetConnection>& direct = m_direct[&connection];
        if (!direct) {
            direct = std::make_unique<TNetConnection>();
            direct->ServerName = request.server;
            direct->Host = connection.Host;
            direct->Port = connection.Port;
            direct->ThrowException = false;
        }
        Install(nullptr); // the connection posts over HTTP while none is installed
        const auto start = TClock::now();
        TServerReply reply = direct->Call(request.method, request.args);
        seconds += Since(start);
        Install(this);
        return reply;
    }
    double seconds = 0;

private:
    // One for each of the screen's connections, which live as long as it.
    std::map<const TNetConnection*, std::unique_ptr<TNetConnection>> m_direct;
};

// The product's overlay, timed.
class TTimedBusy : public TBusyIndicator {
public:
    explicit TTimedBusy(TBusyIndicator& overlay) : m_overlay(overlay) {}
    void Activate(QWidget* mainForm, int kind) override {
        const auto start = TClock::now();
        m_overlay.Activate(mainForm, kind);
        seconds += Since(start);
    }
    void Deactivate() override {
        const auto start = TClock::now();
        m_overlay.Deactivate();
        seconds += Since(start);
    }
    double seconds = 0;

private:
    TBusyIndicator& m_overlay;
};

// A box would wait for the operator: the text is kept to fail the benchmark with.
class TKeptDialogs : public TDialogs {
public:
    void Error(const QString& text) override { Keep(text); }
    void Information(const QString& text) override { Keep(text); }
    void Warning(const QString& text) override { Keep(text); }
    bool YesNo(const QString& text) override {
        Keep(text);
        return false;
    }
    QString first;

private:
    void Keep(const QString& text) {
        if (first.isEmpty())
            first = text;
    }
};

struct TScreenBench {
    std::unique_ptr<TDbConnection> db;
    TTimedTransport transport;
    std::unique_ptr<TTimedBusy> busy;
    TKeptDialogs dialogs;
    TfrmFechaOrca* screen = nullptr;
};
TScreenBench* g_bench = nullptr;

// To the next budget, or back to the first after the last, as the
// navigator's buttons would go.
void Move(TRecordSet& orca) {
    if (orca.RecNo() == orca.RecordCount())
        orca.First();
    else
        orca.Next();
}

std::string OpenScreen(const QString& dbUrl, const QString& branch, int port) {
    g_bench = new TScreenBench;
    g_bench->db = std::make_unique<TDbConnection>(dbUrl);
    SetSharedDatabase(g_bench->db.get());
    TSessionInfo session;
    session.filiProc = branch;
    session.operador = QStringLiteral("MARIA");
    session.webPort = port;
    session.screenCode = QStringLiteral("ORE00800");
    StartSession(session);
    TDialogs::Install(&g_bench->dialogs);
    g_bench->busy = std::make_unique<TTimedBusy>(TBusyIndicator::Current());
    TBusyIndicator::Install(g_bench->busy.get());
    TCallTransport::Install(&g_bench->transport);

    InitializeCli_ore00800();
    CriaFechaOrca(QSize(1024, 768));
    TfrmFechaOrca* s = frmFechaOrca;
    g_bench->screen = s;
    QCoreApplication::processEvents();
    // The whole branch, as the filter's confirmation lists it.
    s->medCdFilial->SetText(branch);
    Filtro = TFiltro{};
    Dispatch([s] { s->sbtVerificarClick(); });
    s->mnuItens->trigger();
    QCoreApplication::processEvents();
    if (!g_bench->dialogs.first.isEmpty())
        return "the screen said: " + Text(g_bench->dialogs.first);
    if (s->data.cdsOrcaEvento->RecordCount() < 2 || s->pgcPadrao->ActivePage() != s->tshItens)
        return "the screen did not list the branch on the items page";
    return {};
}

std::string CheckMoves() {
    TfrmFechaOrca& s = *g_bench->screen;
    TRecordSet& orca = *s.data.cdsOrcaEvento;
    auto value = [](const TRecordSet* rs, const char* field) {
        return rs->FieldByName(QLatin1String(field)).AsString();
    };
    for (int i = 0; i < 20; ++i) {
        try {
            Move(orca);
        } catch (const Exception& e) {
            return "a move failed: " + Text(e.Message());
        }
        const QString key = value(&orca, "NRORCAEVENTO") + value(&orca, "NRSEQORCAEVE");
        const TRecordSet* total = s.data.cdsTotalOrca;
        if (total->RecordCount() != 1 ||
            value(total, "NRORCAEVENTO") + value(total, "NRSEQORCAEVE") != key)
            return "the totals shown are not those of budget " + Text(key);
        if (s.nedTotLiq->Number() != total->FieldByName("VRTOTALOREV").AsFloat())
            return "the realised total shown is not the server's";
        TRecordSet* items = s.data.cdsItemOrcaEven;
        if (items->IsEmpty())
            return "budget " + Text(key) + " shows no items";
        for (items->First(); !items->Eof(); items->Next())
            if (value(items, "NRORCAEVENTO") + value(items, "NRSEQORCAEVE") != key)
                return "budget " + Text(key) + " shows another budget's items";
    }
    if (!g_bench->dialogs.first.isEmpty())
        return "the screen said: " + Text(g_bench->dialogs.first);
    return {};
}

void BM_ScreenMove(benchmark::State& state, TScreenMoveSetup* setup) {
    // Opened once, untimed, by the first run.
    static std::string error;
    if (!g_bench) {
        error = OpenScreen(setup->dbUrl, setup->branch, setup->port);
        if (error.empty())
            error = CheckMoves();
    }
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    TScreenMoveFigures* figures = &setup->figures;
    TRecordSet& orca = *g_bench->screen->data.cdsOrcaEvento;
    double moves = 0, calls = 0, paint = 0, overlay = 0, cpu = 0;
    for (auto _ : state) {
        g_bench->transport.seconds = 0;
        g_bench->busy->seconds = 0;
        const double cpuStart = ThreadCpu();
        const auto start = TClock::now();
        try {
            Move(orca);
        } catch (const Exception& e) {
            state.SkipWithError(Text(e.Message()).c_str());
            return;
        }
        const double move = Since(start);
        cpu += ThreadCpu() - cpuStart;
        state.SetIterationTime(move);
        moves += move;
        calls += g_bench->transport.seconds;
        overlay += g_bench->busy->seconds;
        // What the operator sees next: the pages repainted, outside the move.
        const auto painting = TClock::now();
        QCoreApplication::processEvents();
        paint += Since(painting);
    }
    const double n = double(state.iterations());
    figures->move.push_back(moves / n);
    figures->calls.push_back(calls / n);
    figures->paint.push_back(paint / n);
    figures->overlay.push_back(overlay / n);
    figures->cpu.push_back(cpu / n);
    state.counters["calls_us"] = calls / n * 1e6;
    state.counters["outside_pct"] = moves > 0 ? (moves - calls) / moves * 100 : 0;
    state.counters["paint_us"] = paint / n * 1e6;
    state.counters["cpu_us"] = cpu / n * 1e6;
}

} // namespace

void RegisterScreenMoves(int moves, TScreenMoveSetup* setup) {
    benchmark::RegisterBenchmark("Move/ItemsPage", BM_ScreenMove, setup)
        ->Unit(benchmark::kMicrosecond)
        ->UseManualTime()
        ->Iterations(moves);
}

void CloseScreenForMoves() {
    if (!g_bench)
        return;
    FinalizeCli_ore00800();
    TCallTransport::Install(nullptr);
    TBusyIndicator::Install(nullptr);
    TDialogs::Install(nullptr);
    SetSharedDatabase(nullptr);
    delete g_bench;
    g_bench = nullptr;
}
