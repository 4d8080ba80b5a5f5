// The consistency check that `ore-server check-db` runs, on the demo database
// after a real closing, with one deliberately broken state at a time.

#include "tests/srv/ClosingTestUtil.h"

#include "closing/ClosingConsistency.h"

#include <gtest/gtest.h>

namespace {

class CheckDbTest : public ClosingDbTest {
protected:
    // Closes a new customer's budget, one with several orders and
    // receivables, a supplier's payable and a child that adjusts its parent.
    void CloseSome() {
        const TServerReply r =
            Fechar(ListPacket({{"0001", Nr(1005), "00"},
                               {"0001", Nr(1001), "00"},
                               {"0001", Nr(1023), "00"},
                               {"0001", Nr(1002), "01"}}),
                   "MARIA",
                   QVariant::fromValue(NewClientPacket(
                       Nr(1005), {{"NRINSJURORCA", "11122233396"}, {"IDTPINJUORCA", "F"}})));
        ASSERT_TRUE(r.ok) << r.message.toStdString();
    }
};

TEST_P(CheckDbTest, EachBrokenStateIsReportedInItsOwnWords) {
    EXPECT_EQ(CheckClosingConsistency(Db()), QStringList()) << "the demo data as seeded";
    ASSERT_NO_FATAL_FAILURE(CloseSome());
    EXPECT_EQ(CheckClosingConsistency(Db()), QStringList()) << "after a closing";

    const QString b1001 = "NRORCAEVENTO = '0000001001' AND NRSEQORCAEVE = '00'";
    const QString b1023 = "NRORCAEVENTO = '0000001023' AND NRSEQORCAEVE = '00'";
    const QString pedido1001 = "(SELECT MIN(NRPEDIDO) FROM PEDIDO WHERE " + b1001 + ")";
    const QString conta1001 = "(SELECT MIN(NRCONTAREC) FROM CONTAREC WHERE " + b1001 + ")";
    const struct {
        const char* what;
        QStringList breakIt;
        QStringList findings; // a fragment of each sentence expected, in order
    } cases[] = {
        {"an order without items",
         {"DELETE FROM ITEMPEDIDO WHERE NRPEDIDO = " + pedido1001},
         {"não tem itens."}},
        {"an order whose items do not add up",
         {"UPDATE ITEMPEDIDO SET VRTOTALITEMPED = VRTOTALITEMPED + 1 WHERE NRITEMPED = 1 AND "
          "NRPEDIDO = " +
          pedido1001},
         {"mas os seus itens somam"}},
        {"a receivable without instalments",
         {"DELETE FROM PARCCONTAREC WHERE NRCONTAREC = " + conta1001},
         {"A conta a receber 00000"}},
        {"instalments that do not add up",
         {"UPDATE PARCCONTAREC SET VRPARCELA = VRPARCELA + 10 WHERE NRPARCELA = 1 AND "
          "NRCONTAREC = " +
          conta1001},
         {"mas as suas parcelas somam"}},
        {"a closing record that miscounts",
         {"UPDATE FECHAORCA SET QTPEDIDOS = QTPEDIDOS + 1 WHERE " + b1001},
         {"O fechamento do orçamento 0000001001-00 da filial 0001 registra"}},
        {"a budget closed halfway: stamped, with its documents, but not recorded",
         {"DELETE FROM FECHAORCA WHERE " + b1023},
         {"0000001023-00 da filial 0001 está marcado como fechado, mas não tem registro",
          "0000001023-00 da filial 0001 não tem registro de fechamento, mas tem 3 pedido(s).",
          "0000001023-00 da filial 0001 não tem registro de fechamento, mas tem 1 conta(s) a "
          "receber.",
          "0000001023-00 da filial 0001 não tem registro de fechamento, mas tem 1 conta(s) a "
          "pagar."}},
        {"a recorded closing of a budget still approved",
         {"UPDATE ORCAEVENTO SET IDSITUORCEVE = '2', DTFECHORCEVE = NULL, CDOPEFECHOREV = NULL "
          "WHERE CDFILIAL = '0001' AND " +
          b1023},
         {"0000001023-00 da filial 0001 tem registro de fechamento, mas não está fechado."}},
        {"a closed budget without its customer",
         {"UPDATE ORCAEVENTO SET IDSITCLIOREV = 'N', NMCLIEORCEVE = 'Marina' WHERE "
          "NRORCAEVENTO = '0000001005' AND NRSEQORCAEVE = '00'"},
         {"0000001005-00 da filial 0001 foi fechado sem cliente cadastrado."}},
        {"an untouched budget with an order",
         {"UPDATE PEDIDO SET NRORCAEVENTO = '0000001011' WHERE NRPEDIDO = " + pedido1001},
         {"O fechamento do orçamento 0000001001-00",
          "0000001011-00 da filial 0001 não tem registro de fechamento, mas tem 1 pedido(s)."}},
        {"a counter behind the numbers used",
         {"UPDATE NUMERADOR SET NRULTIMO = NRULTIMO - 1 WHERE CDFILIAL = '0001' AND "
          "IDNUMERADOR = 'CREC'"},
         {"O numerador CREC da filial 0001 está em"}},
        // Without its key (a restore that lost it), a number can be used twice.
        {"a document number used twice",
         {"ALTER TABLE CONTAPAG RENAME TO CONTAPAG_ANTES",
          "CREATE TABLE CONTAPAG AS SELECT * FROM CONTAPAG_ANTES",
          "INSERT INTO CONTAPAG SELECT * FROM CONTAPAG_ANTES WHERE " + b1023},
         {"O fechamento do orçamento 0000001023-00 da filial 0001 registra 1 conta(s) a pagar, "
          "mas há 2.",
          "foi usado 2 vezes em CONTAPAG."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTransaction tr(Db());
        for (const QString& sql : c.breakIt)
            Db().ExecRaw(sql);
        const QStringList found = CheckClosingConsistency(Db());
        ASSERT_EQ(found.size(), c.findings.size()) << found.join(u'\n').toStdString();
        for (qsizetype i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i].contains(c.findings[i])) << found[i].toStdString();
        tr.Rollback();
    }
    EXPECT_EQ(CheckClosingConsistency(Db()), QStringList()) << "every break undone";
}

ORE_INSTANTIATE_ENGINES(CheckDbTest);

} // namespace
