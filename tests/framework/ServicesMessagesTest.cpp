// The message catalogue: which line answers a key, and what a missing key says.

#include "framework/services/Messages.h"

#include <gtest/gtest.h>

TEST(Messages, FirstLineWithExactlyThatKeyAnswersWithItsTextAsWritten) {
    TMessages msg;
    msg.SetLines({
        QStringLiteral("N_PARAM|prefix only"),
        QStringLiteral("N_PARAM_PED|Filial %s sem parâmetros de pedido.  |ver cadastro "),
        QStringLiteral("N_PARAM_PED|second entry"),
        QStringLiteral("n_param_serie|lower case key"),
        QStringLiteral("SEM_BARRA"),
        QStringLiteral("VAZIA|"),
    });
    EXPECT_EQ(msg.Msg(QStringLiteral("N_PARAM_PED")),
              QStringLiteral("Filial %s sem parâmetros de pedido.  |ver cadastro "));
    EXPECT_EQ(msg.Msg(QStringLiteral("N_PARAM")), QStringLiteral("prefix only"));
    EXPECT_EQ(msg.Msg(QStringLiteral("VAZIA")), QString());
    EXPECT_TRUE(msg.Msg(QStringLiteral("VAZIA")).isEmpty());
}

TEST(Messages, MissingKeySaysSoNamingTheKey) {
    TMessages msg;
    msg.SetLines(
        {QStringLiteral("n_param_serie|x"), QStringLiteral("SEM_BARRA"), QStringLiteral("A|B|C")});
    for (const char* key : {"N_PARAM_SERIE", "SEM_BARRA", "A|B", "N_PARAM_SERIE ", ""})
        EXPECT_EQ(msg.Msg(QString::fromUtf8(key)),
                  QStringLiteral("Mensagem não cadastrada: ") + QString::fromUtf8(key))
            << key;
}
