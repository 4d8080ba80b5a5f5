// The budget the processing screen opens (ORE06400.rdmProcOrca GetOrcaProc),
// called through the registry on the demo database of each engine.

#include "tests/srv/RowsAsText.h"
#include "tests/srv/ServerTestUtil.h"

#include "core/data/Field.h"
#include "core/data/RecordSet.h"
#include "core/layouts/OrcaLayouts.h"
#include "core/wire/WireVariant.h"

#include <map>
#include <vector>

namespace {

const QString kProc = QStringLiteral("ORE06400.rdmProcOrca");
const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");

using TRow = TTextRow;

// Every row of a packet loaded into `layout`, as text.
std::vector<TRow> Rows(const QVariant& packet, const TFieldDefs& layout) {
    TRecordSet rs(layout);
    rs.SetData(packet.value<TDataPacket>());
    return ::Rows(rs);
}

std::vector<TRow> OfBudget(const std::vector<TRow>& rows, const QString& number,
                           const QString& seq) {
    std::vector<TRow> out;
    for (const TRow& r : rows)
        if (r.at("NRORCAEVENTO") == number && r.at("NRSEQORCAEVE") == seq)
            out.push_back(r);
    return out;
}

class ProcOrcaTest : public SeededModulesTest {
protected:
    QVariant Ok(const QString& server, const QString& method, const QVariantList& args) {
        const TServerReply r = Call(server, method, args);
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.payload;
    }
    QString Refusal(const QVariantList& args) {
        const TServerReply r = Call(kProc, "GetOrcaProc", args);
        EXPECT_FALSE(r.ok) << "GetOrcaProc was accepted";
        return r.message;
    }
    // The closing list of one budget number, every situation: the same
    // budget as the closing screen reads it.
    QVariantList List(const QString& number) {
        const QVariant noDate = QVariant::fromValue(TOleDateTime{0});
        const QVariantList args = {"0001", number,     number, noDate, noDate, noDate,
                                   noDate, "",         "",     "",     "",     "",
                                   "",     "12345678", "",     "",     ""};
        return Ok(kFecha, "GetOrcaEvento", args).toList();
    }
};

// One budget, read whole: the header, its totals, items, halls and labour,
// exactly as the closing screen's list and detail calls show that budget and
// nothing of its parent, children or neighbours.
TEST_P(ProcOrcaTest, ABudgetComesWholeAndAsTheClosingScreenShowsIt) {
    struct Case {
        const char* number;
        const char* seq;
        const char* situation;
        const char* title;
        size_t halls;
        bool labour;
    };
    const Case cases[] = {
        {"0000001001", "00", "2", "Casamento Mariana & Rafael", 2, true},
        {"0000001001", "01", "2", "Casamento Mariana & Rafael - ilha de doces", 0, false},
        {"0000001002", "00", "3", "Confraternização Banco Aurora 2026", 1, true}, // closed
        {"0000001005", "00", "2", "Aniversário de 40 anos da Marina", 1, true},
    };
    for (const Case& c : cases) {
        const QString number = QString::fromLatin1(c.number), seq = QString::fromLatin1(c.seq);
        SCOPED_TRACE((number + u'-' + seq).toStdString());
        const QVariantList key = {"0001", number, seq};
        const QVariantList got = Ok(kProc, "GetOrcaProc", key).toList();
        ASSERT_EQ(got.size(), 5);
        const QVariantList list = List(number);
        ASSERT_EQ(list.size(), 6);

        const auto header = Rows(got[0], LayoutOrcaEvento());
        ASSERT_EQ(header.size(), 1u);
        EXPECT_EQ(header, OfBudget(Rows(list[0], LayoutOrcaEvento()), number, seq));
        EXPECT_EQ(header[0].at("IDSITUORCEVE"), QString::fromLatin1(c.situation));
        EXPECT_EQ(header[0].at("DSTITUORCEVE"), QString::fromUtf8(c.title));
        EXPECT_GT(header[0].at("DTEVENTO").toDouble(), 0);
        EXPECT_GT(header[0].at("DTVALIORCEVE").toDouble(), 0);
        EXPECT_FALSE(header[0].at("NMFANVEN").isEmpty());

        const auto totals = Rows(got[1], LayoutTotalOrca());
        ASSERT_EQ(totals.size(), 1u);
        EXPECT_EQ(totals, Rows(Ok(kFecha, "GetGeral", key), LayoutTotalOrca()));
        EXPECT_NEAR(totals[0].at("TOTALIQUIDO").toDouble(), header[0].at("VRTOTALOREV").toDouble(),
                    0.005);

        const auto items = Rows(got[2], LayoutItemOrcaEven());
        EXPECT_FALSE(items.empty());
        EXPECT_EQ(items, OfBudget(Rows(list[1], LayoutItemOrcaEven()), number, seq));

        const auto halls = Rows(got[3], LayoutSalaoEven());
        EXPECT_EQ(halls.size(), c.halls);
        EXPECT_EQ(halls, Rows(Ok(kFecha, "GetSalaoEven", key), LayoutSalaoEven()));

        const auto labour = Rows(got[4], LayoutItMaoObra());
        EXPECT_EQ(!labour.empty(), c.labour);
        EXPECT_EQ(labour, OfBudget(Rows(list[3], LayoutItMaoObra()), number, seq));
    }

    // Customer, new customer and seller come with their names.
    const auto wedding =
        Rows(Ok(kProc, "GetOrcaProc", {"0001", "0000001001", "00"}).toList().value(0),
             LayoutOrcaEvento());
    ASSERT_EQ(wedding.size(), 1u);
    EXPECT_EQ(wedding[0].at("NMFANVEN"), "Ana Ribeiro");
    EXPECT_EQ(wedding[0].at("IDSITCLIOREV"), "C");
    EXPECT_FALSE(wedding[0].at("NMFANTCLIE").isEmpty());
    const auto newcomer =
        Rows(Ok(kProc, "GetOrcaProc", {"0001", "0000001005", "00"}).toList().value(0),
             LayoutOrcaEvento());
    ASSERT_EQ(newcomer.size(), 1u);
    EXPECT_EQ(newcomer[0].at("IDSITCLIOREV"), "N");
    EXPECT_EQ(newcomer[0].at("NMCLIEORCEVE"), "Marina Albuquerque Nogueira");
}

TEST_P(ProcOrcaTest, UnknownBudgetsAndMalformedCallsAreRefused) {
    const struct {
        QVariantList args;
        QString message;
    } cases[] = {
        {{"0001", "0000009999", "00"},
         "O orçamento 0000009999-00 da filial 0001 não foi encontrado."},
        // 1006 has no child; 1001 is not a budget of branch 0002.
        {{"0001", "0000001006", "01"},
         "O orçamento 0000001006-01 da filial 0001 não foi encontrado."},
        {{"0002", "0000001001", "00"},
         "O orçamento 0000001001-00 da filial 0002 não foi encontrado."},
        {{"0001", "' OR '1'='1", "00"},
         "O orçamento ' OR '1'='1-00 da filial 0001 não foi encontrado."},
        {{"0001", "0000001001"},
         "Chamada inválida de ORE06400.rdmProcOrca.GetOrcaProc. A chamada espera 3 argumentos, "
         "mas recebeu 2."},
        {{"0001", "0000001001", "00", "MARIA"},
         "Chamada inválida de ORE06400.rdmProcOrca.GetOrcaProc. A chamada espera 3 argumentos, "
         "mas recebeu 4."},
        {{"0001", qint64(1001), "00"},
         "Chamada inválida de ORE06400.rdmProcOrca.GetOrcaProc. O argumento 2 (NRORCAEVENTO) "
         "deve ser um texto, mas veio um inteiro."},
        {{"0001", "0000001001", QVariant()},
         "Chamada inválida de ORE06400.rdmProcOrca.GetOrcaProc. O argumento 3 (NRSEQORCAEVE) "
         "deve ser um texto, mas veio nulo."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        EXPECT_EQ(Refusal(c.args).toStdString(), c.message.toStdString());
    }
}

ORE_INSTANTIATE_ENGINES(ProcOrcaTest);

} // namespace
