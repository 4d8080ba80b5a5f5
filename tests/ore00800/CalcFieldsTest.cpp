#include "tests/ore00800/support/PacketBuilder.h"

#include "core/layouts/OrcaLayouts.h"
#include "ore/ore00800/model/FechaOrcaData.h"

#include <gtest/gtest.h>

#include <QObject>

namespace {

class OrcaEventoCalc : public ::testing::Test {
protected:
    QObject screen;
    TFechaOrcaData data{&screen};

    TRecordSet& Load(const std::vector<TPacketRow>& rows) {
        data.cdsOrcaEvento->SetData(MakePacket(LayoutOrcaEvento(), rows));
        return *data.cdsOrcaEvento;
    }
    QString Cliente() const { return data.cdsOrcaEvento->FieldByName("DSCLIENTEORCA").AsString(); }
    QString Caption() const { return data.cdsOrcaEvento->FieldByName("DSORCAEVEN").AsString(); }
};

TPacketRow Budget(const QString& nr, const QVariant& idSit, const QString& fant,
                  const QString& novo) {
    return {{"CDFILIAL", "0001"},    {"NRORCAEVENTO", nr}, {"NRSEQORCAEVE", "00"},
            {"IDSITCLIOREV", idSit}, {"NMFANTCLIE", fant}, {"NMCLIEORCEVE", novo}};
}

TEST_F(OrcaEventoCalc, RegisteredClientShowsTradeName) {
    Load({Budget("0000001234", "C", "Buffet Alegria", "Maria da Silva")});
    EXPECT_EQ(Cliente(), "Buffet Alegria");
    EXPECT_EQ(Caption(), "0000001234 - Buffet Alegria");
}

TEST_F(OrcaEventoCalc, AnyOtherSituationShowsNewClientEvenWithTradeName) {
    // Only an exact "C" means registered: lower case, blank and null do not.
    const QVariant situations[] = {QString(""), QString("N"), QString("c"), QString(" "),
                                   QVariant()};
    for (const QVariant& idSit : situations) {
        SCOPED_TRACE(idSit.toString().toStdString());
        Load({Budget("0000000042", idSit, "Buffet Alegria", "João Pereira")});
        EXPECT_EQ(Cliente(), "João Pereira");
        EXPECT_EQ(Caption(), "0000000042 - João Pereira");
    }
}

TEST_F(OrcaEventoCalc, CaptionOfBudgetWithoutClientEndsWithHyphen) {
    Load({Budget("0000000007", "C", "", "Ignorado"), Budget("0000000008", "N", "Ignorado", "")});
    EXPECT_EQ(Cliente(), "");
    EXPECT_EQ(Caption(), "0000000007 - ");
    data.cdsOrcaEvento->Next();
    EXPECT_EQ(Caption(), "0000000008 - ");
}

TEST_F(OrcaEventoCalc, CaptionIsCutTo60Characters) {
    const QString name = QString("Ç").repeated(50); // the longest client name there is
    Load({Budget("0000001234", "N", "", name)});
    EXPECT_EQ(Cliente(), name);
    EXPECT_EQ(Caption(), QString("0000001234 - " + name).left(60));
    EXPECT_EQ(Caption().size(), 60);
}

TEST_F(OrcaEventoCalc, CaptionCutNeverSplitsACharacter) {
    // Characters outside the basic plane take two UTF-16 units; the cut counts
    // characters, as the field does, and must not leave half of one behind.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // U+1D11E
    Load({Budget("0000001234", "N", "", clef.repeated(50))});
    const QString caption = Caption();
    EXPECT_EQ(caption, "0000001234 - " + clef.repeated(47));
    EXPECT_FALSE(caption.back().isHighSurrogate());
}

TEST_F(OrcaEventoCalc, EachRowComputesItsOwnValues) {
    TRecordSet& cds = Load(
        {Budget("0000000001", "C", "Salão Azul", "x"), Budget("0000000002", "N", "y", "Ana Lima")});
    QStringList captions;
    for (cds.First(); !cds.Eof(); cds.Next())
        captions << Caption();
    EXPECT_EQ(captions, QStringList({"0000000001 - Salão Azul", "0000000002 - Ana Lima"}));

    // Reading another row without moving (as a grid does) computes that row.
    cds.First();
    cds.ReadRow(2, [&] { EXPECT_EQ(Cliente(), "Ana Lima"); });
    EXPECT_EQ(Cliente(), "Salão Azul");
}

TEST_F(OrcaEventoCalc, HandlerKeepsWorkingAfterReload) {
    Load({Budget("0000000001", "C", "Primeiro", "")});
    Load({Budget("0000000002", "C", "Segundo", "")});
    EXPECT_EQ(Caption(), "0000000002 - Segundo");
}

class ItemTotalCalc : public ::testing::Test {
protected:
    QObject screen;
    TFechaOrcaData data{&screen};

    double Total(const QVariant& qt, const QVariant& vr, const QVariant& desc,
                 const QVariant& acre) {
        data.cdsItemOrcaEven->SetData(
            MakePacket(LayoutItemOrcaEven(), {{{"NRORCAEVENTO", "0000000001"},
                                               {"QTITEMORCEVE", qt},
                                               {"VRITEMORCEVE", vr},
                                               {"VRDESCITOREV", desc},
                                               {"VRACREITOREV", acre}}}));
        return data.cdsItemOrcaEven->FieldByName("VRTOTALITEM").AsFloat();
    }
};

TEST_F(ItemTotalCalc, QuantityTimesPriceLessDiscountPlusAddition) {
    EXPECT_EQ(Total(2.0, 10.50, 1.0, 0.25), 20.25);
    // Not rounded: only the display format shows two decimals.
    EXPECT_DOUBLE_EQ(Total(3.0, 0.333, 0.0, 0.0), 0.999);
}

TEST_F(ItemTotalCalc, EmptyNumbersCountAsZero) {
    const QVariant null;
    EXPECT_EQ(Total(3.0, 4.0, null, null), 12.0);
    EXPECT_EQ(Total(null, 4.0, 1.5, null), -1.5);
    EXPECT_EQ(Total(null, null, null, 0.75), 0.75);
    EXPECT_EQ(Total(null, null, null, null), 0.0);
    EXPECT_FALSE(data.cdsItemOrcaEven->FieldByName("VRTOTALITEM").IsNull());
}

} // namespace
