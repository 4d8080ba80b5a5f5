// Which closing errors the operator reads from the catalogue, and with what.

#include "ore/ore00800/model/ClosingError.h"

#include <gtest/gtest.h>

namespace {

TEST(ClosingError, KeyAndArgumentOfTheServersText) {
    const struct {
        const char* text;
        std::optional<const char*> key; // nothing: shown as it stands
        std::optional<const char*> argument;
    } rows[] = {
        {"N_PARAM_PED|0002", "N_PARAM_PED", "0002"},
        {"N_PARAM_TPCTREC|", "N_PARAM_TPCTREC", ""},
        {"N_PARAM_AJUSTEREC", "N_PARAM_AJUSTEREC", std::nullopt},
        // Further bars belong to the argument.
        {"N_PARAM_PED|00|02", "N_PARAM_PED", "00|02"},
        // Words before the key are part of it.
        {"Erro: N_PARAM_SERIE|0001", "Erro: N_PARAM_SERIE", "0001"},
        {"x|N_PARAM_PED", "x", "N_PARAM_PED"},
        {"N_BOLETOS_ABERTOS", "N_BOLETOS_ABERTOS", std::nullopt},
        {"N_BOLETOS_ABERTOS|1", "N_BOLETOS_ABERTOS|1", std::nullopt},
        // Both: the parameter's route.
        {"N_BOLETOS_ABERTOS N_PARAM_CONTAREC|1", "N_BOLETOS_ABERTOS N_PARAM_CONTAREC", "1"},
        {"n_param_ped|0002", std::nullopt, std::nullopt},
        {"O orçamento 0000001029 já está fechado.", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto refusal = ClosingRefusal(QString::fromUtf8(row.text));
        ASSERT_EQ(refusal.has_value(), row.key.has_value());
        if (!refusal)
            continue;
        EXPECT_EQ(refusal->key, QString::fromUtf8(*row.key));
        ASSERT_EQ(refusal->argument.has_value(), row.argument.has_value());
        if (row.argument) {
            EXPECT_EQ(*refusal->argument, QString::fromUtf8(*row.argument));
        }
    }
}

TEST(ClosingError, ArgumentFillsTheTextsPlace) {
    EXPECT_EQ(FormatMsg(QStringLiteral("Filial %s. Bloqueada."), QStringLiteral("0002")),
              QStringLiteral("Filial 0002. Bloqueada."));
    EXPECT_EQ(FormatMsg(QStringLiteral("operação (%s)."), QString()),
              QStringLiteral("operação ()."));
    EXPECT_EQ(FormatMsg(QStringLiteral("Sem lugar."), QStringLiteral("1")),
              QStringLiteral("Sem lugar."));
}

} // namespace
