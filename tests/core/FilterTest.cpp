#include "core/data/Exceptions.h"
#include "tests/core/RecordSetTestUtil.h"

#include <gtest/gtest.h>

namespace {

TRows Budgets() {
    return {{"0000000001", "00", "p1"}, {"0000000001", "01", "c1"}, {"0000000001", "00", "p2"},
            {"0000000002", "00", "x"},  {"0000000001", "01", "c2"}, {"0000000003", "00", "Ab "}};
}

QStringList Products(TRecordSet& rs) {
    QStringList out;
    for (int r = 1; r <= rs.RecordCount(); ++r)
        rs.ReadRow(r, [&] { out << rs.FieldByName("NMPRODUTO").AsString(); });
    return out;
}

TEST(Filter, SelectsOnlyTheRowsOfTheGivenSequence) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), Budgets()));
    rs.SetFilter("NRORCAEVENTO = '0000000001' AND NRSEQORCAEVE = '01'");
    rs.SetFiltered(true);
    EXPECT_EQ(Products(rs), QStringList({"c1", "c2"}));
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.RecNo(), 1);
    rs.SetFilter("NRORCAEVENTO = '0000000001' AND NRSEQORCAEVE = '00'");
    EXPECT_EQ(Products(rs), QStringList({"p1", "p2"}));
    rs.SetFiltered(false);
    EXPECT_EQ(rs.RecordCount(), 6);
    rs.SetFiltered(true);
    EXPECT_EQ(rs.RecordCount(), 2);
    rs.SetFilter("NRORCAEVENTO = '0000000009'");
    EXPECT_TRUE(rs.IsEmpty());
    EXPECT_TRUE(rs.FieldByName("NMPRODUTO").IsNull());
}

TEST(Filter, ComparesExactText) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), Budgets()));
    rs.SetFiltered(true);
    auto count = [&](const QString& f) {
        rs.SetFilter(f);
        return rs.RecordCount();
    };
    EXPECT_EQ(count("NMPRODUTO = 'Ab '"), 1);
    EXPECT_EQ(count("NMPRODUTO = 'ab '"), 0); // no case folding
    EXPECT_EQ(count("NMPRODUTO = 'Ab'"), 0);  // no trimming
    EXPECT_EQ(count("NRORCAEVENTO = '1'"), 0);
    EXPECT_EQ(count("nrorcaevento = '0000000002'"), 1); // field names ignore case
    EXPECT_EQ(count("NRORCAEVENTO='0000000002'  and  NMPRODUTO = 'x'"), 1);
    EXPECT_EQ(count(""), 6); // no condition: every row
}

TEST(Filter, StaysInForceAcrossALoadAndFollowsEdits) {
    TRecordSet rs(ItemDefs());
    rs.SetFilter("NRORCAEVENTO = '0000000001' AND NRSEQORCAEVE = '01'");
    rs.SetFiltered(true); // set while closed, as the screen does before a retrieval
    rs.SetData(ServerPacket(ItemDefs(), Budgets()));
    EXPECT_EQ(Products(rs), QStringList({"c1", "c2"}));
    rs.SetData(ServerPacket(ItemDefs(), {{"0000000001", "01", "new"}, {"0000000001", "00", "no"}}));
    EXPECT_EQ(Products(rs), QStringList({"new"}));
    // An edit that takes a row out of the filter takes it out of view.
    rs.Edit();
    rs.FieldByName("NRSEQORCAEVE").SetAsString("02");
    rs.Post();
    EXPECT_TRUE(rs.IsEmpty());
    rs.SetFilter("NRORCAEVENTO = '0000000001' AND NRSEQORCAEVE = '02'");
    EXPECT_EQ(Products(rs), QStringList({"new"}));
    // Appended rows that match show up.
    rs.Append();
    rs.FieldByName("NRORCAEVENTO").SetAsString("0000000001");
    rs.FieldByName("NRSEQORCAEVE").SetAsString("02");
    rs.FieldByName("NMPRODUTO").SetAsString("app");
    rs.Post();
    EXPECT_EQ(Products(rs), QStringList({"new", "app"}));
}

TEST(Filter, QuotesInValuesAndBadExpressions) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), {{"1", "00", "O'B"}, {"2", "00", "OB"}}));
    rs.SetFilter("NMPRODUTO = 'O''B'");
    rs.SetFiltered(true);
    EXPECT_EQ(Products(rs), QStringList({"O'B"}));

    for (const QString bad :
         {"NMPRODUTO LIKE 'O%'", "NMPRODUTO = 'x' OR NRORCAEVENTO = '1'", "NMPRODUTO = x",
          "NMPRODUTO = 'x", "NMPRODUTO = 'x' AND", "NMPRODUTO <> 'x'", "NOSUCH = 'x'"}) {
        try {
            rs.SetFilter(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(e.Message().contains("\"" + bad + "\"")) << e.Message().toStdString();
        }
        EXPECT_EQ(rs.Filter(), "NMPRODUTO = 'O''B'"); // the old filter stays
        EXPECT_EQ(rs.RecordCount(), 1);
    }
}

} // namespace
