// The two screens' catalogues as the operator reads them: texts exactly as
// written, blanks included, found by their exact key.

#include "FechaOrcaMessages.h"
#include "FiltroMessages.h"
#include "Messages.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

QString Key(const QString& line) {
    return line.section(u'|', 0, 0);
}

} // namespace

TEST(MessageCatalogues, HoldEveryLineOnceInOrder) {
    const QStringList closing = FechaOrcaMessageLines();
    const QStringList filter = FiltroMessageLines();
    ASSERT_EQ(closing.size(), 52);
    ASSERT_EQ(filter.size(), 43);
    EXPECT_EQ(closing.first(), QStringLiteral("FILI_N_INF|Filial deve ser informada."));
    EXPECT_EQ(closing.last(), QStringLiteral("CONV_QTD_ZERO|Existem contratantes com a quantidade "
                                             "de convidados igual a zero."));
    EXPECT_EQ(filter.first(), QStringLiteral("CODVERS|Versão não cadastrada."));
    EXPECT_EQ(filter.last(), QStringLiteral("GERENTESUP_N_CAD|Gerente/Supervisor não cadastrado."));
    for (const QStringList* lines : {&closing, &filter}) {
        QSet<QString> keys;
        for (const QString& line : *lines) {
            EXPECT_TRUE(line.contains(u'|')) << line.toStdString();
            EXPECT_FALSE(keys.contains(Key(line))) << line.toStdString();
            keys << Key(line);
        }
    }
}

TEST(MessageCatalogues, TextsKeepTheirBlanksAndKeysTheirCase) {
    TMessages msg;
    msg.SetLines(FechaOrcaMessageLines());
    EXPECT_EQ(msg.Msg(QStringLiteral("Orc_Pai_Fecha_Aprov")),
              QStringLiteral("O orçamento %s possui orçamento pai que não foi fechado. "));
    EXPECT_TRUE(msg.Msg(QStringLiteral("N_PARAM_TPCTPAG")).endsWith(u". "));
    EXPECT_TRUE(msg.Msg(QStringLiteral("N_PARAM_EMPRESARELAC"))
                    .contains(QStringLiteral("Estadual  não esta")));
    const QString differ = msg.Msg(QStringLiteral("SOMA_DIFER_REALIZADO"));
    EXPECT_EQ(msg.Msg(QStringLiteral("VALORSEQ_DIFER_VRORCA")), differ);
    EXPECT_EQ(msg.Msg(QStringLiteral("VALORTOTAL_DIFER_VRORCA")), differ);
    EXPECT_EQ(msg.Msg(QStringLiteral("6")), QStringLiteral("Executato Totalmente"));
    EXPECT_EQ(msg.Msg(QStringLiteral("R")), QStringLiteral("Reservado"));
    // Keys are exact: another case is another (missing) key.
    EXPECT_EQ(msg.Msg(QStringLiteral("orc_fecha_aprov")),
              QStringLiteral("Mensagem não cadastrada: orc_fecha_aprov"));
}
