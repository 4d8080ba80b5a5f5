#pragma once

#include "core/data/CborBytes.h"
#include "core/data/DataPacket.h"
#include "core/data/RowStore.h"

#include <memory>

// Writes every row of `store` into a packet: live rows in their order, then the
// rows deleted since the load.
TDataPacket EncodePacket(const TRowStore& store);

// A packet written as its rows are read, with no row store between (the
// server streams query results into it). Each row is BeginRow() and then one
// cell per field in the fields' order; Finish() gives the packet, byte for
// byte what EncodePacket gives for a store holding the same rows unmodified.
class TPacketWriter {
public:
    explicit TPacketWriter(const TFieldDefs& defs);

    void BeginRow();
    void Null() { m_rows.Null(); }
    void Text(std::string_view utf8) { m_rows.Text(utf8); }
    void Double(double v) { m_rows.Double(v); }
    void Int(qint64 v) { m_rows.Int(v); }
    // A value as a column of `kind` would hold it (TColumn::Append).
    void Value(TFieldKind kind, const QVariant& v);
    TDataPacket Finish();

private:
    // The rows follow the packet's head and room for their count, which is
    // only known at the end; Finish() writes it there, so that the rows are
    // never copied.
    static constexpr qsizetype kCountRoom = 9; // the longest CBOR array head
    quint64 m_fields;
    TCborWriter m_rows{qsizetype(1) << 16};
    qsizetype m_headSize = 0;
    quint64 m_count = 0;
};

// Reads a packet into a new store with the columns of `target` (the record
// set's data fields), matching the packet's fields by name; with an empty
// `target`, the packet's own fields. Throws EPacketError on a malformed,
// truncated, wrong-version or wrong-kind packet, or one whose fields differ
// from `target`.
std::unique_ptr<TRowStore> DecodePacket(const TDataPacket& packet, const TFieldDefs& target);
