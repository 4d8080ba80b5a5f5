#include "DataSetTableModel.h"

#include "DataSet.h"
#include "DataSource.h"

namespace {

TDataSet* ActiveSet(const TDataSource* source) {
    TDataSet* ds = source ? source->DataSet() : nullptr;
    return ds && ds->Active() ? ds : nullptr;
}

} // namespace

TDataSetTableModel::TDataSetTableModel(TDataSource* source, QObject* parent)
    : QAbstractTableModel(parent), m_source(source) {
    connect(source, &TDataSource::stateChanged, this, &TDataSetTableModel::Reload);
    connect(source, &TDataSource::dataChanged, this, &TDataSetTableModel::DataChanged);
    Reload();
}

void TDataSetTableModel::Reload() {
    beginResetModel();
    m_columns.clear();
    m_rows = 0;
    // Titles come from the fields, so a closed data set still has its columns.
    if (TDataSet* ds = m_source ? m_source->DataSet() : nullptr) {
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Fields(i).Visible())
                m_columns.push_back(i);
        m_rows = ds->Active() ? ds->RecordCount() : 0;
    }
    endResetModel();
    if (TDataSet* ds = ActiveSet(m_source))
        emit currentRecordChanged(ds->RecNo());
}

void TDataSetTableModel::DataChanged() {
    TDataSet* ds = ActiveSet(m_source);
    if (!ds || ds->RecordCount() != m_rows) {
        Reload();
        return;
    }
    if (m_rows > 0 && !m_columns.empty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
    emit currentRecordChanged(ds->RecNo());
}

int TDataSetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TDataSetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TDataSetTableModel::data(const QModelIndex& index, int role) const {
    TDataSet* ds = ActiveSet(m_source);
    if (role != Qt::DisplayRole || !ds || !index.isValid() || index.row() >= m_rows)
        return {};
    QString text;
    const TField& field = ds->Fields(m_columns[size_t(index.column())]);
    ds->ReadRow(index.row() + 1, [&] { text = field.DisplayText(); });
    return text;
}

QVariant TDataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    TDataSet* ds = m_source ? m_source->DataSet() : nullptr;
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !ds || section < 0 ||
        section >= int(m_columns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return ds->Fields(m_columns[size_t(section)]).DisplayLabel();
}

Qt::ItemFlags TDataSetTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
