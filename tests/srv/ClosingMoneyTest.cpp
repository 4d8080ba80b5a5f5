// What a closing writes in money, instalment by instalment: each due date
// and value of the receivables it generates or adjusts, and the payables to
// contracting clients. Each case closes a budget of its own.

#include "tests/srv/ClosingTestUtil.h"

#include "modules/DueDates.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

const QString kAurora = QStringLiteral("J60701190000104");
const QString kMariana = QStringLiteral("F39053344705");
const QString kJoseCarlos = QStringLiteral("F32132132109");
const QString kHorizonte = QStringLiteral("J45678912000134");
const QString kLucas = QStringLiteral("F11144477735");

QString Day(const QVariant& ole) {
    return QDate(1899, 12, 30).addDays(qint64(std::floor(ole.toDouble()))).toString(Qt::ISODate);
}

QString Cents(const QVariant& v) {
    return QString::number(v.toDouble(), 'f', 2);
}

double Ole(const QDate& d) {
    return double(QDate(1899, 12, 30).daysTo(d));
}

class ClosingMoneyTest : public ClosingDbTest {
protected:
    void Sql(const QString& sql, const TSqlParams& params = {}) { ExecSql(Db(), sql, params); }

    // One line per row of `sql`, its columns as text: dates as days, money in cents.
    QStringList Lines(const QString& sql, const TSqlParams& params,
                      const std::vector<char>& kinds) {
        TSqlStatement st(Db(), sql);
        st.Exec(params);
        QStringList out;
        while (st.Next()) {
            QStringList cols;
            for (size_t c = 0; c < kinds.size(); ++c) {
                const QVariant v = st.Value(int(c));
                cols << (kinds[c] == 'd' ? Day(v) : kinds[c] == 'v' ? Cents(v) : v.toString());
            }
            out << cols.join(u' ');
        }
        return out;
    }
    // The receivables of a budget: client, instalment, due date, value, situation.
    QStringList Receivables(int numero, const QString& seq = "00") {
        return Lines("SELECT C.CDCLIENTE, P.NRPARCELA, P.DTVENCPARC, P.VRPARCELA, P.IDSITUPARC "
                     "FROM CONTAREC C JOIN PARCCONTAREC P ON P.CDFILIAL = C.CDFILIAL AND "
                     "P.NRCONTAREC = C.NRCONTAREC WHERE C.NRORCAEVENTO = :N AND C.NRSEQORCAEVE "
                     "= :S ORDER BY C.CDCLIENTE, P.NRPARCELA",
                     {{"N", Nr(numero)}, {"S", seq}}, {'t', 't', 'd', 'v', 't'});
    }
    // The payables to contracting clients: client, due date, value.
    QStringList ClientPayables(int numero, const QString& seq = "00") {
        return Lines("SELECT CDCLIENTE, DTVENCIMENTO, VRCONTAPAG FROM CONTAPAG WHERE "
                     "NRORCAEVENTO = :N AND NRSEQORCAEVE = :S AND CDCLIENTE IS NOT NULL ORDER BY "
                     "CDCLIENTE",
                     {{"N", Nr(numero)}, {"S", seq}}, {'t', 'd', 'v'});
    }
    // The adjustments a child made: instalment and value.
    QStringList Adjustments(int numero, const QString& seq) {
        return Lines("SELECT NRPARCELA, VRAJUSTE FROM AJUSTECONTAREC WHERE NRORCAEVENTO = :N "
                     "AND NRSEQORCAEVE = :S ORDER BY NRPARCELA",
                     {{"N", Nr(numero)}, {"S", seq}}, {'t', 'v'});
    }
    // A budget's realised total and what each of its contracting clients pays.
    void SetTotal(int numero, const QString& seq, double total,
                  const std::vector<std::pair<QString, double>>& clients) {
        const TSqlParams key = {{"N", Nr(numero)}, {"S", seq}};
        Sql("UPDATE ORCAEVENTO SET VRTOTALOREV = :T WHERE CDFILIAL = '0001' AND NRORCAEVENTO = "
            ":N AND NRSEQORCAEVE = :S",
            With(key, {{"T", total}}));
        for (const auto& [client, value] : clients)
            Sql("UPDATE CONTRATORCA SET VRRECECONTOREV = :V WHERE CDFILIAL = '0001' AND "
                "NRORCAEVENTO = :N AND NRSEQORCAEVE = :S AND CDCLIENCONTORCA = :C",
                With(key, {{"V", value}, {"C", client}}));
    }
    static TSqlParams With(TSqlParams p, std::initializer_list<std::pair<QString, QVariant>> more) {
        p.insert(p.end(), more);
        return p;
    }
    // A copy of 1002-01 as sequence `seq`: a child of the closed 1002 of its own.
    void CopyChild(const QString& seq) {
        for (const char* table : {"ORCAEVENTO", "CONTRATORCA"}) {
            TSqlStatement st(Db(), QStringLiteral("SELECT * FROM %1 WHERE CDFILIAL = '0001' AND "
                                                  "NRORCAEVENTO = :N AND NRSEQORCAEVE = '01'")
                                       .arg(QLatin1String(table)));
            st.Exec({{"N", Nr(1002)}});
            std::vector<TSqlParams> rows;
            QStringList columns, names;
            while (st.Next()) {
                const QSqlRecord rec = st.Query().record();
                TSqlParams row;
                columns.clear();
                names.clear();
                for (int i = 0; i < rec.count(); ++i) {
                    const bool isSeq = rec.fieldName(i).toUpper() == u"NRSEQORCAEVE";
                    columns << rec.fieldName(i);
                    names << QStringLiteral(":P%1").arg(i);
                    row.emplace_back(names.back().mid(1), isSeq ? QVariant(seq) : st.Value(i));
                }
                rows.push_back(row);
            }
            for (const auto& row : rows)
                Sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(QLatin1String(table), columns.join(u','), names.join(u',')),
                    row);
        }
    }
    // Runs `run` with a parameter of branch 0001 emptied.
    void Without(const char* column, const std::function<void()>& run) {
        const QString set =
            QStringLiteral("UPDATE PARAMORCAFILI SET %1 = :V WHERE CDFILIAL = '0001'")
                .arg(QLatin1String(column));
        const QVariant kept =
            Scalar(QStringLiteral("SELECT %1 FROM PARAMORCAFILI WHERE CDFILIAL = '0001'")
                       .arg(QLatin1String(column)));
        Sql(set, {{"V", QVariant()}});
        run();
        Sql(set, {{"V", kept}});
    }
    // A budget paid on a fixed day of the month, 1000.00 by its one client.
    void FixedDay(int numero, const QString& client, int day, int parcels, const char* start) {
        SetTotal(numero, "00", 1000, {{client, 1000}});
        Sql("DELETE FROM PRAZOPGTOORCA WHERE NRORCAEVENTO = :N", {{"N", Nr(numero)}});
        Sql("UPDATE ORCAEVENTO SET IDTPFORMPGTOREV = 'F', CDFORMPGTO = NULL, NRDIAPGTOREV = :D, "
            "QTPARCPGTOREV = :P, IDMESINIPGTOREV = :I WHERE NRORCAEVENTO = :N",
            {{"D", double(day)},
             {"P", double(parcels)},
             {"I", QString::fromLatin1(start)},
             {"N", Nr(numero)}});
    }
    // 1002's receivable, one instalment paid and three open.
    void ParentInstalments() {
        const QString conta = Scalar("SELECT NRCONTAREC FROM CONTAREC WHERE NRORCAEVENTO = :N "
                                     "AND NRSEQORCAEVE = '00'",
                                     {{"N", Nr(1002)}})
                                  .toString();
        ASSERT_FALSE(conta.isEmpty());
        Sql("DELETE FROM PARCCONTAREC WHERE CDFILIAL = '0001' AND NRCONTAREC = :C", {{"C", conta}});
        const struct {
            int nr;
            QDate due;
            double value;
            const char* situ;
        } rows[] = {{1, {2026, 11, 25}, 3000, "L"},
                    {2, {2026, 12, 18}, 2000, "A"},
                    {3, {2027, 1, 18}, 1000, "A"},
                    {4, {2027, 2, 18}, 1000, "A"}};
        for (const auto& r : rows)
            Sql("INSERT INTO PARCCONTAREC (CDFILIAL, NRCONTAREC, NRPARCELA, DTVENCPARC, "
                "VRPARCELA, IDSITUPARC) VALUES ('0001', :C, :NR, :DUE, :V, :S)",
                {{"C", conta},
                 {"NR", r.nr},
                 {"DUE", Ole(r.due)},
                 {"V", r.value},
                 {"S", QString::fromLatin1(r.situ)}});
        Sql("UPDATE CONTAREC SET VRCONTAREC = 7000 WHERE CDFILIAL = '0001' AND NRCONTAREC = :C",
            {{"C", conta}});
    }
};

// Each case closes a copy of 1002-01, a child of the closed 1002 whose one
// contracting client, Aurora, pays the child's whole total.
TEST_P(ClosingMoneyTest, AChildOfAClosedParentSettlesOnceOnTheParentsOpenInstalments) {
    const QStringList unchanged = {
        kAurora + " 1 2026-11-25 3000.00 L", kAurora + " 2 2026-12-18 2000.00 A",
        kAurora + " 3 2027-01-18 1000.00 A", kAurora + " 4 2027-02-18 1000.00 A"};
    const QStringList lowered = {
        kAurora + " 1 2026-11-25 3000.00 L", kAurora + " 2 2026-12-18 1833.33 A",
        kAurora + " 3 2027-01-18 833.33 A", kAurora + " 4 2027-02-18 833.34 A"};
    const QStringList lowerings = {"2 -166.67", "3 -166.67", "4 -166.66"};
    struct Case {
        const char* what;
        const char* receipt; // CDTPRECEOREV: 01 normal, 02 courtesy, 03 barter
        double total;
        const char* branchLacks; // a PARAMORCAFILI column emptied, or null
        QStringList parent, adjustments;
    };
    const Case cases[] = {
        {"normal, above zero",
         "01",
         1000,
         nullptr,
         {kAurora + " 1 2026-11-25 3000.00 L", kAurora + " 2 2026-12-18 2333.33 A",
          kAurora + " 3 2027-01-18 1333.33 A", kAurora + " 4 2027-02-18 1333.34 A"},
         {"2 333.33", "3 333.33", "4 333.34"}},
        {"normal, below zero", "01", -500, nullptr, lowered, lowerings},
        // The credit goes to the parent, so the operation for budgets below zero is not needed.
        {"normal, below zero, no operation for it", "01", -500, "CDTIPOOPERNEG", lowered,
         lowerings},
        {"courtesy", "02", 1000, nullptr, unchanged, {}},
        {"barter", "03", 1000, nullptr, unchanged, {}},
        {"courtesy, no adjustment kind", "02", 1000, "CDTPAJUSTEREC", unchanged, {}},
    };
    int n = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString seq = QString::number(++n).rightJustified(2, u'0');
        CopyChild(seq);
        ParentInstalments();
        SetTotal(1002, seq, c.total, {{kAurora, c.total}});
        Sql("UPDATE ORCAEVENTO SET CDTPRECEOREV = :R WHERE NRORCAEVENTO = :N AND NRSEQORCAEVE "
            "= :S",
            {{"R", QString::fromLatin1(c.receipt)}, {"N", Nr(1002)}, {"S", seq}});
        auto close = [&] {
            const TServerReply r = Fechar(ListPacket("0001", 1002, seq));
            EXPECT_TRUE(r.ok) << r.message.toStdString();
        };
        c.branchLacks ? Without(c.branchLacks, close) : close();
        EXPECT_EQ(Receivables(1002), c.parent);
        EXPECT_EQ(Adjustments(1002, seq), c.adjustments);
        EXPECT_EQ(Receivables(1002, seq), QStringList());
        EXPECT_EQ(ClientPayables(1002, seq), QStringList());
        EXPECT_EQ(Scalar("SELECT QTCONTAREC + QTCONTAPAG FROM FECHAORCA WHERE NRORCAEVENTO = :N "
                         "AND NRSEQORCAEVE = :S",
                         {{"N", Nr(1002)}, {"S", seq}})
                      .toInt(),
                  0);
    }
}

// A main budget's receivables, per contracting client, and its payables to
// them: the terms' dates and shares, fixed days from the month of the
// closing, or a credit paid back on the event date.
TEST_P(ClosingMoneyTest, ReceivablesAndPayablesFallDueOnTheirDaysForTheirValues) {
    // Fixed days as a calendar gives them: `day`, or the last day of a shorter month.
    const QDate today = QDate::currentDate();
    auto fixedDays = [&](const QString& client, int day, bool thisMonth,
                         const std::vector<const char*>& values) {
        QStringList out;
        QDate month = QDate(today.year(), today.month(), 1).addMonths(thisMonth ? 0 : 1);
        for (size_t i = 0; i < values.size(); ++i, month = month.addMonths(1))
            out << QStringLiteral("%1 %2 %3 %4 A")
                       .arg(client)
                       .arg(i + 1)
                       .arg(QDate(month.year(), month.month(), qMin(day, month.daysInMonth()))
                                .toString(Qt::ISODate),
                            QLatin1String(values[i]));
        return out;
    };
    std::vector<const char*> twelfths(11, "83.33");
    twelfths.push_back("83.37");
    struct Case {
        const char* what;
        int numero;
        std::function<void()> setup;
        QStringList receivables, payables;
    };
    const Case cases[] = {
        {"terms, two clients 60/40",
         1001,
         [this] {
             SetTotal(1001, "00", 1000, {{kMariana, 600}, {kJoseCarlos, 400}});
             Sql("DELETE FROM PRAZOPGTOORCA WHERE NRORCAEVENTO = :N", {{"N", Nr(1001)}});
             for (const auto& [nr, due, value] :
                  {std::tuple{1, QDate(2027, 1, 20), 300.0}, {2, QDate(2027, 2, 20), 700.0}})
                 Sql("INSERT INTO PRAZOPGTOORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, "
                     "NRPARCOREV, QTDIASPGTOREV, VRPERCPGTOREV, DTVENCPARCOREV, VRPARCELAOREV) "
                     "VALUES ('0001', :N, '00', :NR, 0, 0, :DUE, :V)",
                     {{"N", Nr(1001)}, {"NR", nr}, {"DUE", Ole(due)}, {"V", value}});
         },
         {kJoseCarlos + " 1 2027-01-20 120.00 A", kJoseCarlos + " 2 2027-02-20 280.00 A",
          kMariana + " 1 2027-01-20 180.00 A", kMariana + " 2 2027-02-20 420.00 A"},
         {}},
        {"day 31 from this month",
         1012,
         [this] { FixedDay(1012, kAurora, 31, 12, "I"); },
         fixedDays(kAurora, 31, true, twelfths),
         {}},
        {"day 30 from next month",
         1011,
         [this] { FixedDay(1011, kLucas, 30, 12, "E"); },
         fixedDays(kLucas, 30, false, twelfths),
         {}},
        {"day 29 from next month",
         1023,
         [this] { FixedDay(1023, kHorizonte, 29, 3, "E"); },
         fixedDays(kHorizonte, 29, false, {"333.33", "333.33", "333.34"}),
         {}},
        {"below zero",
         1013,
         [this] {
             SetTotal(1013, "00", -500, {{kHorizonte, -500}});
         },
         {},
         {kHorizonte + " 2027-01-15 500.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.setup();
        const TServerReply r = Fechar(ListPacket("0001", c.numero));
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(Receivables(c.numero), c.receivables);
        EXPECT_EQ(ClientPayables(c.numero), c.payables);
    }
}

TEST(MonthlyDueDates, TakeTheDayOrTheLastDayOfAShorterMonth) {
    const struct {
        QDate first;
        int day, count;
        std::vector<QDate> dates;
    } cases[] = {
        {{2027, 1, 15}, 31, 4, {{2027, 1, 31}, {2027, 2, 28}, {2027, 3, 31}, {2027, 4, 30}}},
        {{2028, 1, 31}, 30, 3, {{2028, 1, 30}, {2028, 2, 29}, {2028, 3, 30}}},
        {{2026, 11, 30}, 29, 4, {{2026, 11, 29}, {2026, 12, 29}, {2027, 1, 29}, {2027, 2, 28}}},
        {{2027, 12, 1}, 31, 2, {{2027, 12, 31}, {2028, 1, 31}}},
        {{2027, 3, 31}, 10, 2, {{2027, 3, 10}, {2027, 4, 10}}},
        {{2027, 3, 31}, 1, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(MonthlyDueDates(c.first, c.day, c.count), c.dates);
    }
}

ORE_INSTANTIATE_ENGINES(ClosingMoneyTest);

} // namespace
