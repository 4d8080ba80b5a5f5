#pragma once

#include "core/data/FieldDef.h"
#include "core/data/StringDictionary.h"

#include <QVariant>

#include <string_view>
#include <unordered_map>
#include <vector>

// The values of one field for every row, appended in row order. Strings are
// ids into a dictionary of distinct values; memos and blobs are kept as bytes
// in one buffer; numbers in a plain array; nulls in a bit set.
class TColumn {
public:
    explicit TColumn(TFieldKind kind);

    TFieldKind Kind() const { return m_kind; }
    quint32 Size() const { return m_size; }
    bool IsText() const {
        return m_kind == TFieldKind::String || m_kind == TFieldKind::Memo ||
               m_kind == TFieldKind::Blob;
    }
    bool IsDictionary() const { return m_kind == TFieldKind::String; }

    void Reserve(size_t rows);
    void AppendNull();
    void AppendDouble(double v);
    void AppendInt(qint64 v);
    void AppendBytes(std::string_view bytes); // UTF-8 for texts
    void Append(const QVariant& v);           // v already coerced to this column's kind

    bool IsNull(quint32 row) const { return (m_nulls[row >> 6] >> (row & 63)) & 1u; }
    double Double(quint32 row) const { return m_num[row]; }
    qint64 Int(quint32 row) const { return m_int[row]; }
    std::string_view Bytes(quint32 row) const {
        if (IsDictionary())
            return m_ids[row] ? m_dict.Bytes(m_ids[row]) : std::string_view();
        return std::string_view(m_text.data() + m_offsets[row],
                                m_offsets[row + 1] - m_offsets[row]);
    }
    // A string cell's text, shared with every other read of the same value.
    QString Text(quint32 row) const {
        if (IsDictionary())
            return m_ids[row] ? m_dict.Text(m_ids[row]) : QString();
        const auto b = Bytes(row);
        return QString::fromUtf8(b.data(), qsizetype(b.size()));
    }
    // Strings: the dictionary id of a cell (0 for null), and of any value.
    quint32 Id(quint32 row) const { return m_ids[row]; }
    quint32 FindId(std::string_view bytes) const { return m_dict.Find(bytes); }
    quint32 InternId(std::string_view bytes) { return m_dict.Intern(bytes); }
    QVariant Value(quint32 row) const;

    size_t MemoryBytes() const;

private:
    void MarkNull(bool null);

    TFieldKind m_kind;
    quint32 m_size = 0;
    std::vector<quint64> m_nulls;
    std::vector<double> m_num;         // Float, DateTime
    std::vector<qint64> m_int;         // Integer, Boolean
    std::vector<quint32> m_ids;        // String
    TStringDictionary m_dict;          // String
    quint32 m_lastId = 0;              // String: the value appended last
    std::vector<quint32> m_offsets{0}; // Memo, Blob: cell i is [off[i], off[i+1])
    std::string m_text;
};

// The rows of a record set: the data fields' columns, each row's change state,
// and the current values of rows edited since the load.
class TRowStore {
public:
    explicit TRowStore(const TFieldDefs& dataDefs);

    const TFieldDefs& Defs() const { return m_defs; }
    int ColumnCount() const { return int(m_columns.size()); }
    TColumn& Column(int c) { return m_columns[size_t(c)]; }
    const TColumn& Column(int c) const { return m_columns[size_t(c)]; }
    quint32 RowCount() const { return quint32(m_status.size()); }

    void Reserve(size_t rows);
    // Appends a row whose values are in the columns already (a loader fills
    // every column, then calls this).
    quint32 CommitRow(TUpdateStatus status);
    // Appends a row from values coerced to each column's kind.
    quint32 AppendRow(const std::vector<QVariant>& values, TUpdateStatus status);

    TUpdateStatus Status(quint32 row) const { return TUpdateStatus(m_status[row]); }
    void SetStatus(quint32 row, TUpdateStatus status);
    int ChangeCount() const { return m_changeCount; }

    // Current values: the overlay of an edited row, else the columns.
    const std::vector<QVariant>* Overlay(quint32 row) const;
    void SetOverlay(quint32 row, std::vector<QVariant> values);
    QVariant Value(quint32 row, int column) const;
    std::vector<QVariant> RowValues(quint32 row) const;
    // The values as loaded or first posted.
    QVariant OriginalValue(quint32 row, int column) const {
        return m_columns[size_t(column)].Value(row);
    }

    // Live rows in their order (deleted and discarded rows are not in it).
    std::vector<quint32>& Order() { return m_order; }
    const std::vector<quint32>& Order() const { return m_order; }
    // Rows deleted since the load, kept for the packet.
    std::vector<quint32>& Deleted() { return m_deleted; }
    const std::vector<quint32>& Deleted() const { return m_deleted; }

    size_t MemoryBytes() const;

    // Size of the packet the rows came from: taking them back needs about as much.
    qsizetype PacketSizeHint() const { return m_packetSize; }
    void SetPacketSizeHint(qsizetype bytes) { m_packetSize = bytes; }

private:
    qsizetype m_packetSize = 0;
    TFieldDefs m_defs;
    std::vector<TColumn> m_columns;
    std::vector<quint8> m_status;
    std::unordered_map<quint32, std::vector<QVariant>> m_overlay;
    std::vector<quint32> m_order;
    std::vector<quint32> m_deleted;
    int m_changeCount = 0;
};
