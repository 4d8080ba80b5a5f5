#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "tests/core/RecordSetTestUtil.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

TRows ThreeRows() {
    return {{"1", "00", "a"}, {"2", "00", "b"}, {"3", "00", "c"}};
}

TEST(RecordSet, MovesAndBoundaries) {
    TRecordSet rs(ItemDefs());
    int scrolls = 0;
    rs.AfterScroll = [&](TDataSet&) { ++scrolls; };
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    EXPECT_EQ(scrolls, 1); // opening is a move
    EXPECT_TRUE(rs.Bof());
    EXPECT_FALSE(rs.Eof());
    rs.Next();
    rs.Next();
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "c");
    EXPECT_FALSE(rs.Eof());
    rs.Next(); // past the end: stays on the last row
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.RecNo(), 3);
    const int before = scrolls;
    rs.Next(); // already at the end: no move, no event
    EXPECT_EQ(scrolls, before);
    rs.Prior();
    EXPECT_EQ(rs.RecNo(), 2);
    rs.SetRecNo(1);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "a");
    EXPECT_THROW(rs.SetRecNo(4), EDatabaseError);
    rs.Last();
    EXPECT_EQ(rs.RecNo(), 3);
    EXPECT_TRUE(rs.Eof());
    // ReadRow reads another row without moving.
    QString other;
    rs.ReadRow(1, [&] { other = rs.FieldByName("NMPRODUTO").AsString(); });
    EXPECT_EQ(other, "a");
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "c");
}

TEST(RecordSet, ClosedAndEmptyRecordSetsCountAsEmpty) {
    TRecordSet rs(ItemDefs());
    EXPECT_TRUE(rs.IsEmpty());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_FALSE(rs.Active());
    EXPECT_TRUE(rs.FieldByName("NMPRODUTO").IsNull());
    EXPECT_THROW(rs.Next(), EDatabaseError);
    EXPECT_THROW(rs.Data(), EDatabaseError);
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    EXPECT_FALSE(rs.IsEmpty());
    rs.Close();
    EXPECT_TRUE(rs.IsEmpty());
    EXPECT_EQ(rs.ChangeCount(), 0);
    rs.SetData(ServerPacket(ItemDefs(), {}));
    EXPECT_TRUE(rs.Active());
    EXPECT_TRUE(rs.IsEmpty());
    EXPECT_TRUE(rs.Eof() && rs.Bof());
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "");
}

TEST(RecordSet, AfterOpenRunsBeforeAfterScroll) {
    TRecordSet rs(ItemDefs());
    QStringList events;
    rs.AfterOpen = [&](TDataSet& ds) { events << "open:" + QString::number(ds.RecNo()); };
    rs.AfterScroll = [&](TDataSet& ds) {
        events << "scroll:" + ds.FieldByName("NMPRODUTO").AsString();
    };
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    EXPECT_EQ(events, QStringList({"open:1", "scroll:a"}));
}

TEST(RecordSet, EditPostCancelAndChangeCount) {
    TRecordSet rs(ItemDefs());
    int posts = 0, cancels = 0;
    rs.AfterPost = [&](TDataSet&) { ++posts; };
    rs.AfterCancel = [&](TDataSet&) { ++cancels; };
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    EXPECT_THROW(rs.FieldByName("NMPRODUTO").SetAsString("x"), EDatabaseError); // not editing
    rs.Edit();
    EXPECT_EQ(rs.State(), TDataSetState::Edit);
    rs.FieldByName("NMPRODUTO").SetAsString("x");
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "x");
    rs.Cancel();
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "a");
    EXPECT_EQ(rs.ChangeCount(), 0);
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("y");
    rs.Post();
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("z");
    rs.Post();
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(rs.ChangeCount(), 1); // one row changed twice is one change
    EXPECT_EQ(rs.UpdateStatus(), TUpdateStatus::Modified);
    // Moving while editing posts the edit, as a desktop data set does.
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("w");
    rs.Next();
    EXPECT_EQ(rs.State(), TDataSetState::Browse);
    EXPECT_EQ(rs.ChangeCount(), 1);
    rs.Prior();
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "w");
    // Insert places the row before the current one; Clear gives a null.
    rs.Insert();
    rs.FieldByName("NMPRODUTO").SetAsString("new");
    rs.FieldByName("NRORCAEVENTO").Clear();
    rs.Post();
    EXPECT_EQ(rs.RecNo(), 1);
    EXPECT_TRUE(rs.FieldByName("NRORCAEVENTO").IsNull());
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.ChangeCount(), 2);
}

TEST(RecordSet, EditOnAnEmptyRecordSetInserts) {
    TRecordSet rs(ItemDefs());
    rs.CreateDataSet();
    rs.Edit();
    EXPECT_EQ(rs.State(), TDataSetState::Insert);
    rs.FieldByName("NRSEQORCAEVE").SetAsString("1");
    rs.Post();
    EXPECT_EQ(rs.FieldByName("NRSEQORCAEVE").AsString(), "1 "); // fixed: padded
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST(RecordSet, ExceptionsFromEventsReachTheCallerAndLeaveItConsistent) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    rs.AfterPost = [](TDataSet&) { throw Exception("depois de gravar"); };
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("p");
    EXPECT_THROW(rs.Post(), Exception);
    // The row was posted before the event failed: it stays posted and counted.
    EXPECT_EQ(rs.State(), TDataSetState::Browse);
    EXPECT_EQ(rs.ChangeCount(), 1);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "p");

    rs.AfterScroll = [](TDataSet& ds) {
        if (ds.RecNo() == 2)
            throw Exception("rolagem");
    };
    EXPECT_THROW(rs.Next(), Exception);
    EXPECT_EQ(rs.RecNo(), 2); // the move happened
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "b");

    rs.AfterScroll = nullptr;
    rs.AfterOpen = [](TDataSet&) { throw Exception("abertura"); };
    EXPECT_THROW(rs.SetData(ServerPacket(ItemDefs(), {{"9", "00", "n"}})), Exception);
    EXPECT_TRUE(rs.Active()); // loaded before the event failed
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "n");

    rs.AfterOpen = nullptr;
    rs.OnCalcFields = [](TDataSet&) { throw Exception("cálculo"); };
    TRecordSet calc({StrField("A", 3), StrField("B", 3).Calculated()});
    calc.OnCalcFields = [](TDataSet&) { throw Exception("cálculo"); };
    Fill(calc, {{"x"}});
    EXPECT_THROW(calc.FieldByName("B").AsString(), Exception);
    EXPECT_EQ(calc.State(), TDataSetState::Browse); // not left in the calculation state
    EXPECT_EQ(calc.FieldByName("A").AsString(), "x");
}

TEST(RecordSet, CalculatedFieldsAreComputedForTheRowRead) {
    TRecordSet rs({StrField("A", 3), StrField("B", 6).Calculated(), StrField("C", 9).Calculated()});
    int runs = 0;
    rs.OnCalcFields = [&](TDataSet& ds) {
        ++runs;
        ds.FieldByName("B").SetAsString(ds.FieldByName("A").AsString() + "!");
        ds.FieldByName("C").SetAsString(ds.FieldByName("B").AsString() + "?"); // reads step one
    };
    Fill(rs, {{"x"}, {"y"}});
    rs.First();
    EXPECT_EQ(rs.FieldByName("C").AsString(), "x!?");
    rs.ReadRow(2, [&] { EXPECT_EQ(rs.FieldByName("B").AsString(), "y!"); });
    EXPECT_EQ(rs.FieldByName("B").AsString(), "x!");
    rs.Edit();
    rs.FieldByName("A").SetAsString("z");
    EXPECT_EQ(rs.FieldByName("B").AsString(), "z!"); // recomputed from the edit
    rs.Cancel();
    EXPECT_EQ(rs.FieldByName("B").AsString(), "x!");
    EXPECT_THROW(rs.FieldByName("B").SetAsString("no"), EDatabaseError); // outside the calculation
    const int before = runs;
    rs.FieldByName("B").AsString();
    rs.FieldByName("C").AsString();
    EXPECT_EQ(runs, before); // once per row read, not per field
}

TEST(DataSource, ReportsStateAndDataChanges) {
    TRecordSet rs(ItemDefs());
    TDataSource ds;
    QStringList seen;
    ds.OnStateChange = [&](TDataSource& s) { seen << QString("state:%1").arg(int(s.State())); };
    ds.OnDataChange = [&](TDataSource&, const TField* f) { seen << (f ? f->FieldName() : "row"); };
    ds.SetDataSet(&rs);
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("q");
    rs.Post();
    EXPECT_EQ(seen, QStringList({"state:1", "row", "state:2", "NMPRODUTO", "state:1", "row"}));
    // A handler that throws stops the operation's caller, not the record set.
    ds.OnStateChange = [](TDataSource&) { throw Exception("estado"); };
    EXPECT_THROW(rs.Edit(), Exception);
    EXPECT_EQ(rs.State(), TDataSetState::Edit);
    ds.OnStateChange = nullptr;
    rs.Cancel();
    // A data set that goes away detaches its sources.
    {
        TRecordSet temp(ItemDefs());
        ds.SetDataSet(&temp);
    }
    EXPECT_EQ(ds.DataSet(), nullptr);
}

TEST(RecordSet, DisabledControlsHearOfAChangeOnceItEnds) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), ThreeRows()));
    TDataSource ds;
    QList<int> rowsSeen;
    ds.OnDataChange = [&](TDataSource&, const TField*) { rowsSeen << rs.RecordCount(); };
    ds.SetDataSet(&rs);
    {
        TControlsDisabled outer(rs);
        {
            TControlsDisabled inner(rs);
            rs.SetFiltered(false);
            rs.SetFilter(QStringLiteral("NRSEQORCAEVE = '01'"));
            rs.SetFiltered(true);
        }
        EXPECT_TRUE(rowsSeen.isEmpty()); // the outer scope still holds them
    }
    EXPECT_EQ(rowsSeen, QList<int>({rs.RecordCount()}));
    // Nothing changed meanwhile: nothing to tell.
    { TControlsDisabled quiet(rs); }
    EXPECT_EQ(rowsSeen.size(), 1);
}

TEST(Field, DisplayTextUsesHandlerThenFormatThenMask) {
    TRecordSet rs({FloatField("VR").Format("#,##0.00"),
                   FloatField("PC").Format("#0.00 %").EditFormat("#0.00"),
                   StrField("HR", 4).Mask("!00:00;0; "), StrField("TX", 5)});
    Fill(rs, {{1234.5, 12.5, "1430", "abc"}});
    EXPECT_EQ(rs.FieldByName("VR").DisplayText(), "1.234,50");
    EXPECT_EQ(rs.FieldByName("VR").Text(), "1.234,50");
    EXPECT_EQ(rs.FieldByName("PC").DisplayText(), "12,50 %");
    EXPECT_EQ(rs.FieldByName("PC").Text(), "12,50");
    EXPECT_EQ(rs.FieldByName("HR").DisplayText(), "14:30");
    EXPECT_EQ(rs.FieldByName("HR").AsString(), "1430");
    rs.FieldByName("TX").OnGetText = [](const TField& f, QString& text, bool display) {
        text = display ? f.AsString().toUpper() : f.AsString();
    };
    EXPECT_EQ(rs.FieldByName("TX").DisplayText(), "ABC");
    EXPECT_EQ(rs.FieldByName("TX").Text(), "abc");
    EXPECT_EQ(rs.FieldByName("VR").DisplayLabel(), "VR");
    // Numbers typed as text follow the operator's separators.
    rs.Edit();
    rs.FieldByName("VR").SetAsString("2.345,75");
    EXPECT_EQ(rs.FieldByName("VR").AsFloat(), 2345.75);
    EXPECT_THROW(rs.FieldByName("VR").SetAsString("doze"), EDatabaseError);
    rs.Cancel();
}

} // namespace
