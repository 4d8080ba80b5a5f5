#include "core/data/RecordSet.h"

#include "core/data/Exceptions.h"
#include "core/data/NumberFormat.h"
#include "core/data/OleDate.h"
#include "core/data/PacketCodec.h"

#include <algorithm>
#include <cstring>

namespace {

QString ValueText(const QVariant& v, TFieldKind kind) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (kind) {
    case TFieldKind::String:
    case TFieldKind::Memo:
        return v.toString();
    case TFieldKind::Blob:
        return QString::fromUtf8(v.toByteArray());
    case TFieldKind::Float:
        return FloatToStr(v.toDouble());
    case TFieldKind::DateTime:
        return OleToText(v.toDouble());
    case TFieldKind::Integer:
        return QString::number(v.toLongLong());
    case TFieldKind::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return v.toString();
}

// Index keys: per column, a null mark or a length-prefixed UTF-8 text.
void AppendKeyPart(std::string& key, bool null, std::string_view text) {
    if (null) {
        key.push_back('\0');
        return;
    }
    key.push_back('\1');
    const auto n = quint32(text.size());
    key.append(reinterpret_cast<const char*>(&n), sizeof n);
    key.append(text);
}

} // namespace

TRecordSet::TRecordSet(const TFieldDefs& defs, QObject* parent)
    : TDataSet(defs, parent), m_dynamicFields(defs.empty()) {
    MapColumns();
}

TRecordSet::~TRecordSet() = default;

void TRecordSet::MapColumns() {
    m_dataColumn.clear();
    int next = 0;
    m_calcFields.clear();
    for (const auto& f : m_fields) {
        if (f->Calculated())
            m_calcFields.push_back(f->Index());
        m_dataColumn.push_back(f->Calculated() ? -1 : next++);
    }
    m_calc.assign(m_fields.size(), QVariant());
    m_calcRow = -1;
    m_filterFieldNames.clear(); // columns are resolved again against these fields
    m_currentIndex = nullptr;
}

void TRecordSet::CreateDataSet() {
    Open(std::make_unique<TRowStore>(DataFieldDefs(FieldDefs())));
}

// ---- opening, loading, taking ------------------------------------------------

void TRecordSet::SetData(const TDataPacket& packet) {
    // Decoding builds new storage: a bad packet leaves the record set as it was.
    Load(DecodePacket(packet, PacketTarget()));
}

TFieldDefs TRecordSet::PacketTarget() const {
    return m_dynamicFields ? TFieldDefs() : DataFieldDefs(FieldDefs());
}

void TRecordSet::Load(std::unique_ptr<TRowStore> store) {
    if (m_dynamicFields) {
        const TFieldDefs& defs = store->Defs();
        bool same = defs.size() == m_fields.size();
        for (size_t i = 0; same && i < defs.size(); ++i)
            same = defs[i].name == m_fields[i]->FieldName() && defs[i].kind == m_fields[i]->Kind();
        if (!same) {
            if (!m_filterText.isEmpty())
                ResolveFilter(m_filterText,
                              defs); // a filter naming a missing field refuses the load
            m_store.reset();
            m_fields.clear();
            for (const auto& d : defs)
                m_fields.push_back(std::make_unique<TField>(*this, int(m_fields.size()), d));
            MapColumns();
        }
    }
    Open(std::move(store));
}

TDataPacket TRecordSet::Data() const {
    CheckActive();
    return EncodePacket(*m_store);
}

void TRecordSet::CopyDataFrom(const TRecordSet& source) {
    SetData(source.Data());
}

void TRecordSet::MergeChangeLog() {
    CheckActive();
    CheckBrowseMode();
    auto merged = std::make_unique<TRowStore>(m_store->Defs());
    for (quint32 row : m_store->Order())
        merged->AppendRow(m_store->RowValues(row), TUpdateStatus::Unmodified);
    // Rows keep their places, so the view is rebuilt over the same positions.
    m_store = std::move(merged);
    InvalidateIndexes();
    const int pos = m_pos;
    RebuildView();
    m_pos = std::min(pos, int(m_view.size()) - 1);
    m_calcRow = -1;
    NotifyDataChanged();
}

void TRecordSet::Open(std::unique_ptr<TRowStore> store) {
    if (!m_filterText.isEmpty() && m_filterColumns.empty())
        ApplyFilterText(m_filterText); // declared before the fields were known
    const bool wasActive = Active();
    m_buffer.clear();
    m_store = std::move(store);
    InvalidateIndexes();
    m_calcRow = -1;
    m_readRow = -1;
    if (wasActive)
        SetState(TDataSetState::Inactive); // a reload is a close and an open
    RebuildView();
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    // The rows are in place before anyone hears of the open, so that a
    // state handler sees what was loaded, not what was there before.
    SetState(TDataSetState::Browse);
    NotifyDataChanged();
    if (AfterOpen)
        AfterOpen(*this);
    if (AfterScroll)
        AfterScroll(*this);
}

void TRecordSet::Close() {
    if (!Active())
        return;
    m_buffer.clear();
    m_store.reset();
    m_view = {};
    InvalidateIndexes();
    m_pos = -1;
    m_bof = m_eof = true;
    m_calcRow = -1;
    m_readRow = -1;
    SetState(TDataSetState::Inactive);
    NotifyDataChanged();
}

size_t TRecordSet::MemoryBytes() const {
    size_t bytes = m_store ? m_store->MemoryBytes() : 0;
    for (const auto& [name, index] : m_indexes) {
        bytes += name.capacity();
        for (const auto& [key, rows] : index.buckets)
            bytes += key.capacity() + rows.capacity() * sizeof(quint32) + 4 * sizeof(void*);
    }
    return bytes;
}

// ---- filter and view ----------------------------------------------------------

void TRecordSet::ResolveFilter(const QString& text, const TFieldDefs& defs) {
    ResolveFilter(text, defs.size(), [&](size_t i) -> const TFieldDef& { return defs[i]; });
}

void TRecordSet::ResolveFilter(const QString& text, size_t fieldCount,
                               const std::function<const TFieldDef&(size_t)>& defAt) {
    const TFilterExpression expr = TFilterExpression::Parse(text);
    std::vector<QByteArray> values;
    // Moving between budgets changes the values, not the fields: reuse the columns.
    bool sameFields = qsizetype(expr.conditions.size()) == m_filterFieldNames.size();
    for (size_t i = 0; sameFields && i < expr.conditions.size(); ++i)
        sameFields = expr.conditions[i].field == m_filterFieldNames[i];
    if (sameFields) {
        for (const auto& cond : expr.conditions)
            values.push_back(cond.value.toUtf8());
        m_filterValues = std::move(values);
        return;
    }
    std::vector<int> columns;
    QStringList names;
    for (const auto& cond : expr.conditions) {
        int column = -1, data = 0;
        for (size_t i = 0; i < fieldCount; ++i) {
            const TFieldDef& d = defAt(i);
            const bool match = d.name.compare(cond.field, Qt::CaseInsensitive) == 0;
            if (match && d.calculated)
                throw EDatabaseError(
                    QStringLiteral("Expressão de filtro inválida: \"%1\" (o campo %2 é calculado).")
                        .arg(text, cond.field));
            if (match)
                column = data;
            if (!d.calculated)
                ++data;
        }
        if (column < 0)
            throw EDatabaseError(
                QStringLiteral("Expressão de filtro inválida: \"%1\" (campo %2 não encontrado).")
                    .arg(text, cond.field));
        columns.push_back(column);
        names.push_back(cond.field);
        values.push_back(cond.value.toUtf8());
    }
    m_filterColumns = std::move(columns);
    m_filterFieldNames = std::move(names);
    m_filterValues = std::move(values);
    m_currentIndex = nullptr;
}

void TRecordSet::ApplyFilterText(const QString& text) {
    if (text.isEmpty()) {
        m_filterColumns.clear();
        m_filterFieldNames.clear();
        m_filterValues.clear();
        m_currentIndex = nullptr;
    }
    if (!m_fields.empty())
        ResolveFilter(text, m_fields.size(),
                      [this](size_t i) -> const TFieldDef& { return m_fields[i]->Def(); });
}

void TRecordSet::SetFilter(const QString& text) {
    if (text == m_filterText)
        return;
    ApplyFilterText(text); // throws before anything changes
    m_filterText = text;
    if (m_filtered)
        Refilter();
}

void TRecordSet::SetFiltered(bool on) {
    if (on == m_filtered)
        return;
    m_filtered = on;
    Refilter();
}

void TRecordSet::Refilter() {
    if (!Active())
        return;
    CheckBrowseMode();
    RebuildView();
    MoveTo(m_view.empty() ? -1 : 0, true);
    m_bof = true;
}

void TRecordSet::InvalidateIndexes() {
    m_indexes.clear();
    m_currentIndex = nullptr;
}

// Index keys: per column, a string's dictionary id (0 for null), or for other
// kinds a null mark or the value's text with its length.
std::string TRecordSet::IndexKey(quint32 row, const std::vector<int>& columns) {
    std::string key;
    const auto* overlay = m_store->Overlay(row);
    for (int c : columns) {
        TColumn& col = m_store->Column(c);
        if (col.IsDictionary()) {
            quint32 id = col.Id(row);
            if (overlay) {
                const QVariant& v = (*overlay)[size_t(c)];
                const QByteArray text = v.toString().toUtf8();
                id = v.isNull()
                         ? 0
                         : col.InternId(std::string_view(text.constData(), size_t(text.size())));
            }
            key.append(reinterpret_cast<const char*>(&id), sizeof id);
            continue;
        }
        const QVariant v = overlay ? (*overlay)[size_t(c)] : col.Value(row);
        const QByteArray text = ValueText(v, col.Kind()).toUtf8();
        AppendKeyPart(key, v.isNull(), std::string_view(text.constData(), size_t(text.size())));
    }
    return key;
}

// The key the filter's values have in the index; false when no row can match.
bool TRecordSet::FilterKey(std::string& key) const {
    key.clear();
    for (size_t i = 0; i < m_filterColumns.size(); ++i) {
        const TColumn& col = m_store->Column(m_filterColumns[i]);
        const std::string_view value(m_filterValues[i].constData(),
                                     size_t(m_filterValues[i].size()));
        if (col.IsDictionary()) {
            const quint32 id = col.FindId(value);
            if (id == 0)
                return false;
            key.append(reinterpret_cast<const char*>(&id), sizeof id);
        } else {
            AppendKeyPart(key, false, value);
        }
    }
    return true;
}

void TRecordSet::RebuildView() {
    if (!m_store) {
        m_view = {};
        return;
    }
    if (!m_filtered || m_filterColumns.empty()) {
        m_view = m_store->Order();
        return;
    }
    // One index per list of filtered columns, built on first use: moving to
    // another budget then costs the rows it shows, not the rows held.
    if (!m_currentIndex) {
        std::string name(reinterpret_cast<const char*>(m_filterColumns.data()),
                         m_filterColumns.size() * sizeof(int));
        auto it = m_indexes.find(name);
        if (it == m_indexes.end()) {
            FilterIndex index;
            for (quint32 row : m_store->Order())
                index.buckets[IndexKey(row, m_filterColumns)].push_back(row);
            it = m_indexes.emplace(std::move(name), std::move(index)).first;
        }
        m_currentIndex = &it->second;
    }
    auto& buckets = m_currentIndex->buckets;
    std::string& key = m_keyScratch;
    const auto bucket = FilterKey(key) ? buckets.find(key) : buckets.end();
    if (bucket == buckets.end())
        m_view = {};
    else
        m_view = bucket->second;
}

bool TRecordSet::IndexedColumnChanged(quint32 row, const std::vector<QVariant>& values) const {
    for (const auto& [name, index] : m_indexes) {
        const auto* cols = reinterpret_cast<const int*>(name.data());
        for (size_t i = 0; i < name.size() / sizeof(int); ++i) {
            const int c = cols[i];
            if (m_store->Value(row, c) != values[size_t(c)])
                return true;
        }
    }
    return false;
}

// ---- navigation ------------------------------------------------------------

void TRecordSet::CheckBrowseMode() {
    if (m_state == TDataSetState::Edit || m_state == TDataSetState::Insert) {
        if (m_modified)
            Post();
        else
            Cancel();
    }
}

void TRecordSet::MoveTo(int pos, bool scrolled) {
    m_pos = pos;
    m_calcRow = -1;
    NotifyDataChanged();
    if (scrolled && AfterScroll)
        AfterScroll(*this);
}

void TRecordSet::First() {
    CheckActive();
    CheckBrowseMode();
    m_bof = true;
    m_eof = m_view.empty();
    MoveTo(m_view.empty() ? -1 : 0, true);
}

void TRecordSet::Last() {
    CheckActive();
    CheckBrowseMode();
    m_eof = true;
    m_bof = m_view.empty();
    MoveTo(int(m_view.size()) - 1, true);
}

void TRecordSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && m_eof) || (distance < 0 && m_bof))
        return;
    const qint64 target = qint64(m_pos) + distance;
    const qint64 last = qint64(m_view.size()) - 1;
    m_bof = target < 0 || last < 0;
    m_eof = target > last;
    MoveTo(last < 0 ? -1 : int(std::clamp<qint64>(target, 0, last)), true);
}

void TRecordSet::Next() {
    MoveBy(1);
}
void TRecordSet::Prior() {
    MoveBy(-1);
}

int TRecordSet::RecNo() const {
    return Active() && m_pos >= 0 ? m_pos + 1 : 0;
}

void TRecordSet::SetRecNo(int recNo) {
    CheckActive();
    CheckBrowseMode();
    if (recNo < 1 || recNo > int(m_view.size()))
        throw EDatabaseError(
            QStringLiteral("%1: registro %2 fora do intervalo.").arg(objectName()).arg(recNo));
    m_bof = m_eof = false;
    MoveTo(recNo - 1, true);
}

int TRecordSet::RecordCount() const {
    return Active() ? int(m_view.size()) : 0;
}

// ---- editing ---------------------------------------------------------------

TUpdateStatus TRecordSet::UpdateStatus() const {
    if (!Active() || m_pos < 0 || m_state == TDataSetState::Insert)
        return m_state == TDataSetState::Insert ? TUpdateStatus::Inserted
                                                : TUpdateStatus::Unmodified;
    return m_store->Status(m_view[size_t(m_pos)]);
}

void TRecordSet::Edit() {
    CheckActive();
    if (m_state == TDataSetState::Edit || m_state == TDataSetState::Insert)
        return;
    if (m_view.empty()) {
        Insert();
        return;
    }
    m_buffer = m_store->RowValues(m_view[size_t(m_pos)]);
    m_modified = false;
    m_calcRow = -1;
    SetState(TDataSetState::Edit);
}

void TRecordSet::StartInsert(int pos) {
    m_buffer.assign(size_t(m_store->ColumnCount()), QVariant());
    // Fixed-size texts start empty, not padded: padding applies to set values.
    m_insertPos = pos;
    m_modified = false;
    m_calcRow = -1;
    SetState(TDataSetState::Insert);
    NotifyDataChanged();
}

void TRecordSet::Insert() {
    CheckActive();
    CheckBrowseMode();
    StartInsert(std::max(m_pos, 0));
}

void TRecordSet::Append() {
    CheckActive();
    CheckBrowseMode();
    StartInsert(int(m_view.size()));
}

void TRecordSet::Post() {
    CheckActive();
    if (m_state != TDataSetState::Edit && m_state != TDataSetState::Insert)
        return;
    NotifyUpdateRecord();
    quint32 row;
    size_t orderPos = 0;
    if (m_state == TDataSetState::Edit) {
        row = m_view[size_t(m_pos)];
        if (m_modified) {
            if (IndexedColumnChanged(row, m_buffer))
                InvalidateIndexes();
            if (m_store->Status(row) == TUpdateStatus::Unmodified)
                m_store->SetStatus(row, TUpdateStatus::Modified);
            m_store->SetOverlay(row, std::move(m_buffer));
        }
    } else {
        // The new row goes before the row it was inserted at, in the whole order.
        const std::vector<quint32>& order = m_store->Order();
        orderPos = order.size();
        if (m_insertPos < int(m_view.size()))
            orderPos = size_t(std::find(order.begin(), order.end(), m_view[size_t(m_insertPos)]) -
                              order.begin());
        row = m_store->AppendRow(m_buffer, TUpdateStatus::Inserted);
        auto& live = m_store->Order();
        live.pop_back();
        live.insert(live.begin() + qsizetype(orderPos), row);
        InvalidateIndexes();
    }
    m_buffer.clear();
    m_modified = false;
    m_calcRow = -1;
    SetState(TDataSetState::Browse);
    RebuildView();
    // Find the posted row in the view: where it was, where it was inserted
    // (the view is the whole order when unfiltered), or by a search.
    if (!m_filtered && orderPos < m_view.size() && m_view[orderPos] == row) {
        m_pos = int(orderPos);
    } else if (m_pos < 0 || size_t(m_pos) >= m_view.size() || m_view[size_t(m_pos)] != row) {
        const auto it = std::find(m_view.begin(), m_view.end(), row);
        m_pos =
            it != m_view.end() ? int(it - m_view.begin()) : std::min(m_pos, int(m_view.size()) - 1);
    }
    m_bof = m_eof = m_view.empty();
    NotifyDataChanged();
    if (AfterPost)
        AfterPost(*this);
}

void TRecordSet::Cancel() {
    if (m_state != TDataSetState::Edit && m_state != TDataSetState::Insert)
        return;
    m_buffer.clear();
    m_modified = false;
    m_calcRow = -1;
    SetState(TDataSetState::Browse);
    NotifyDataChanged();
    if (AfterCancel)
        AfterCancel(*this);
}

void TRecordSet::Delete() {
    CheckActive();
    if (m_state == TDataSetState::Insert) {
        Cancel();
        return;
    }
    if (m_view.empty())
        throw EDatabaseError(QStringLiteral("%1: não há registro para excluir.").arg(objectName()));
    if (m_state == TDataSetState::Edit)
        Cancel();
    const quint32 row = m_view[size_t(m_pos)];
    if (m_store->Status(row) == TUpdateStatus::Inserted) {
        m_store->SetStatus(row, TUpdateStatus::Discarded); // never reached the server
    } else {
        m_store->SetStatus(row, TUpdateStatus::Deleted);
        m_store->Deleted().push_back(row);
    }
    auto& live = m_store->Order();
    live.erase(std::find(live.begin(), live.end(), row));
    InvalidateIndexes();
    RebuildView();
    m_eof = m_pos >= int(m_view.size());
    m_bof = m_view.empty();
    MoveTo(std::min(m_pos, int(m_view.size()) - 1), true);
}

// ---- field access ------------------------------------------------------------

quint32 TRecordSet::ActiveRow() const {
    return m_readRow >= 0 ? quint32(m_readRow) : m_view[size_t(m_pos)];
}

bool TRecordSet::ReadsBuffer() const {
    return m_readRow < 0 && (m_state == TDataSetState::Edit || m_state == TDataSetState::Insert ||
                             (m_state == TDataSetState::CalcFields && !m_buffer.empty()));
}

bool TRecordSet::HasActiveRow() const {
    return m_store && (m_readRow >= 0 || m_pos >= 0);
}

const QVariant& TRecordSet::CalcValue(int field) const {
    static const QVariant null;
    if (m_calcRunning) // a handler reading what it computed a moment ago
        return m_calc[size_t(field)];
    if (!ReadsBuffer() && !HasActiveRow())
        return null;
    const qint64 key = ReadsBuffer() ? -2 : qint64(ActiveRow());
    if (m_calcRow != key) {
        auto* self = const_cast<TRecordSet*>(this);
        for (int f : m_calcFields)
            self->m_calc[size_t(f)] = QVariant();
        if (OnCalcFields) {
            const TDataSetState saved = m_state;
            self->m_state = TDataSetState::CalcFields;
            m_calcRunning = true;
            struct Restore {
                TRecordSet* rs;
                TDataSetState state;
                ~Restore() {
                    rs->m_state = state;
                    rs->m_calcRunning = false;
                }
            } restore{self, saved};
            self->OnCalcFields(*self);
        }
        m_calcRow = key;
    }
    return m_calc[size_t(field)];
}

QVariant TRecordSet::FieldValue(int field) const {
    const int c = DataColumn(field);
    if (c < 0)
        return CalcValue(field);
    if (ReadsBuffer())
        return m_buffer[size_t(c)];
    if (!HasActiveRow())
        return {};
    return m_store->Value(ActiveRow(), c);
}

bool TRecordSet::FieldIsNull(int field) const {
    const QVariant v = FieldValue(field);
    return !v.isValid() || v.isNull();
}

QString TRecordSet::FieldString(int field) const {
    const int c = DataColumn(field);
    if (c >= 0 && !ReadsBuffer() && HasActiveRow()) {
        const quint32 row = ActiveRow();
        const TColumn& col = m_store->Column(c);
        if (col.IsText() && col.Kind() != TFieldKind::Blob && !m_store->Overlay(row))
            return col.Text(row);
    }
    return ValueText(FieldValue(field), m_fields[size_t(field)]->Kind());
}

double TRecordSet::FieldDouble(int field) const {
    const int c = DataColumn(field);
    if (c >= 0 && !ReadsBuffer() && HasActiveRow()) {
        const quint32 row = ActiveRow();
        const TColumn& col = m_store->Column(c);
        if ((col.Kind() == TFieldKind::Float || col.Kind() == TFieldKind::DateTime) &&
            !m_store->Overlay(row))
            return col.IsNull(row) ? 0.0 : col.Double(row);
    }
    const QVariant v = FieldValue(field);
    if (!v.isValid() || v.isNull())
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        double d = 0;
        if (s.isEmpty())
            return 0.0;
        if (!TryStrToFloat(s, d))
            throw EDatabaseError(QStringLiteral("\"%1\" não é um número válido (campo %2).")
                                     .arg(s, m_fields[size_t(field)]->FieldName()));
        return d;
    }
    return v.toDouble();
}

void TRecordSet::SetFieldValue(int field, const QVariant& v) {
    const int c = DataColumn(field);
    if (c < 0) {
        if (!m_calcRunning)
            throw EDatabaseError(
                QStringLiteral("%1: o campo calculado %2 só pode receber valor no cálculo.")
                    .arg(objectName(), m_fields[size_t(field)]->FieldName()));
        m_calc[size_t(field)] = v;
        return;
    }
    if (m_calcRunning)
        throw EDatabaseError(QStringLiteral("%1: o cálculo não pode alterar o campo %2.")
                                 .arg(objectName(), m_fields[size_t(field)]->FieldName()));
    CheckEditing();
    m_buffer[size_t(c)] = v;
    m_modified = true;
    m_calcRow = -1;
    NotifyDataChanged(m_fields[size_t(field)].get());
}

void TRecordSet::SetActiveRecNo(int recNo) {
    m_readRow = recNo == 0 || (recNo - 1 == m_pos && ReadsBufferState())
                    ? -1
                    : qint64(m_view[size_t(recNo - 1)]);
}

bool TRecordSet::ReadsBufferState() const {
    return m_state == TDataSetState::Edit || m_state == TDataSetState::Insert;
}
