#include "tests/ore00800/support/PacketBuilder.h"

#include "core/layouts/OrcaLayouts.h"
#include "ore/ore00800/model/BudgetFilter.h"
#include "ore/ore00800/model/FechaOrcaData.h"

#include <gtest/gtest.h>

#include <QObject>

namespace {

// Budget 1234 has a parent ("00") and a child ("01"); 5678 shares the child's sequence.
const std::vector<std::pair<QString, QString>> Keys = {
    {"0000001234", "00"}, {"0000001234", "00"}, {"0000001234", "01"},
    {"0000005678", "01"}, {"0000005678", "00"},
};

std::vector<TPacketRow> DetailRows() {
    std::vector<TPacketRow> rows;
    for (const auto& [nr, seq] : Keys)
        rows.push_back({{"CDFILIAL", "0001"}, {"NRORCAEVENTO", nr}, {"NRSEQORCAEVE", seq}});
    return rows;
}

// The keys of the visible rows, in order.
QStringList VisibleKeys(TDataSet& ds) {
    QStringList keys;
    for (ds.First(); !ds.Eof(); ds.Next())
        keys << ds.FieldByName("NRORCAEVENTO").AsString() + "/" +
                    ds.FieldByName("NRSEQORCAEVE").AsString();
    return keys;
}

class CurrentBudgetFilterTest : public ::testing::Test {
protected:
    QObject screen;
    TFechaOrcaData data{&screen};
};

TEST_F(CurrentBudgetFilterTest, TextIsWhatTheDetailSetsExpect) {
    EXPECT_EQ(CurrentBudgetFilter("0000001234", "01"),
              "NRORCAEVENTO = '0000001234' AND NRSEQORCAEVE = '01'");
    EXPECT_EQ(ExtraLabourFilter("0000001234", "01"),
              "NRORCAEVENTO = '0000001234' AND NRSEQORCAEVE = '01' AND IDMOBRAEXTRA = 'S'");
}

TEST_F(CurrentBudgetFilterTest, SelectsOnlyTheGivenSequenceInEveryDetailSet) {
    // Every record set the screen narrows to the current budget must carry both key
    // fields; a set without one would refuse the filter.
    const char* detailSets[] = {"cdsItemOrcaEven", "cdsTotalOrca", "cdsItMaoObra",
                                "cdsObsExtOrcaEv", "cdsObsIntOrcaEv"};
    for (const char* name : detailSets) {
        SCOPED_TRACE(name);
        TRecordSet& cds = *data.RecordSet(QLatin1StringView(name));
        cds.SetData(MakePacket(cds.FieldDefs(), DetailRows()));

        ApplyFilter(cds, CurrentBudgetFilter("0000001234", "01"));
        EXPECT_EQ(VisibleKeys(cds), QStringList({"0000001234/01"}));

        ApplyFilter(cds, CurrentBudgetFilter("0000001234", "00"));
        EXPECT_EQ(VisibleKeys(cds), QStringList({"0000001234/00", "0000001234/00"}));

        ApplyFilter(cds, CurrentBudgetFilter("0000009999", "00"));
        EXPECT_TRUE(cds.IsEmpty());
    }
}

TEST_F(CurrentBudgetFilterTest, BuiltFromTheCurrentRowOfTheList) {
    data.cdsOrcaEvento->SetData(
        MakePacket(LayoutOrcaEvento(), {{{"NRORCAEVENTO", "0000001234"}, {"NRSEQORCAEVE", "00"}},
                                        {{"NRORCAEVENTO", "0000005678"}, {"NRSEQORCAEVE", "01"}}}));
    data.cdsItemOrcaEven->SetData(MakePacket(LayoutItemOrcaEven(), DetailRows()));

    data.cdsOrcaEvento->Last();
    ApplyFilter(*data.cdsItemOrcaEven, CurrentBudgetFilter(*data.cdsOrcaEvento));
    EXPECT_EQ(VisibleKeys(*data.cdsItemOrcaEven), QStringList({"0000005678/01"}));
}

TEST_F(CurrentBudgetFilterTest, ExtraLabourOfTheCurrentBudgetOnly) {
    std::vector<TPacketRow> rows;
    auto add = [&](const QString& nr, const QString& seq, const QVariant& extra,
                   const QString& turno) {
        rows.push_back({{"NRORCAEVENTO", nr},
                        {"NRSEQORCAEVE", seq},
                        {"IDMOBRAEXTRA", extra},
                        {"NRTURNO", turno}});
    };
    add("0000001234", "00", "S", "01");
    add("0000001234", "00", "N", "02");
    add("0000001234", "00", "s", "03"); // comparison is exact: lower case is not extra
    add("0000001234", "00", QVariant(), "04");
    add("0000001234", "01", "S", "05");
    add("0000004321", "00", "S", "06");
    add("0000001234", "00", "S", "07");

    // The closing works on a copy of the labour lines.
    data.cdsItMaoObra->SetData(MakePacket(LayoutItMaoObra(), rows));
    data.cdsItMaoObraAux->CopyDataFrom(*data.cdsItMaoObra);
    TRecordSet& aux = *data.cdsItMaoObraAux;
    ApplyFilter(aux, ExtraLabourFilter("0000001234", "00"));

    QStringList turnos;
    for (aux.First(); !aux.Eof(); aux.Next())
        turnos << aux.FieldByName("NRTURNO").AsString();
    EXPECT_EQ(turnos, QStringList({"01", "07"}));
    EXPECT_EQ(data.cdsItMaoObra->RecordCount(), 7); // the copy's filter is its own
}

TEST_F(CurrentBudgetFilterTest, QuoteInAValueCannotBreakTheExpression) {
    EXPECT_EQ(FilterLiteral("O'Brien"), "'O''Brien'");
    EXPECT_EQ(FilterLiteral(""), "''");

    TRecordSet& cds = *data.cdsObsExtOrcaEv;
    cds.SetData(
        MakePacket(LayoutObsExtOrcaEv(), {{{"NRORCAEVENTO", "12'34"}, {"NRSEQORCAEVE", "00"}},
                                          {{"NRORCAEVENTO", "1234"}, {"NRSEQORCAEVE", "00"}},
                                          {{"NRORCAEVENTO", "x"}, {"NRSEQORCAEVE", "00"}}}));
    ApplyFilter(cds, CurrentBudgetFilter("12'34", "00"));
    EXPECT_EQ(VisibleKeys(cds), QStringList({"12'34/00"}));

    // A value written to smuggle in a condition of its own is just a value
    // that no row holds.
    ApplyFilter(cds, CurrentBudgetFilter("x' AND NRSEQORCAEVE = '00", "00"));
    EXPECT_TRUE(cds.IsEmpty());
}

} // namespace
