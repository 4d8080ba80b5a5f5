// The budget figures the contracting-client screen sets the active clients'
// sums against, on the demo data.

#include "tests/srv/ClosingTestUtil.h"

#include <gtest/gtest.h>

namespace {

const QString kServer = QStringLiteral("ORE09000.rdmContratante");

class ContratanteResumoTest : public ClosingDbTest {};

TEST_P(ContratanteResumoTest, AnswersTheBudgetsFiguresAndRefusesAnUnknownBudget) {
    struct Case {
        int numero;
        const char* situacao;
        double total;
        QVariant convidados, contratos;
    };
    const Case cases[] = {
        {1029, "2", 10000.0, 200.0, 1.0},
        {1010, "2", 28048.5, 110.0, 2.0},
        {1028, "3", 19376.0, 150.0, 1.0}, // closed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numero);
        const TServerReply r = Call(kServer, QStringLiteral("GetResumoOrca"),
                                    {QStringLiteral("0001"), Nr(c.numero), QStringLiteral("00")});
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        TRecordSet rs;
        rs.SetData(r.payload.value<TDataPacket>());
        ASSERT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.FieldByName(QStringLiteral("IDSITUORCEVE")).AsString(), c.situacao);
        EXPECT_DOUBLE_EQ(rs.FieldByName(QStringLiteral("VRTOTALOREV")).AsFloat(), c.total);
        EXPECT_EQ(rs.FieldByName(QStringLiteral("QTCONVORCEVE")).Value(), c.convidados);
        EXPECT_EQ(rs.FieldByName(QStringLiteral("QTCONTRATOREV")).Value(), c.contratos);
    }
    const TServerReply unknown = Call(kServer, QStringLiteral("GetResumoOrca"),
                                      {QStringLiteral("0001"), Nr(9999), QStringLiteral("00")});
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.message,
              QStringLiteral("O orçamento 0000009999-00 da filial 0001 não foi encontrado."));
}

ORE_INSTANTIATE_ENGINES(ContratanteResumoTest);

} // namespace
