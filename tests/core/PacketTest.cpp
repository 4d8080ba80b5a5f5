#include "core/data/Exceptions.h"
#include "core/data/PacketCodec.h"
#include "tests/core/RecordSetTestUtil.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QByteArray kBlob("a\0b\0\xff", 5);

TRows SampleRows() {
    return {
        {"0000000001", "00", "", 0.1 + 0.2, 45292.5, kBlob, "linha 1\nlinha 2", 7, true},
        {"0000000001", "1", QVariant(), 1e300, 0.0, QByteArray(), QVariant(), QVariant(), false},
        {"0000000002", "00", "Café", -1234.5678, -1.25, QVariant(), "", -9, QVariant()},
    };
}

TEST(DataPacket, RoundTripKeepsEveryValueExactly) {
    TRecordSet src(ItemDefs());
    src.SetData(ServerPacket(ItemDefs(), SampleRows()));
    TRecordSet dst(ItemDefs());
    dst.SetData(src.Data());

    ASSERT_EQ(dst.RecordCount(), 3);
    EXPECT_EQ(dst.ChangeCount(), 0);
    // Null and empty stay apart; the fixed field is padded to its size.
    dst.First();
    EXPECT_FALSE(dst.FieldByName("NMPRODUTO").IsNull());
    EXPECT_EQ(dst.FieldByName("NMPRODUTO").AsString(), "");
    EXPECT_EQ(dst.FieldByName("TXOBS").AsBytes(), kBlob);            // NUL bytes included
    EXPECT_EQ(dst.FieldByName("VRITEMORCEVE").AsFloat(), 0.1 + 0.2); // not 0.3
    EXPECT_EQ(dst.FieldByName("DTEVENTO").AsDateTime(), 45292.5);
    EXPECT_EQ(dst.FieldByName("DSMEMO").AsString(), "linha 1\nlinha 2");
    EXPECT_EQ(dst.FieldByName("QTINT").AsInteger(), 7);
    EXPECT_TRUE(dst.FieldByName("IDBOOL").AsBoolean());
    dst.Next();
    EXPECT_EQ(dst.FieldByName("NRSEQORCAEVE").AsString(), "1 ");
    EXPECT_TRUE(dst.FieldByName("NMPRODUTO").IsNull());
    EXPECT_TRUE(dst.FieldByName("DSMEMO").IsNull());
    EXPECT_FALSE(dst.FieldByName("TXOBS").IsNull());
    EXPECT_TRUE(dst.FieldByName("TXOBS").AsBytes().isEmpty());
    EXPECT_TRUE(dst.FieldByName("QTINT").IsNull());
    EXPECT_EQ(dst.FieldByName("VRITEMORCEVE").AsFloat(), 1e300);
    dst.Next();
    EXPECT_EQ(dst.FieldByName("NMPRODUTO").AsString(), "Café");
    EXPECT_EQ(dst.FieldByName("DTEVENTO").AsDateTime(), -1.25);
    EXPECT_EQ(dst.FieldByName("QTINT").AsInteger(), -9);
    EXPECT_TRUE(dst.FieldByName("IDBOOL").IsNull());
    EXPECT_EQ(VisibleRows(dst), VisibleRows(src));
}

// A server writes rows into the packet as it reads them: the bytes must be
// those of a store holding the same rows, with rows or without.
TEST(DataPacket, RowsWrittenAsReadMakeTheStoredRowsPacket) {
    for (const TRows& rows : {SampleRows(), TRows{}}) {
        const TDataPacket stored = ServerPacket(ItemDefs(), rows);
        TRecordSet held(ItemDefs()); // the values as the store holds them (fixed ones padded)
        held.SetData(stored);
        TPacketWriter out(ItemDefs());
        for (const auto& row : VisibleRows(held)) {
            out.BeginRow();
            for (size_t i = 0; i < row.size(); ++i)
                out.Value(ItemDefs()[i].kind, row[i]);
        }
        EXPECT_EQ(out.Finish().Bytes(), stored.Bytes());
    }
}

TEST(DataPacket, NonFiniteDoublesSurvive) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TRecordSet dst(ItemDefs());
    dst.SetData(ServerPacket(ItemDefs(), {{"1", "00", "", nan}, {"2", "00", "", -inf}}));
    EXPECT_TRUE(std::isnan(dst.FieldByName("VRITEMORCEVE").AsFloat()));
    dst.Next();
    EXPECT_EQ(dst.FieldByName("VRITEMORCEVE").AsFloat(), -inf);
}

TEST(DataPacket, PendingChangesSurviveTakeAndLoad) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), SampleRows()));
    rs.First(); // edit the first row
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("Novo");
    rs.Post();
    rs.Next(); // delete the second
    rs.Delete();
    rs.Append(); // insert a fourth
    rs.FieldByName("NRORCAEVENTO").SetAsString("0000000009");
    rs.Post();
    ASSERT_EQ(rs.ChangeCount(), 3);

    TRecordSet back(ItemDefs());
    back.SetData(rs.Data());
    EXPECT_EQ(back.ChangeCount(), 3);
    ASSERT_EQ(back.RecordCount(), 3); // the deleted row is held, not shown
    back.First();
    EXPECT_EQ(back.UpdateStatus(), TUpdateStatus::Modified);
    EXPECT_EQ(back.FieldByName("NMPRODUTO").AsString(), "Novo");
    back.Next();
    EXPECT_EQ(back.UpdateStatus(), TUpdateStatus::Unmodified);
    EXPECT_EQ(back.FieldByName("NRORCAEVENTO").AsString(), "0000000002");
    back.Next();
    EXPECT_EQ(back.UpdateStatus(), TUpdateStatus::Inserted);
    EXPECT_EQ(back.FieldByName("NRORCAEVENTO").AsString(), "0000000009");
    // A second trip keeps it all, and the packet is byte for byte the same.
    TRecordSet again(ItemDefs());
    again.SetData(back.Data());
    EXPECT_EQ(again.Data(), back.Data());
    // Merging makes the changes part of the data.
    again.MergeChangeLog();
    EXPECT_EQ(again.ChangeCount(), 0);
    EXPECT_EQ(again.RecordCount(), 3);
}

TEST(DataPacket, InsertedThenDeletedRowLeavesNoTrace) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), SampleRows()));
    rs.Append();
    rs.FieldByName("NRORCAEVENTO").SetAsString("X");
    rs.Post();
    rs.Delete();
    EXPECT_EQ(rs.ChangeCount(), 0);
    TRecordSet back(ItemDefs());
    back.SetData(rs.Data());
    EXPECT_EQ(back.RecordCount(), 3);
    EXPECT_EQ(back.ChangeCount(), 0);
}

TEST(DataPacket, LoadingDiscardsPendingChanges) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), SampleRows()));
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("X");
    rs.Post();
    rs.Append();
    rs.Post();
    ASSERT_EQ(rs.ChangeCount(), 2);
    rs.Last(); // the load must also put the record set back on its first row
    rs.SetData(ServerPacket(ItemDefs(), {{"0000000005", "00", "Y"}}));
    EXPECT_EQ(rs.ChangeCount(), 0);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.RecNo(), 1);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "Y");
    EXPECT_EQ(rs.State(), TDataSetState::Browse);
}

TEST(DataPacket, LoadingWhileEditingDropsTheEdit) {
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), SampleRows()));
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("X");
    rs.SetData(ServerPacket(ItemDefs(), SampleRows()));
    EXPECT_EQ(rs.State(), TDataSetState::Browse);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "");
}

// Every way a packet can be bad must raise a clear error and keep what the record set held.
TEST(DataPacket, BadPacketsAreRefusedAndChangeNothing) {
    const TDataPacket good = ServerPacket(ItemDefs(), SampleRows());
    TRecordSet rs(ItemDefs());
    rs.SetData(good);
    rs.Next();
    rs.Edit();
    rs.FieldByName("NMPRODUTO").SetAsString("Pend");
    rs.Post();
    const TDataPacket before = rs.Data();

    auto expectRefused = [&](const QByteArray& bytes, const char* needle) {
        SCOPED_TRACE(needle);
        try {
            rs.SetData(TDataPacket(bytes));
            ADD_FAILURE() << "accepted a bad packet";
        } catch (const EPacketError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(needle), Qt::CaseInsensitive))
                << e.Message().toStdString();
        }
        EXPECT_EQ(rs.Data(), before);
        EXPECT_EQ(rs.RecNo(), 2);
        EXPECT_EQ(rs.ChangeCount(), 1);
    };

    // Truncated at every length: never accepted, never a crash.
    for (qsizetype n = 0; n < good.Size(); ++n) {
        try {
            rs.SetData(TDataPacket(good.Bytes().left(n)));
            ADD_FAILURE() << "accepted a packet cut at " << n;
        } catch (const EPacketError&) {
        }
    }
    EXPECT_EQ(rs.Data(), before);

    expectRefused(good.Bytes().left(good.Size() - 3), "truncado");
    expectRefused(good.Bytes() + QByteArray("\x01", 1), "a mais");
    expectRefused(QByteArray("not cbor at all"), "inválido");
    expectRefused(QByteArray("\xbf", 1), "comprimento indefinido"); // packets state their lengths

    auto mutated = [&](auto&& change) {
        QCborMap m = QCborValue::fromCbor(good.Bytes()).toMap();
        change(m);
        return m.toCborValue().toCbor();
    };
    expectRefused(mutated([](QCborMap& m) { m[QStringLiteral("version")] = 2; }), "versão 2");
    expectRefused(mutated([](QCborMap& m) { m[QStringLiteral("kind")] = "request"; }),
                  "tipo \"request\"");
    expectRefused(mutated([](QCborMap& m) { m.remove(QStringLiteral("rows")); }), "faltam");
    // A packet for another layout: a field missing, renamed, or of another kind.
    expectRefused(mutated([](QCborMap& m) {
                      QCborArray f = m[QStringLiteral("fields")].toArray();
                      QCborArray d = f[2].toArray();
                      d[0] = "OUTRO";
                      f[2] = d;
                      m[QStringLiteral("fields")] = f;
                  }),
                  "OUTRO");
    expectRefused(mutated([](QCborMap& m) {
                      QCborArray f = m[QStringLiteral("fields")].toArray();
                      QCborArray d = f[3].toArray();
                      d[1] = "string";
                      f[3] = d;
                      m[QStringLiteral("fields")] = f;
                  }),
                  "VRITEMORCEVE");
    // A row with a value of the wrong kind, one value short, or an unknown state.
    auto row = [&](auto&& change) {
        return mutated([&](QCborMap& m) {
            QCborArray rows = m[QStringLiteral("rows")].toArray();
            QCborArray r = rows[1].toArray();
            change(r);
            rows[1] = r;
            m[QStringLiteral("rows")] = rows;
        });
    };
    expectRefused(row([](QCborArray& r) { r[4] = "dez"; }), "tipo errado no campo VRITEMORCEVE");
    expectRefused(row([](QCborArray& r) { r.removeLast(); }), "valores de menos");
    expectRefused(row([](QCborArray& r) { r[0] = 7; }), "estado 7");
    // A text longer than its field.
    expectRefused(row([](QCborArray& r) { r[3] = "123456"; }), "excede 5 caracteres");
}

TEST(DataPacket, StringSizesCountCharactersNotBytes) {
    // "ÇÃÕÉÜ" is five characters and ten UTF-8 bytes: it fits string(5).
    TRecordSet rs(ItemDefs());
    rs.SetData(ServerPacket(ItemDefs(), {{"1", "00", "ÇÃÕÉÜ"}}));
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "ÇÃÕÉÜ");
    rs.Edit();
    EXPECT_THROW(rs.FieldByName("NMPRODUTO").SetAsString("ÇÃÕÉÜa"), EDatabaseError);
    EXPECT_EQ(rs.FieldByName("NMPRODUTO").AsString(), "ÇÃÕÉÜ");
    rs.FieldByName("NMPRODUTO").SetAsString("ÇÃÕÉÜ");
    rs.Post();
}

TEST(DataPacket, RecordSetWithoutDeclaredFieldsTakesThePacketsFields) {
    TRecordSet dynamic;
    dynamic.SetData(ServerPacket(ItemDefs(), SampleRows()));
    ASSERT_EQ(dynamic.FieldCount(), int(ItemDefs().size()));
    EXPECT_EQ(dynamic.Fields(1).Size(), 2);
    EXPECT_TRUE(dynamic.Fields(1).Def().fixed);
    EXPECT_EQ(dynamic.FieldByName("nmproduto").AsString(), ""); // names ignore case
    dynamic.SetData(ServerPacket({StrField("OUTRO", 3)}, {{"abc"}}));
    EXPECT_EQ(dynamic.FieldCount(), 1);
    EXPECT_EQ(dynamic.FieldByName("OUTRO").AsString(), "abc");
}

// A screen's list: several packets loaded at once, the large ones decoded on
// other threads, each record set ending as SetData alone would leave it; one
// bad packet and none of them changes.
TEST(DataPacket, PacketsLoadedTogetherEndAsLoadedOneByOneOrNotAtAll) {
    TRows many;
    for (int i = 0; i < 6000; ++i)
        for (auto row : SampleRows()) {
            row[0] = QString::number(i).rightJustified(10, u'0');
            many.push_back(row);
        }
    const std::vector<TDataPacket> packets = {
        ServerPacket(ItemDefs(), many), ServerPacket(ItemDefs(), SampleRows()),
        ServerPacket({StrField("OUTRO", 3)}, {{"abc"}}), ServerPacket(ItemDefs(), many)};
    ASSERT_GT(packets[0].Size() + packets[3].Size(), 1 << 20); // large enough for threads
    TRecordSet big(ItemDefs()), small(ItemDefs()), dynamic, again(ItemDefs());
    const std::vector<TRecordSet*> sets = {&big, &small, &dynamic, &again};
    TRecordSet::SetDataAll(sets, packets);
    for (size_t i = 0; i < sets.size(); ++i) {
        TRecordSet alone(i == 2 ? TFieldDefs() : ItemDefs());
        alone.SetData(packets[i]);
        EXPECT_EQ(sets[i]->Data(), alone.Data()) << i;
        EXPECT_EQ(sets[i]->RecNo(), 1) << i;
    }
    EXPECT_EQ(dynamic.FieldByName("OUTRO").AsString(), "abc");

    small.Edit();
    small.FieldByName("NMPRODUTO").SetAsString("Pend");
    small.Post();
    std::vector<TDataPacket> before;
    for (const TRecordSet* set : sets)
        before.push_back(set->Data());
    for (const size_t bad : {size_t(0), size_t(3)}) {
        std::vector<TDataPacket> broken = packets;
        broken[bad] = TDataPacket(packets[bad].Bytes().chopped(1));
        EXPECT_THROW(TRecordSet::SetDataAll(sets, broken), EPacketError) << bad;
        for (size_t i = 0; i < sets.size(); ++i)
            EXPECT_EQ(sets[i]->Data(), before[i]) << bad << ' ' << i;
    }
    EXPECT_THROW(TRecordSet::SetDataAll(sets, std::span(packets).first(3)), Exception);
}

TEST(DataPacket, CopyCarriesEveryRowWhateverTheFilter) {
    TRecordSet src(ItemDefs());
    src.SetData(ServerPacket(ItemDefs(), SampleRows()));
    src.Edit();
    src.FieldByName("NMPRODUTO").SetAsString("Ed");
    src.Post();
    src.SetFilter("NRORCAEVENTO = '0000000002'");
    src.SetFiltered(true);
    ASSERT_EQ(src.RecordCount(), 1);

    TRecordSet copy(ItemDefs());
    copy.CopyDataFrom(src);
    EXPECT_EQ(copy.RecordCount(), 3);
    EXPECT_EQ(copy.ChangeCount(), 1);
    TRecordSet taken(ItemDefs());
    taken.SetData(src.Data());
    EXPECT_EQ(taken.RecordCount(), 3);
}

} // namespace
