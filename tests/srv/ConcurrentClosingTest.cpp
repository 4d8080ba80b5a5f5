// Many clients closing an overlapping set of budgets at once through real
// server processes on one database (one server on SQLite, two on
// PostgreSQL): each budget closes exactly once, the others are told it is
// closed, and the document numbers stay whole.

#include "tests/srv/ClosingTestUtil.h"

#include "core/db/DbError.h"
#include "framework/net/NetConnection.h"
#include "storage/ConflictRetry.h"
#include "tests/support/DemoSession.h"

#include <latch>
#include <memory>
#include <thread>

namespace {

struct TBudget {
    QString filial, numero;
    QString Text() const { return QStringLiteral("%1-00 da filial %2").arg(numero, filial); }
};
constexpr int kBudgetCount = 12;
constexpr int kClients = 8;
const char* const kOperators[] = {"ADMIN", "MARIA", "JOAO", "CARLOS", "ESTAGIO"};

// Client c's calls, as indexes of budgets: lists of one to three marked
// budgets starting at a different place for each client, so that every
// budget is offered by several at once; then each budget alone, so that none
// stays open because every list that held it was refused for another.
std::vector<std::vector<int>> Plan(int client) {
    std::vector<std::vector<int>> calls;
    for (int i = 0; i < kBudgetCount; ++i) {
        std::vector<int> list;
        const int first = (client * 3 + i) % kBudgetCount;
        for (int k = 0; k <= (client + i) % 3; ++k)
            list.push_back((first + k) % kBudgetCount);
        calls.push_back(list);
    }
    for (int i = 0; i < kBudgetCount; ++i)
        calls.push_back({(client + i) % kBudgetCount});
    return calls;
}

struct TCall {
    std::vector<int> budgets;
    QString operador;
    TServerReply reply;
};

class ConcurrentClosingTest : public EngineTest {
protected:
    // Approved main budgets of registered customers of the scale branch: each
    // closes on its own.
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(RunSeedScale(UrlString(), 60), 0);
        RegisterModules(m_registry, UrlString());
        TSqlStatement st(Db(), "SELECT CDFILIAL, NRORCAEVENTO FROM ORCAEVENTO WHERE IDSITUORCEVE "
                               "= '2' AND IDSITCLIOREV = 'C' AND NRSEQORCAEVE = '00' ORDER BY "
                               "NRORCAEVENTO");
        st.Exec();
        while (st.Next() && m_budgets.size() < size_t(kBudgetCount))
            m_budgets.push_back({st.Value(0).toString(), st.Value(1).toString()});
        ASSERT_EQ(m_budgets.size(), size_t(kBudgetCount));
    }
    void TearDown() override {
        SetLockWaitMs(0);
        EngineTest::TearDown();
    }

    TDbConnection& Db() { return OpenDatabase(Url()); }

    QVariant Scalar(const QString& sql, const TSqlParams& params = {}) {
        TSqlStatement st(Db(), sql);
        st.Exec(params);
        return st.Next() ? st.Value(0) : QVariant();
    }

    // The list as the screen sends it, with the budget after the last one
    // there but not marked: the server must leave it alone.
    TDataPacket Packet(const std::vector<int>& marked) const {
        std::vector<TListRow> rows;
        for (const int b : marked)
            rows.push_back({m_budgets[size_t(b)].filial, m_budgets[size_t(b)].numero, "00"});
        const TBudget& next = m_budgets[size_t((marked.back() + 1) % kBudgetCount)];
        rows.push_back({next.filial, next.numero, "00", "N"});
        return ListPacket(rows);
    }

    TServerReply Fechar(int budget) {
        TCallContext context;
        return m_registry.Dispatch(context, {QStringLiteral("ORE00800.rdmFechaOrca"),
                                             QStringLiteral("FecharOrca"),
                                             {QVariant::fromValue(Packet({budget})),
                                              QStringLiteral("MARIA"), QVariant()}});
    }

    // Whether the call was refused with one of the two sentences that tell a
    // budget of it was closed by someone else.
    bool SaysAlreadyClosed(const TCall& call) const {
        for (const int b : call.budgets) {
            const QString key = m_budgets[size_t(b)].Text();
            if (call.reply.message == QStringLiteral("O orçamento %1 já está fechado.").arg(key) ||
                call.reply.message ==
                    QStringLiteral("O orçamento %1 já foi fechado por outro operador.").arg(key))
                return true;
        }
        return false;
    }

    // What a closing writes, summed up: closings, documents, numbers taken.
    QString Written() {
        QStringList out;
        for (const char* sql : {"SELECT COUNT(*) FROM FECHAORCA", "SELECT COUNT(*) FROM PEDIDO",
                                "SELECT COUNT(*) FROM CONTAREC", "SELECT COUNT(*) FROM CONTAPAG",
                                "SELECT COALESCE(SUM(NRULTIMO), 0) FROM NUMERADOR",
                                "SELECT COUNT(*) FROM ORCAEVENTO WHERE IDSITUORCEVE = '3'"})
            out << Scalar(QString::fromLatin1(sql)).toString();
        return out.join(u' ');
    }

    // Per kind of document: branches whose numbers are not exactly 1 to the
    // counter's last, each once.
    qlonglong BranchesWithBrokenNumbering(const char* table, const char* column, const char* kind) {
        const QString count = QStringLiteral("(SELECT %3 FROM %1 t WHERE t.CDFILIAL = n.CDFILIAL)")
                                  .arg(QLatin1String(table));
        const QString nr = QLatin1String(column);
        return Scalar(
                   QStringLiteral("SELECT COUNT(*) FROM NUMERADOR n WHERE n.IDNUMERADOR = :K "
                                  "AND (n.NRULTIMO <> %1 OR n.NRULTIMO <> %2 OR n.NRULTIMO <> "
                                  "%3)")
                       .arg(count.arg(QStringLiteral("COUNT(*)")),
                            count.arg(QStringLiteral("COUNT(DISTINCT t.%1)").arg(nr)),
                            count.arg(
                                QStringLiteral("COALESCE(MAX(CAST(t.%1 AS INTEGER)), 0)").arg(nr))),
                   {{"K", QString::fromLatin1(kind)}})
            .toLongLong();
    }

    TRemoteModuleRegistry m_registry;
    std::vector<TBudget> m_budgets;
};

TEST_P(ConcurrentClosingTest, OverlappingClosingsFromManyClientsCloseEachBudgetOnce) {
    // Without counters, the first closings of the branch create them.
    ExecSql(Db(), "DELETE FROM NUMERADOR WHERE CDFILIAL = :F", {{"F", m_budgets.front().filial}});
    CloseThreadDatabases();
    const int serverCount = Dialect() == TDialect::SQLite ? 1 : 2;
    std::vector<std::unique_ptr<QProcess>> servers;
    std::vector<int> ports;
    for (int s = 0; s < serverCount; ++s) {
        servers.push_back(std::make_unique<QProcess>());
        QString log;
        ports.push_back(StartServer(*servers.back(), UrlString(), log));
        ASSERT_NE(ports.back(), 0) << log.toStdString();
    }

    std::vector<std::unique_ptr<TNetConnection>> conns;
    std::vector<std::vector<TCall>> calls(kClients);
    for (int c = 0; c < kClients; ++c) {
        conns.push_back(std::make_unique<TNetConnection>());
        conns.back()->ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
        conns.back()->Port = ports[size_t(c % serverCount)];
        conns.back()->ThrowException = false;
        // The bound on any one call: a deadlock shows as a call that fails here.
        conns.back()->ReadTimeout = std::chrono::milliseconds(kProcessBoundMs);
        conns.back()->Connect();
        conns.back()->SessionToken =
            DemoSessionToken(conns.back()->Port, QString::fromLatin1(kOperators[c % 5]));
        for (auto& list : Plan(c))
            calls[size_t(c)].push_back({list, QString::fromLatin1(kOperators[c % 5]), {}});
    }
    std::latch start(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            start.arrive_and_wait();
            for (TCall& call : calls[size_t(c)])
                call.reply = conns[size_t(c)]->Call(
                    QStringLiteral("FecharOrca"),
                    {QVariant::fromValue(Packet(call.budgets)), call.operador, QVariant()});
        });
    for (auto& t : clients)
        t.join();
    for (auto& p : servers) {
        p->terminate();
        EXPECT_TRUE(p->waitForFinished(kProcessBoundMs));
    }

    // Who closed each budget, by the replies.
    std::vector<QStringList> closedBy(kBudgetCount);
    int refused = 0;
    for (const auto& clientCalls : calls)
        for (const TCall& call : clientCalls) {
            if (call.reply.ok) {
                for (const int b : call.budgets)
                    closedBy[size_t(b)] << call.operador;
            } else {
                ++refused;
                EXPECT_TRUE(SaysAlreadyClosed(call)) << call.reply.message.toStdString();
            }
        }
    EXPECT_GT(refused, 0);
    for (int b = 0; b < kBudgetCount; ++b) {
        const TBudget& budget = m_budgets[size_t(b)];
        SCOPED_TRACE(budget.Text().toStdString());
        ASSERT_EQ(closedBy[size_t(b)].size(), 1) << closedBy[size_t(b)].join(',').toStdString();
        const TSqlParams key = {{"F", budget.filial}, {"N", budget.numero}};
        EXPECT_EQ(Scalar("SELECT IDSITUORCEVE || CDOPEFECHOREV FROM ORCAEVENTO WHERE CDFILIAL = :F "
                         "AND NRORCAEVENTO = :N AND NRSEQORCAEVE = '00'",
                         key)
                      .toString(),
                  u'3' + closedBy[size_t(b)].front());
        EXPECT_EQ(
            Scalar("SELECT COUNT(*) FROM FECHAORCA WHERE CDFILIAL = :F AND NRORCAEVENTO = :N", key)
                .toInt(),
            1);
    }
    EXPECT_EQ(BranchesWithBrokenNumbering("PEDIDO", "NRPEDIDO", "PED"), 0);
    EXPECT_EQ(BranchesWithBrokenNumbering("CONTAREC", "NRCONTAREC", "CREC"), 0);
    EXPECT_EQ(BranchesWithBrokenNumbering("CONTAPAG", "NRCONTAPAG", "CPAG"), 0);
}

// Another writer holding the database's write lock for longer than a closing
// may wait: the closing is tried a few times, then refused with a sentence,
// and nothing of it is written; once the lock is free it goes through.
TEST_P(ConcurrentClosingTest, AClosingThatCannotGetTheWriteLockIsRefusedPlainly) {
    const QString before = Written();
    SetLockWaitMs(50);
    {
        TDbConnection other(Url());
        TTransaction holding(other);
        const TServerReply r = Fechar(0);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "O banco de dados continuou ocupado com outras gravações e o "
                             "fechamento não foi realizado; nada foi gravado. Tente fechar de "
                             "novo em instantes.");
    }
    EXPECT_EQ(Written(), before);
    const TServerReply r = Fechar(0);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
}

ORE_INSTANTIATE_ENGINES(ConcurrentClosingTest);

// The engine's codes that a new attempt may cure are retried, a bounded
// number of times with growing pauses; anything else fails at once.
TEST(ConflictRetry, RetriesOnlyTransientConflictsAndGivesUpWithTheSentence) {
    const struct {
        const char* code;
        bool transient;
    } cases[] = {{"40001", true}, {"40P01", true}, {"55P03", true},  {"5", true},
                 {"517", true},   {"6", true},     {"23505", false}, {"2067", false},
                 {"1555", false}, {"", false},     {"19", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        std::vector<std::chrono::milliseconds> pauses;
        const TConflictRetry retry{3, std::chrono::milliseconds(10),
                                   [&](std::chrono::milliseconds ms) { pauses.push_back(ms); }};
        int runs = 0;
        const auto failing = [&] {
            ++runs;
            throw EDbError(QStringLiteral("recusado"), QString::fromLatin1(c.code));
        };
        try {
            RunRetryingConflicts(failing, QStringLiteral("ocupado"), retry);
            ADD_FAILURE() << "did not fail";
        } catch (const ERemoteError& e) {
            EXPECT_TRUE(c.transient);
            EXPECT_EQ(e.Message(), "ocupado");
        } catch (const EDbError& e) {
            EXPECT_FALSE(c.transient);
            EXPECT_EQ(e.NativeCode(), QString::fromLatin1(c.code));
        }
        EXPECT_EQ(runs, c.transient ? 3 : 1);
        ASSERT_EQ(pauses.size(), c.transient ? 2u : 0u);
        if (c.transient) {
            EXPECT_TRUE(pauses[0] >= std::chrono::milliseconds(10) &&
                        pauses[0] <= std::chrono::milliseconds(20));
            EXPECT_TRUE(pauses[1] >= std::chrono::milliseconds(20) &&
                        pauses[1] <= std::chrono::milliseconds(40));
        }
    }

    // A conflict that clears on a later attempt is not seen by the caller.
    int runs = 0;
    RunRetryingConflicts(
        [&] {
            if (++runs < 3)
                throw EDbError(QStringLiteral("deadlock"), QStringLiteral("40P01"));
        },
        QStringLiteral("ocupado"), {3, std::chrono::milliseconds(1), [](auto) {}});
    EXPECT_EQ(runs, 3);
}

} // namespace
