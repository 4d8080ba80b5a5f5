#include "framework/widgets/DataSetTableModel.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "framework/services/Dispatch.h"

#include <QFontMetrics>

#include <algorithm>
#include <exception>

namespace {

Qt::Alignment KindAlignment(TFieldKind kind) {
    switch (kind) {
    case TFieldKind::Float:
    case TFieldKind::Integer:
        return Qt::AlignRight;
    case TFieldKind::Boolean:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

int KindChars(const TField& f) {
    switch (f.Kind()) {
    case TFieldKind::String:
        return f.Size() > 0 ? std::min(f.Size(), 40) : 10;
    case TFieldKind::Memo:
        return 30;
    case TFieldKind::Float:
        return 12;
    case TFieldKind::Integer:
        return 8;
    case TFieldKind::DateTime:
        return 10;
    case TFieldKind::Boolean:
        return 3;
    case TFieldKind::Blob:
        return 10;
    }
    return 10;
}

// The indicator column's marks: browsing, editing, inserting.
QString IndicatorMark(TDataSetState state) {
    switch (state) {
    case TDataSetState::Edit:
        return QStringLiteral("I");
    case TDataSetState::Insert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("▶");
    }
}

} // namespace

DataSetTableModel::DataSetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetTableModel::SetDataSource(TDataSource* source) {
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &TDataSource::stateChanged, this, &DataSetTableModel::OnStateChanged);
        connect(m_source, &TDataSource::dataChanged, this, &DataSetTableModel::OnDataChanged);
        connect(m_source, &QObject::destroyed, this, [this] {
            Reset();
            emit dataSetChanged();
        });
    }
    Reset();
    emit dataSetChanged();
}

TDataSet* DataSetTableModel::DataSet() const {
    return m_source ? m_source->DataSet() : nullptr;
}

bool DataSetTableModel::IsActive() const {
    const TDataSet* ds = DataSet();
    return ds && ds->Active();
}

void DataSetTableModel::SetColumns(std::vector<TGridColumn> columns) {
    m_declared = std::move(columns);
    Reset();
}

TField* DataSetTableModel::Field(int column) const {
    const TDataSet* ds = DataSet();
    if (!ds || column < 0 || size_t(column) >= m_columns.size())
        return nullptr;
    const int f = m_columns[size_t(column)].field;
    return f >= 0 && f < ds->FieldCount() ? &ds->Fields(f) : nullptr;
}

int DataSetTableModel::CharWidth(int column) const {
    const TField* f = Field(column);
    const int chars = !f ? 10 : f->Def().displayWidth > 0 ? f->Def().displayWidth : KindChars(*f);
    return std::max<int>(chars, int(Column(column).Title.size()));
}

int DataSetTableModel::PixelWidth(int column, const QFontMetrics& metrics) const {
    const int declared = Column(column).Width;
    return declared > 0 ? declared : CharWidth(column) * metrics.averageCharWidth() + 8;
}

int DataSetTableModel::CurrentRow() const {
    const TDataSet* ds = DataSet();
    return ds && ds->Active() && ds->RecNo() > 0 ? ds->RecNo() - 1 : -1;
}

void DataSetTableModel::Reset() {
    beginResetModel();
    ResolveColumns();
    m_active = IsActive();
    m_rows = m_active ? DataSet()->RecordCount() : 0;
    m_shownCurrent = CurrentRow();
    endResetModel();
}

void DataSetTableModel::ResolveColumns() {
    m_columns.clear();
    const TDataSet* ds = DataSet();
    auto complete = [&](TGridColumn c) {
        const TField* f = ds ? ds->FindField(c.FieldName) : nullptr;
        if (c.Title.isEmpty())
            c.Title = f ? f->DisplayLabel() : c.FieldName;
        if (!c.Alignment)
            c.Alignment = f ? KindAlignment(f->Kind()) : Qt::AlignLeft;
        m_columns.push_back({std::move(c), f ? f->Index() : -1});
    };
    if (!m_declared.empty()) {
        for (const TGridColumn& c : m_declared)
            if (c.Visible)
                complete(c);
    } else if (ds) {
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Fields(i).Visible()) {
                TGridColumn c;
                c.FieldName = ds->Fields(i).FieldName();
                complete(std::move(c));
            }
    }
}

void DataSetTableModel::OnStateChanged() {
    if (IsActive() != m_active)
        Reset(); // opened, closed or reloaded: fields and rows may all be new
    else
        RepaintRow(CurrentRow());
    emit dataSetChanged();
}

void DataSetTableModel::OnDataChanged(const TField* field) {
    const int rows = IsActive() ? DataSet()->RecordCount() : 0;
    if (rows != m_rows) {
        Reset();
    } else if (field) {
        RepaintRow(CurrentRow());
    } else if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
        RepaintRow(CurrentRow());
    }
    emit dataSetChanged();
}

void DataSetTableModel::RepaintRow(int row) {
    const int old = m_shownCurrent;
    m_shownCurrent = row;
    if (old != row && old >= 0 && old < m_rows)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < m_rows) {
        emit headerDataChanged(Qt::Vertical, row, row);
        if (!m_columns.empty())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

int DataSetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int DataSetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= columnCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Column(index.column()).Alignment | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    TDataSet* ds = DataSet();
    const TField* f = Field(index.column());
    if (!f || !ds->Active() || index.row() >= ds->RecordCount())
        return {};
    QString text;
    try {
        ds->ReadRow(index.row() + 1,
                    [&] { text = role == Qt::EditRole ? f->Text() : f->DisplayText(); });
    } catch (const std::exception&) {
        return {}; // a failing get-text handler must not break painting
    }
    return text;
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return Column(section).Title;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Column(section).Alignment | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::DisplayRole)
        return section == m_shownCurrent ? IndicatorMark(DataSet()->State()) : QString();
    return {};
}

Qt::ItemFlags DataSetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const TField* field = Field(index.column());
    if (m_editable && field && !field->Calculated())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TField* f = Field(index.column());
    if (role != Qt::EditRole || !m_editable || !f)
        return false;
    TDataSet* ds = DataSet();
    return Dispatch([&] {
        if (ds->RecNo() != index.row() + 1)
            ds->SetRecNo(index.row() + 1);
        if (ds->State() == TDataSetState::Browse)
            ds->Edit();
        const QString text = value.toString();
        if (text.isEmpty())
            f->Clear();
        else
            f->SetAsString(text);
    });
}
