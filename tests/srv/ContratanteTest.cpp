// The contracting-client checks the closing screen runs before it closes, and
// the upkeep of a budget's contracting clients, on the demo data.

#include "tests/srv/ClosingTestUtil.h"

#include <gtest/gtest.h>

namespace {

const QString kServer = QStringLiteral("ORE09000.rdmContratante");

class ContratanteTest : public ClosingDbTest {
protected:
    QVariantList Key(int numero, const char* seq = "00", const char* filial = "0001") {
        return {QString::fromLatin1(filial), Nr(numero), QString::fromLatin1(seq)};
    }
    QVariant Ok(const QString& method, const QVariantList& args) {
        const TServerReply r = Call(kServer, method, args);
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.payload;
    }
    QString CheckKey(const char* method, int numero) {
        const QVariantList a = Ok(QString::fromLatin1(method), Key(numero)).toList();
        return a.isEmpty() ? QStringLiteral("<vazio>") : a[0].toString();
    }
    int Contratantes(int numero) {
        TRecordSet rs;
        rs.SetData(Ok(QStringLiteral("GetExisteContratante"), Key(numero)).value<TDataPacket>());
        return rs.RecordCount();
    }
    QString Message(const QString& method, const QVariantList& args) {
        const TServerReply r = Call(kServer, method, args);
        EXPECT_FALSE(r.ok) << method.toStdString();
        return r.message;
    }
};

TEST_P(ContratanteTest, EachDemoCaseAnswersItsCatalogueKey) {
    struct Case {
        int numero;
        int existentes;
        const char *cancelado, *valor, *negativo;
        bool quantidade;
    };
    const Case cases[] = {
        {1001, 2, "", "", "", true}, // two clients sharing the total
        {1005, 1, "", "", "", true},
        {1006, 0, "", "", "", true}, // none: the screen refuses on the empty packet
        {1007, 2, "CONTRAT_CANCELADO", "", "", false},
        {1008, 2, "", "N_PARAM_VRNOTA_ZERO", "", true},
        {1009, 1, "", "SOMA_DIFER_REALIZADO", "", true},
        {1010, 1, "", "", "", false},
        {1012, 1, "", "", "", true},
        {1013, 1, "", "", "", true}, // below zero, charged below zero
        {1014, 2, "", "", "VALOR_COBRADO_MENOR", true},
        {1015, 1, "", "", "", true},
        {1021, 2, "", "CONV_N_INF", "", true},
        {1022, 2, "", "CONV_DIF", "", true},
        {1023, 1, "", "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numero);
        EXPECT_EQ(Contratantes(c.numero), c.existentes);
        EXPECT_EQ(CheckKey("GetVdContraCancelado", c.numero), QString::fromLatin1(c.cancelado));
        EXPECT_EQ(CheckKey("GetVdValor", c.numero), QString::fromLatin1(c.valor));
        EXPECT_EQ(CheckKey("GetVdValorNegativo", c.numero), QString::fromLatin1(c.negativo));
        EXPECT_EQ(Ok(QStringLiteral("GetQtContratantes"), Key(c.numero)), QVariant(c.quantidade));
    }
    // Informative: whether the event type is of effective cost.
    EXPECT_EQ(Ok(QStringLiteral("GetVdTipoEveCustEfet"), Key(1012)).toList().value(0), "S");
    EXPECT_EQ(Ok(QStringLiteral("GetVdTipoEveCustEfet"), Key(1001)).toList().value(0), "N");
    // An unknown budget has nothing to refuse.
    EXPECT_EQ(CheckKey("GetVdValor", 9999), "");
    EXPECT_EQ(Contratantes(9999), 0);
}

// Each guest rule is checked over every active client before the next rule:
// Camila (listed first) and Patricia share 1022, whose total they cover.
TEST_P(ContratanteTest, GuestRulesApplyInOrderOverEveryActiveClient) {
    const QVariant none;
    struct Case {
        QVariant orcamento, camila, patricia;
        const char* key;
    };
    const Case cases[] = {
        {100.0, 150.0, none, "CONV_N_INF"},
        {100.0, -1.0, none, "CONV_N_INF"},
        {100.0, 150.0, -1.0, "CONV_INV"},
        {100.0, 150.0, 2.5, "CONV_INV"},
        {100.0, 101.0, 0.0, "CONV_MAI"},
        {100.0, 40.0, 70.0, "CONV_DIF"},
        {100.0, 100.0, 0.0, ""},
        {100.0, 60.0, 40.0, ""},
        {none, 150.0, none, ""}, // the budget states no guests: nothing to check
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.orcamento.toString().toStdString() << " / "
                                          << c.camila.toString().toStdString() << " / "
                                          << c.patricia.toString().toStdString());
        ExecSql(Db(),
                "UPDATE ORCAEVENTO SET QTCONVORCEVE = :Q WHERE CDFILIAL = :F AND NRORCAEVENTO = "
                ":N AND NRSEQORCAEVE = '00'",
                {{"Q", c.orcamento}, {"F", "0001"}, {"N", Nr(1022)}});
        for (const auto& [cliente, q] :
             {std::pair{"F12312312387", c.camila}, std::pair{"F45645645600", c.patricia}})
            ExecSql(Db(),
                    "UPDATE CONTRATORCA SET QTCONVCONTOREV = :Q WHERE CDFILIAL = :F AND "
                    "NRORCAEVENTO = :N AND CDCLIENCONTORCA = :C",
                    {{"Q", q}, {"F", "0001"}, {"N", Nr(1022)}, {"C", cliente}});
        EXPECT_EQ(CheckKey("GetVdValor", 1022), QString::fromLatin1(c.key));
    }
}

TEST_P(ContratanteTest, ClientsAreAddedChangedAndCancelledWhileTheBudgetIsApproved) {
    const QString kPatricia = Scalar(QStringLiteral("SELECT CDCLIENCONTORCA FROM CONTRATORCA "
                                                    "WHERE NRORCAEVENTO = :N"),
                                     {{"N", Nr(1005)}})
                                  .toString();
    ASSERT_FALSE(kPatricia.isEmpty());
    const double total =
        Scalar(QStringLiteral("SELECT VRTOTALOREV FROM ORCAEVENTO WHERE CDFILIAL = '0001' AND "
                              "NRORCAEVENTO = :N AND NRSEQORCAEVE = '00'"),
               {{"N", Nr(1006)}})
            .toDouble();
    const double guests =
        Scalar(QStringLiteral("SELECT QTCONVORCEVE FROM ORCAEVENTO WHERE CDFILIAL = '0001' AND "
                              "NRORCAEVENTO = :N AND NRSEQORCAEVE = '00'"),
               {{"N", Nr(1006)}})
            .toDouble();

    // 1006 has none: one is added without a value, then given the whole total.
    Ok(QStringLiteral("IncluirContratante"), Key(1006)
                                                 << kPatricia << QVariant() << guests << "0001");
    EXPECT_EQ(Contratantes(1006), 1);
    EXPECT_EQ(CheckKey("GetVdValor", 1006), "N_PARAM_VRNOTA_ZERO");
    Ok(QStringLiteral("AlterarContratante"), Key(1006) << kPatricia << total / 2 << guests);
    EXPECT_EQ(CheckKey("GetVdValor", 1006), "SOMA_DIFER_REALIZADO");
    Ok(QStringLiteral("AlterarContratante"), Key(1006) << kPatricia << total << guests);
    EXPECT_EQ(CheckKey("GetVdValor", 1006), "");
    EXPECT_EQ(Message(QStringLiteral("IncluirContratante"),
                      Key(1006) << kPatricia << total << guests << "0001"),
              QStringLiteral("O cliente %1 já é contratante do orçamento 0000001006-00 da filial "
                             "0001.")
                  .arg(kPatricia));

    // Cancelled, it stays listed; added again, it comes back rather than twice.
    Ok(QStringLiteral("CancelarContratante"), Key(1006) << kPatricia);
    EXPECT_EQ(CheckKey("GetVdContraCancelado", 1006), "CONTRAT_CANCELADO");
    EXPECT_EQ(Message(QStringLiteral("AlterarContratante"), Key(1006) << kPatricia << 1.0 << 1.0),
              QStringLiteral("O cliente %1 não é contratante ativo do orçamento 0000001006-00 da "
                             "filial 0001.")
                  .arg(kPatricia));
    Ok(QStringLiteral("IncluirContratante"), Key(1006) << kPatricia << total << guests << "0001");
    EXPECT_EQ(Contratantes(1006), 1);
    EXPECT_EQ(CheckKey("GetVdContraCancelado", 1006), "");
}

TEST_P(ContratanteTest, RefusalsLeaveTheContractsAsTheyWere) {
    const auto before = Fingerprint();
    struct Case {
        const char* method;
        QVariantList args;
        QString message;
    };
    const std::vector<Case> cases = {
        {"IncluirContratante", Key(1002) << "FNINGUEM" << 1.0 << 1.0 << "0001",
         "Os contratantes do orçamento 0000001002-00 da filial 0001 só podem ser alterados "
         "enquanto ele está aprovado."},
        {"IncluirContratante", Key(9999) << "FNINGUEM" << 1.0 << 1.0 << "0001",
         "O orçamento 0000009999-00 da filial 0001 não foi encontrado."},
        {"IncluirContratante", Key(1006) << "J1' OR '1'='1" << 1.0 << 1.0 << "0001",
         "O cliente J1' OR '1'='1 não está cadastrado ou está inativo."},
        {"IncluirContratante", Key(1006) << "X; DROP TABLE CONTRATORCA" << 1.0 << 1.0 << "",
         "O cliente X; DROP TABLE CONTRATORCA não está cadastrado ou está inativo."},
        {"CancelarContratante", Key(1001) << "x' OR 'x'='x",
         "O cliente x' OR 'x'='x não é contratante ativo do orçamento 0000001001-00 da filial "
         "0001."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(Message(QString::fromLatin1(c.method), c.args).toStdString(),
                  c.message.toStdString());
    }
    // A malformed request is refused before anything is read.
    EXPECT_FALSE(Call(kServer, QStringLiteral("GetVdValor"), {"0001"}).ok);
    EXPECT_EQ(Fingerprint(), before);
}

ORE_INSTANTIATE_ENGINES(ContratanteTest);

} // namespace
