// The real server killed (SIGKILL) at the write statements of one closing, in
// turn, on a fresh copy of the demo database each time: after a restart,
// `ore-server check-db` finds nothing wrong, the budgets are either all closed
// or all untouched, and the closing then goes through exactly once.
//
// By default a few points are killed (a smoke pass); ORE_KILL_POINTS=all kills
// every point the closing passes (scripts/kill-run), ORE_KILL_POINTS=N the
// first N.

#include "tests/srv/ClosingTestUtil.h"

#include "framework/net/NetConnection.h"
#include "tests/support/DemoSession.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

// One list with every kind of write: a new customer with an address (1005),
// several orders and receivables (1001), a supplier's payable (1023), a
// credit paid back to the customer (1013) and a child that adjusts its closed
// parent's instalments (1002-01).
const std::vector<TListRow> kList = {{"0001", Nr(1005), "00"},
                                     {"0001", Nr(1001), "00"},
                                     {"0001", Nr(1023), "00"},
                                     {"0001", Nr(1013), "00"},
                                     {"0001", Nr(1002), "01"}};

const int kBudgets = int(kList.size());

QVariantList ClosingArgs() {
    return {QVariant::fromValue(ListPacket(kList)), QStringLiteral("MARIA"),
            QVariant::fromValue(NewClientPacket(Nr(1005), {{"NRINSJURORCA", "11122233396"},
                                                           {"IDTPINJUORCA", "F"},
                                                           {"CDPAIS", "1058"},
                                                           {"SGESTADO", "SP"},
                                                           {"CDMUNICIPIO", "0001"},
                                                           {"DSENDECLIORE", "Rua A, 1"},
                                                           {"NMFANTCLIE", "Marina"}}))};
}

// The seeded database is the template each step copies, so no one stays
// connected to it.
class KillRunTest : public SeededDbTest {
protected:
    void TearDown() override {
        DropCopy();
        SeededDbTest::TearDown();
    }

    // A fresh copy of the seeded database: a file copy, or a PostgreSQL
    // database created from the seeded one as its template.
    QString Copy() {
        DropCopy();
        ++m_copies;
        if (Dialect() == TDialect::SQLite) {
            const QString path = Url().path + QStringLiteral(".k%1").arg(m_copies);
            EXPECT_TRUE(QFile::copy(Url().path, path));
            m_copy = path;
            return QStringLiteral("sqlite:") + path;
        }
        DbUrl copy = Url();
        copy.database = Url().database + QStringLiteral("_k%1").arg(m_copies);
        {
            TDbConnection admin(DbUrl::Parse(TestPgUrl()));
            admin.ExecRaw(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
                              .arg(copy.database, Url().database));
        }
        m_copy = copy.database;
        return UrlText(copy);
    }
    void DropCopy() {
        if (m_copy.isEmpty())
            return;
        if (Dialect() == TDialect::SQLite) {
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(m_copy + QLatin1String(suffix));
        } else {
            TDbConnection admin(DbUrl::Parse(TestPgUrl()));
            admin.ExecRaw(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_copy));
        }
        m_copy.clear();
    }

    static QProcessEnvironment Environment(const QString& faultPoint) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("ORE_FAULT_POINT"));
        if (!faultPoint.isEmpty())
            env.insert(QStringLiteral("ORE_FAULT_POINT"), faultPoint);
        return env;
    }

    static TServerReply Close(int port) {
        TNetConnection conn;
        conn.ServerName = QStringLiteral("ORE00800.rdmFechaOrca");
        conn.Port = port;
        conn.ThrowException = false;
        conn.SessionToken = DemoSessionToken(port);
        return conn.Call(QStringLiteral("FecharOrca"), ClosingArgs());
    }

    // `ore-server check-db`: empty when it finds the database consistent,
    // else what it printed.
    static QString CheckDb(const QString& db) {
        QProcess p;
        p.start(ServerExecutable(), {QStringLiteral("check-db"), QStringLiteral("--db"), db});
        if (!p.waitForFinished(kProcessBoundMs))
            return QStringLiteral("check-db não terminou");
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return {};
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    }

    // How many budgets of the list have a closing record.
    static int ClosedBudgets(const QString& db) {
        TDbConnection conn(db);
        TSqlStatement st(conn, QStringLiteral("SELECT COUNT(*) FROM FECHAORCA WHERE CDFILIAL = "
                                              "'0001' AND ((NRSEQORCAEVE = '00' AND NRORCAEVENTO "
                                              "IN (:A, :B, :C, :D)) OR (NRORCAEVENTO = :E AND "
                                              "NRSEQORCAEVE = '01'))"));
        st.Exec(
            {{"A", Nr(1005)}, {"B", Nr(1001)}, {"C", Nr(1023)}, {"D", Nr(1013)}, {"E", Nr(1002)}});
        return st.Next() ? st.Value(0).toInt() : -1;
    }

    // The points one closing passes, in order, from a server that lists them.
    QStringList DryRun() {
        const QString db = Copy();
        QProcess p;
        QString log;
        const int port = StartServer(p, db, log, Environment(QStringLiteral("list")));
        if (port == 0) {
            ADD_FAILURE() << log.toStdString();
            return {};
        }
        const TServerReply r = Close(port);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        p.terminate();
        EXPECT_TRUE(p.waitForFinished(kProcessBoundMs));
        log += QString::fromUtf8(p.readAllStandardError());
        static const QRegularExpression point(QStringLiteral("ponto de falha (\\S+)"));
        QStringList points;
        for (auto it = point.globalMatch(log); it.hasNext();)
            points << it.next().captured(1);
        return points;
    }

    // Kills the server at `point`, restarts it and closes again; returns what
    // went wrong, empty when nothing did. `partial` tells whether the database
    // was left inconsistent.
    QString KillAt(const QString& point, bool& partial) {
        partial = false;
        const QString db = Copy();
        {
            QProcess p;
            QString log;
            const int port = StartServer(p, db, log, Environment(point));
            if (port == 0)
                return QStringLiteral("o servidor não iniciou: ") + log;
            const TServerReply r = Close(port);
            if (!p.waitForFinished(kProcessBoundMs) || p.exitStatus() != QProcess::CrashExit) {
                p.kill();
                p.waitForFinished(kProcessBoundMs);
                return QStringLiteral("o servidor não morreu no ponto (resposta: %1)")
                    .arg(r.message);
            }
        }
        if (const QString found = CheckDb(db); !found.isEmpty()) {
            partial = true;
            return QStringLiteral("check-db após a morte: ") + found;
        }
        const int closed = ClosedBudgets(db);
        if (closed != 0 && closed != kBudgets) {
            partial = true;
            return QStringLiteral("%1 dos %2 orçamentos fechados").arg(closed).arg(kBudgets);
        }

        QProcess p;
        QString log;
        const int port = StartServer(p, db, log, Environment({}));
        if (port == 0)
            return QStringLiteral("o servidor não reiniciou: ") + log;
        const TServerReply again = Close(port);
        const TServerReply third = Close(port);
        p.terminate();
        p.waitForFinished(kProcessBoundMs);
        // Killed before its commit, the closing goes through on the repeat;
        // killed after it, the repeat finds it done.
        if (closed == 0 && !again.ok)
            return QStringLiteral("a repetição foi recusada: ") + again.message;
        if (closed == kBudgets && again.ok)
            return QStringLiteral("a repetição fechou de novo o que já estava fechado");
        if (third.ok || !third.message.contains(QStringLiteral("já está fechado")))
            return QStringLiteral("a terceira tentativa respondeu: ") + third.message;
        if (const QString found = CheckDb(db); !found.isEmpty())
            return QStringLiteral("check-db após a repetição: ") + found;
        if (ClosedBudgets(db) != kBudgets)
            return QStringLiteral("a repetição não fechou os orçamentos");
        return {};
    }

    // The points to kill at: every one, the first N, or by default a spread
    // of four (the first write, one in the middle, before and after commit).
    static QStringList Chosen(const QStringList& all) {
        const QString wanted = qEnvironmentVariable("ORE_KILL_POINTS");
        if (wanted == u"all")
            return all;
        bool ok = false;
        const int n = wanted.toInt(&ok);
        if (ok && n > 0)
            return all.mid(0, n);
        return {all.first(), all.at(all.size() / 2), QStringLiteral("FecharOrca:commit"),
                QStringLiteral("FecharOrca:committed")};
    }

private:
    QString m_copy;
    int m_copies = 0;
};

TEST_P(KillRunTest, EveryKillPointLeavesTheClosingWholeOrUntouched) {
    const QStringList all = DryRun();
    // Each kind of write of a closing is a point of its own.
    ASSERT_GE(all.size(), 50) << all.join(u' ').toStdString();
    for (const char* kind :
         {"INSERT:CLIENTE#1", "INSERT:ENDECLIE#1", "UPDATE:ORCAEVENTO#1", "INSERT:NUMERADOR#1",
          "INSERT:PEDIDO#3", "INSERT:ITEMPEDIDO#1", "INSERT:CONTAREC#1", "INSERT:PARCCONTAREC#1",
          "INSERT:CONTAPAG#2", "INSERT:AJUSTECONTAREC#1", "UPDATE:PARCCONTAREC#1",
          "UPDATE:CONTAREC#1", "INSERT:FECHAORCA#5", "FecharOrca:commit", "FecharOrca:committed"})
        EXPECT_TRUE(all.contains(QLatin1String(kind))) << kind;

    const QStringList points = Chosen(all);
    int partial = 0;
    QStringList failures;
    for (const QString& point : points) {
        bool isPartial = false;
        const QString failure = KillAt(point, isPartial);
        partial += isPartial;
        if (!failure.isEmpty())
            failures << point + QStringLiteral(": ") + failure;
    }
    std::map<QString, int> kinds; // what the points cover, for the run's record
    for (const QString& point : points)
        ++kinds[point.section(u'#', 0, 0)];
    QStringList covered;
    for (const auto& [kind, n] : kinds)
        covered << QStringLiteral("%1 %2").arg(kind).arg(n);
    std::printf("points: %s\n", qPrintable(covered.join(QStringLiteral(", "))));
    std::printf("%s: %lld kill points, %d partial closings\n",
                GetParam() == TDialect::SQLite ? "SQLite" : "PostgreSQL",
                static_cast<long long>(points.size()), partial);
    EXPECT_EQ(partial, 0);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
}

ORE_INSTANTIATE_ENGINES(KillRunTest);

} // namespace
