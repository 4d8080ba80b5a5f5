#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class TDataSource;

// A read-only table over the data set of a data source: one column per
// visible field, titled by its label, one row per visible record, cells in
// the fields' display text. Rows are read in place (TDataSet::ReadRow), so
// showing them never moves the data set.
class TDataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TDataSetTableModel(TDataSource* source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TDataSource* Source() const { return m_source; }

signals:
    // The data set's current record changed (1-based, 0 for none).
    void currentRecordChanged(int recNo);

private:
    void Reload();
    void DataChanged();

    QPointer<TDataSource> m_source;
    std::vector<int> m_columns; // field index of each column
    int m_rows = 0;
};
