// What an earlier run leaves on the screen travels with the next closing: the
// new-customer rows of other budgets, and the mark of a budget that failed.
// Neither may register, close or write anything it should not.

#include "tests/srv/ClosingTestUtil.h"

#include <gtest/gtest.h>

namespace {

struct TNewClientRow {
    QString filial, numero, seq, inscricao, fantasia;
};

// The new-customer packet as the screen keeps it between closings: one row
// per budget whose customer was entered, none of them posted away.
QVariant NewClients(const std::vector<TNewClientRow>& rows) {
    TRecordSet rs({StrField("CDFILIAL", 4), StrField("NRORCAEVENTO", 10),
                   StrField("NRSEQORCAEVE", 2), StrField("NRINSJURORCA", 30),
                   StrField("IDTPINJUORCA", 1), StrField("NMFANTCLIE", 50)});
    rs.CreateDataSet();
    for (const TNewClientRow& r : rows) {
        rs.Append();
        rs.FieldByName("CDFILIAL").SetAsString(r.filial);
        rs.FieldByName("NRORCAEVENTO").SetAsString(r.numero);
        rs.FieldByName("NRSEQORCAEVE").SetAsString(r.seq);
        rs.FieldByName("NRINSJURORCA").SetAsString(r.inscricao);
        rs.FieldByName("IDTPINJUORCA").SetAsString("F");
        rs.FieldByName("NMFANTCLIE").SetAsString(r.fantasia);
        rs.Post();
    }
    return QVariant::fromValue(rs.Data());
}

class ClosingLeftoversTest : public ClosingDbTest {
protected:
    QString Of1005(const char* column) {
        return Scalar(QStringLiteral("SELECT %1 FROM ORCAEVENTO WHERE CDFILIAL = '0001' AND "
                                     "NRORCAEVENTO = :N AND NRSEQORCAEVE = '00'")
                          .arg(QLatin1String(column)),
                      {{"N", Nr(1005)}})
            .toString();
    }
    qint64 Clients(const QString& code) {
        return Scalar("SELECT COUNT(*) FROM CLIENTE WHERE CDCLIENTE = :C", {{"C", code}})
            .toLongLong();
    }
};

// Rows entered for other budgets: another number, another sequence of the
// same number, the same number at another branch.
const std::vector<TNewClientRow> kStale = {
    {"0001", Nr(1001), "00", "55566677788", "Cliente de outro orçamento"},
    {"0001", Nr(1005), "01", "55566677789", "Cliente do orçamento filho"},
    {"0002", Nr(1005), "00", "55566677790", "Cliente de outra filial"},
};

TEST_P(ClosingLeftoversTest, OnlyTheNewCustomerRowOfTheClosedBudgetIsUsed) {
    // Budget 1005's customer is not registered; the packet holds only other budgets' rows.
    const auto before = Fingerprint();
    const TServerReply refused = Fechar(ListPacket("0001", 1005), "MARIA", NewClients(kStale));
    ASSERT_FALSE(refused.ok);
    EXPECT_EQ(refused.message.toStdString(),
              "O cliente do orçamento 0000001005-00 da filial 0001 não está cadastrado e os seus "
              "dados não foram informados; o fechamento não foi realizado.");
    EXPECT_EQ(Fingerprint(), before);

    // Its own row among them, neither first nor last: the customer comes from it alone.
    std::vector<TNewClientRow> rows = kStale;
    rows.insert(rows.begin() + 1, {"0001", Nr(1005), "00", "11122233396", "Marina Nogueira"});
    const TServerReply closed = Fechar(ListPacket("0001", 1005), "MARIA", NewClients(rows));
    ASSERT_TRUE(closed.ok) << closed.message.toStdString();
    EXPECT_EQ(Of1005("IDSITUORCEVE"), "3");
    EXPECT_EQ(Of1005("CDCLIENTE"), "F11122233396");
    EXPECT_EQ(Scalar("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE = 'F11122233396'").toString(),
              "Marina Nogueira");
    for (const TNewClientRow& stale : kStale)
        EXPECT_EQ(Clients(u'F' + stale.inscricao), 0) << stale.fantasia.toStdString();
}

// A budget marked by a failed run and one that would close, in either order:
// the whole closing is refused and nothing is written, numbering included.
TEST_P(ClosingLeftoversTest, ALeftoverMarkThatFailsRefusesTheWholeClosing) {
    struct Case {
        TListRow leftover;
        QVariant newClients;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"0001", Nr(1006), "00"},
         {},
         "Não há contratante informado para o orçamento 0000001006-00 da filial 0001; o "
         "fechamento não foi realizado."},
        {{"0001", Nr(1005), "00"},
         {},
         "O cliente do orçamento 0000001005-00 da filial 0001 não está cadastrado e os seus "
         "dados não foram informados; o fechamento não foi realizado."},
        {{"0002", Nr(2001), "00"}, {}, "N_PARAM_PED|0002"},
    };
    const TListRow good{"0001", Nr(1001), "00"};
    const auto before = Fingerprint();
    for (const Case& c : cases) {
        for (const bool leftoverFirst : {false, true}) {
            SCOPED_TRACE(c.message + (leftoverFirst ? " (leftover first)" : " (leftover last)"));
            const std::vector<TListRow> list = leftoverFirst
                                                   ? std::vector<TListRow>{c.leftover, good}
                                                   : std::vector<TListRow>{good, c.leftover};
            const TServerReply r = Fechar(ListPacket(list), "MARIA", c.newClients);
            ASSERT_FALSE(r.ok);
            EXPECT_EQ(r.message.toStdString(), c.message);
            // Situations, orders, receivables, payables, audit rows and NUMERADOR.
            EXPECT_EQ(Fingerprint(), before);
        }
    }
    // The budget that would pass still closes on its own.
    ASSERT_TRUE(Fechar(ListPacket({good})).ok);
    EXPECT_NE(Fingerprint(), before);
}

ORE_INSTANTIATE_ENGINES(ClosingLeftoversTest);

} // namespace
