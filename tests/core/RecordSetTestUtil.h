#pragma once

#include "core/data/RecordSet.h"

#include <QVariant>

#include <initializer_list>
#include <vector>

using TRows = std::vector<std::vector<QVariant>>;

// A small budget-detail layout used across the record-set tests.
inline TFieldDefs ItemDefs() {
    return {StrField("NRORCAEVENTO", 10), StrField("NRSEQORCAEVE", 2).Fixed(),
            StrField("NMPRODUTO", 5),     FloatField("VRITEMORCEVE"),
            DateField("DTEVENTO"),        BlobField("TXOBS"),
            MemoField("DSMEMO"),          IntField("QTINT"),
            BoolField("IDBOOL")};
}

// Opens `rs` empty and appends one row per list of values (in field order).
inline void Fill(TRecordSet& rs, const TRows& rows) {
    rs.CreateDataSet();
    for (const auto& row : rows) {
        rs.Append();
        for (size_t i = 0; i < row.size(); ++i)
            rs.Fields(int(i)).SetValue(row[i]);
        rs.Post();
    }
}

// A packet whose rows are all unchanged, as a server sends it.
inline TDataPacket ServerPacket(const TFieldDefs& defs, const TRows& rows) {
    TRecordSet rs(defs);
    Fill(rs, rows);
    rs.MergeChangeLog();
    return rs.Data();
}

// The current values of every visible row, in order.
inline TRows VisibleRows(TRecordSet& rs) {
    TRows rows;
    for (int r = 1; r <= rs.RecordCount(); ++r)
        rs.ReadRow(r, [&] {
            std::vector<QVariant> v;
            for (int i = 0; i < rs.FieldCount(); ++i)
                v.push_back(rs.Fields(i).Value());
            rows.push_back(v);
        });
    return rows;
}
