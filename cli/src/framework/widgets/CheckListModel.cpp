#include "framework/widgets/CheckListModel.h"

TCheckListModel::TCheckListModel(QObject* parent) : QIdentityProxyModel(parent) {}

void TCheckListModel::setSourceModel(QAbstractItemModel* source) {
    if (sourceModel())
        disconnect(sourceModel(), &QAbstractItemModel::modelReset, this, nullptr);
    QIdentityProxyModel::setSourceModel(source);
    if (source)
        connect(source, &QAbstractItemModel::modelReset, this, &TCheckListModel::Clear);
    Clear();
}

void TCheckListModel::Clear() {
    m_checked.assign(sourceModel() ? size_t(sourceModel()->rowCount()) : 0, 0);
}

bool TCheckListModel::IsChecked(int sourceRow) const {
    return sourceRow >= 0 && size_t(sourceRow) < m_checked.size() && m_checked[size_t(sourceRow)];
}

void TCheckListModel::SetChecked(int sourceRow, bool checked) {
    if (sourceRow < 0 || size_t(sourceRow) >= m_checked.size() || IsChecked(sourceRow) == checked)
        return;
    m_checked[size_t(sourceRow)] = checked;
    const QModelIndex cell = index(sourceRow, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

QVariant TCheckListModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::CheckStateRole && index.column() == 0)
        return IsChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return QIdentityProxyModel::data(index, role);
}

bool TCheckListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0)
        return QIdentityProxyModel::setData(index, value, role);
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags TCheckListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QIdentityProxyModel::flags(index) & ~Qt::ItemIsEditable;
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}
