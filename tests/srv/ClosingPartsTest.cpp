// The closing's parts on their own, on the demo data: the rules answer a
// refusal or a plan and write nothing even outside a transaction, and the
// record of a closing refuses a budget that left approval meanwhile.

#include "tests/srv/ClosingTestUtil.h"

#include "closing/ClosingRules.h"
#include "closing/ClosingWriters.h"

#include <gtest/gtest.h>

namespace {

using ClosingPartsTest = ClosingDbTest;

struct TNovo {
    QString tipo, inscricao, pais, estado, municipio;
};

// The screen's packet of new customers, with one row for budget 0001/1005.
TDataPacket NovoClientePacket(const TNovo& n) {
    return NewClientPacket(Nr(1005), {{"NRINSJURORCA", n.inscricao},
                                      {"IDTPINJUORCA", n.tipo},
                                      {"CDPAIS", n.pais},
                                      {"SGESTADO", n.estado},
                                      {"CDMUNICIPIO", n.municipio},
                                      {"DSENDECLIORE", "Rua A, 1"},
                                      {"NMFANTCLIE", "Marina"}});
}

TEST_P(ClosingPartsTest, TheRulesAnswerTheFirstRefusalOrThePlanAndWriteNothing) {
    const QString tail = QStringLiteral("; o fechamento não foi realizado.");
    struct Case {
        const char* what;
        TBudgetKey key;
        std::optional<TNovo> novo;
        QString message; // empty: the budget may close
        bool isKey = false;
        QString argument = {};
    };
    const TBudgetKey b1005{"0001", Nr(1005), "00"};
    const Case cases[] = {
        {"a key with its argument", {"0002", Nr(2001), "00"}, {}, "N_PARAM_PED|0002", true, "0002"},
        {"registration kind", b1005, TNovo{"X", "11122233396", "1058", "SP", "0001"},
         "O tipo de inscrição do novo cliente deve ser F (pessoa física) ou J (pessoa jurídica)" +
             tail},
        {"registration too long", b1005, TNovo{"F", QString(21, u'1'), "1058", "SP", "0001"},
         "A inscrição do novo cliente é longa demais" + tail},
        {"unknown town", b1005, TNovo{"F", "11122233396", "1058", "SP", "9999"},
         "O município do endereço do novo cliente não está cadastrado" + tail},
        // The town matters only to a customer the closing registers.
        {"registered customer, unknown town",
         b1005,
         TNovo{"F", "39053344705", "1058", "SP", "9999"},
         {}},
        {"new customer", b1005, TNovo{"F", "11122233396", "1058", "SP", "0001"}, {}},
        {"receivables", {"0001", Nr(1001), "00"}, {}, {}},
        {"a child of a closed budget", {"0001", Nr(1002), "01"}, {}, {}},
    };
    const auto before = Fingerprint();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<TDataPacket> packet;
        if (c.novo)
            packet = NovoClientePacket(*c.novo);
        // No transaction: whatever a rule wrote would stay.
        const auto checked = CheckClosing(Db(), c.key, packet);
        if (!c.message.isEmpty()) {
            const TRefusal* r = std::get_if<TRefusal>(&checked);
            ASSERT_TRUE(r);
            EXPECT_EQ(r->Message(), c.message);
            EXPECT_EQ(r->isKey, c.isKey);
            EXPECT_EQ(r->argument, c.argument);
            continue;
        }
        const TClosingPlan* plan = std::get_if<TClosingPlan>(&checked);
        ASSERT_TRUE(plan) << std::get<TRefusal>(checked).Message().toStdString();
        EXPECT_EQ(plan->novoCliente.has_value(), c.novo.has_value());
        if (c.novo) {
            EXPECT_EQ(plan->novoCliente->Codigo(), c.novo->tipo + c.novo->inscricao);
        }
        // A child of a closed budget settles on its open instalments and
        // generates no receivable of its own.
        EXPECT_EQ(plan->ajustaPai, c.key.seq == u"01");
        EXPECT_EQ(plan->abertas.empty(), !plan->ajustaPai);
        EXPECT_EQ(plan->tipoReceber.isEmpty(), plan->ajustaPai);
    }
    EXPECT_EQ(Fingerprint(), before);
}

TEST_P(ClosingPartsTest, TheRecordRefusesABudgetThatLeftApprovalAndRecordsNothing) {
    const TClosingStamp stamp{"MARIA", 46000.5};
    TOrca closed = *LeOrca(Db(), {"0001", Nr(1002), "00"});
    const auto before = Fingerprint();
    const std::optional<TRefusal> r = RegistraFechamento(Db(), stamp, closed, {1, 1, 0});
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->isKey);
    EXPECT_EQ(r->Message(), "O orçamento 0000001002-00 da filial 0001 foi alterado por outro "
                            "operador durante o fechamento; o fechamento não foi realizado.");
    EXPECT_EQ(Fingerprint(), before);

    const TOrca approved = *LeOrca(Db(), {"0001", Nr(1001), "00"});
    EXPECT_FALSE(RegistraFechamento(Db(), stamp, approved, {2, 1, 0}));
    EXPECT_EQ(Scalar("SELECT IDSITUORCEVE FROM ORCAEVENTO WHERE NRORCAEVENTO = :N AND "
                     "NRSEQORCAEVE = '00'",
                     {{"N", Nr(1001)}})
                  .toString(),
              "3");
    EXPECT_EQ(Scalar("SELECT CDOPERADOR || ' ' || QTPEDIDOS || ' ' || QTCONTAREC || ' ' || "
                     "QTCONTAPAG FROM FECHAORCA WHERE NRORCAEVENTO = :N",
                     {{"N", Nr(1001)}})
                  .toString(),
              "MARIA 2 1 0");
}

ORE_INSTANTIATE_ENGINES(ClosingPartsTest);

} // namespace
