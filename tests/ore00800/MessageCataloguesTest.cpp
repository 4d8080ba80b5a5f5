// The two screens' catalogues as the operator reads them: every line exactly
// as designed (blanks included, in order), found by its exact key. The
// designed lines are kept once, in data/*.txt, one "KEY|text" line each.

#include "framework/services/Messages.h"
#include "ore/ore00800/model/FechaOrcaMessages.h"
#include "ore/ore00800/model/FiltroMessages.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList DesignedLines(const char* name) {
    QFile f(QString::fromUtf8(ORE00800_TEST_DATA) + u'/' + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot read " << f.fileName().toStdString();
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(MessageCatalogues, HoldEveryDesignedLineInOrder) {
    const struct {
        const char* file;
        QStringList lines;
    } catalogues[] = {{"closing-messages.txt", FechaOrcaMessageLines()},
                      {"filter-messages.txt", FiltroMessageLines()}};
    for (const auto& c : catalogues) {
        const QStringList designed = DesignedLines(c.file);
        ASSERT_FALSE(designed.isEmpty()) << c.file;
        EXPECT_EQ(c.lines.size(), designed.size()) << c.file;
        for (qsizetype i = 0; i < qMin(c.lines.size(), designed.size()); ++i)
            EXPECT_EQ(c.lines[i].toStdString(), designed[i].toStdString())
                << c.file << ", line " << i + 1;
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
