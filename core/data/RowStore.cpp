#include "core/data/RowStore.h"

#include <cstring>

TColumn::TColumn(TFieldKind kind) : m_kind(kind) {}

void TColumn::Reserve(size_t rows) {
    m_nulls.reserve((rows + 63) / 64);
    switch (m_kind) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        m_num.reserve(rows);
        break;
    case TFieldKind::Integer:
    case TFieldKind::Boolean:
        m_int.reserve(rows);
        break;
    case TFieldKind::String:
        m_ids.reserve(rows);
        break;
    default:
        m_offsets.reserve(rows + 1);
        break;
    }
}

void TColumn::MarkNull(bool null) {
    if ((m_size & 63) == 0)
        m_nulls.push_back(0);
    if (null)
        m_nulls.back() |= quint64(1) << (m_size & 63);
    ++m_size;
}

void TColumn::AppendNull() {
    switch (m_kind) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        m_num.push_back(0);
        break;
    case TFieldKind::Integer:
    case TFieldKind::Boolean:
        m_int.push_back(0);
        break;
    case TFieldKind::String:
        m_ids.push_back(0);
        break;
    default:
        m_offsets.push_back(quint32(m_text.size()));
        break;
    }
    MarkNull(true);
}

void TColumn::AppendDouble(double v) {
    m_num.push_back(v);
    MarkNull(false);
}

void TColumn::AppendInt(qint64 v) {
    m_int.push_back(v);
    MarkNull(false);
}

void TColumn::AppendBytes(std::string_view bytes) {
    if (IsDictionary()) {
        // Rows come sorted by their keys, so a cell often repeats the one
        // above it (the branch, budget and sequence of every item, a flag):
        // that value is matched without hashing it.
        if (m_lastId == 0 || m_dict.Bytes(m_lastId) != bytes)
            m_lastId = m_dict.Intern(bytes);
        m_ids.push_back(m_lastId);
    } else {
        m_text.append(bytes);
        m_offsets.push_back(quint32(m_text.size()));
    }
    MarkNull(false);
}

void TColumn::Append(const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        AppendNull();
        return;
    }
    switch (m_kind) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        AppendDouble(v.toDouble());
        break;
    case TFieldKind::Integer:
        AppendInt(v.toLongLong());
        break;
    case TFieldKind::Boolean:
        AppendInt(v.toBool() ? 1 : 0);
        break;
    case TFieldKind::Blob: {
        const QByteArray b = v.toByteArray();
        AppendBytes(std::string_view(b.constData(), size_t(b.size())));
        break;
    }
    case TFieldKind::String:
    case TFieldKind::Memo: {
        const QByteArray b = v.toString().toUtf8();
        AppendBytes(std::string_view(b.constData(), size_t(b.size())));
        break;
    }
    }
}

QVariant TColumn::Value(quint32 row) const {
    if (IsNull(row))
        return {};
    switch (m_kind) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        return m_num[row];
    case TFieldKind::Integer:
        return m_int[row];
    case TFieldKind::Boolean:
        return m_int[row] != 0;
    case TFieldKind::Blob: {
        const auto b = Bytes(row);
        return QByteArray(b.data(), qsizetype(b.size()));
    }
    case TFieldKind::String:
    case TFieldKind::Memo:
        return Text(row);
    }
    return {};
}

size_t TColumn::MemoryBytes() const {
    return m_nulls.capacity() * sizeof(quint64) + m_num.capacity() * sizeof(double) +
           m_int.capacity() * sizeof(qint64) + m_ids.capacity() * sizeof(quint32) +
           m_dict.MemoryBytes() + m_offsets.capacity() * sizeof(quint32) + m_text.capacity();
}

TRowStore::TRowStore(const TFieldDefs& dataDefs) : m_defs(dataDefs) {
    m_columns.reserve(m_defs.size());
    for (const auto& d : m_defs)
        m_columns.emplace_back(d.kind);
}

void TRowStore::Reserve(size_t rows) {
    for (auto& c : m_columns)
        c.Reserve(rows);
    m_status.reserve(rows);
    m_order.reserve(rows);
}

static bool IsPending(TUpdateStatus s) {
    return s == TUpdateStatus::Modified || s == TUpdateStatus::Inserted ||
           s == TUpdateStatus::Deleted;
}

quint32 TRowStore::CommitRow(TUpdateStatus status) {
    const quint32 row = quint32(m_status.size());
    m_status.push_back(quint8(status));
    if (IsPending(status))
        ++m_changeCount;
    if (status == TUpdateStatus::Deleted)
        m_deleted.push_back(row);
    else if (status != TUpdateStatus::Discarded)
        m_order.push_back(row);
    return row;
}

quint32 TRowStore::AppendRow(const std::vector<QVariant>& values, TUpdateStatus status) {
    for (size_t c = 0; c < m_columns.size(); ++c)
        m_columns[c].Append(c < values.size() ? values[c] : QVariant());
    return CommitRow(status);
}

void TRowStore::SetStatus(quint32 row, TUpdateStatus status) {
    const TUpdateStatus old = Status(row);
    m_changeCount += int(IsPending(status)) - int(IsPending(old));
    m_status[row] = quint8(status);
}

const std::vector<QVariant>* TRowStore::Overlay(quint32 row) const {
    if (m_overlay.empty())
        return nullptr;
    auto it = m_overlay.find(row);
    return it == m_overlay.end() ? nullptr : &it->second;
}

void TRowStore::SetOverlay(quint32 row, std::vector<QVariant> values) {
    m_overlay[row] = std::move(values);
}

QVariant TRowStore::Value(quint32 row, int column) const {
    if (const auto* o = Overlay(row))
        return (*o)[size_t(column)];
    return m_columns[size_t(column)].Value(row);
}

std::vector<QVariant> TRowStore::RowValues(quint32 row) const {
    if (const auto* o = Overlay(row))
        return *o;
    std::vector<QVariant> values;
    values.reserve(m_columns.size());
    for (const auto& c : m_columns)
        values.push_back(c.Value(row));
    return values;
}

size_t TRowStore::MemoryBytes() const {
    size_t bytes =
        m_status.capacity() + (m_order.capacity() + m_deleted.capacity()) * sizeof(quint32);
    for (const auto& c : m_columns)
        bytes += c.MemoryBytes();
    for (const auto& [row, values] : m_overlay)
        bytes += sizeof(row) + values.capacity() * sizeof(QVariant);
    return bytes;
}
