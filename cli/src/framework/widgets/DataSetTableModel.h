#pragma once

#include "core/data/DataSource.h"
#include "framework/widgets/GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class TDataSet;
class TField;
class QFontMetrics;

// The rows of a data source as a table. Nothing is copied: every cell is read
// on demand through TDataSet::ReadRow, so a view costs the rows it shows,
// whatever the size of the data set.
//
// Columns are the declared ones, or else one per visible field. A reload,
// a change of the row count or of the data set resets the model; a move or
// an edit only repaints.
class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetTableModel(QObject* parent = nullptr);

    TDataSource* DataSource() const { return m_source; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;

    // Declared columns; none: one per visible field.
    void SetColumns(std::vector<TGridColumn> columns);
    const std::vector<TGridColumn>& DeclaredColumns() const { return m_declared; }
    // The columns shown, completed from their fields.
    const TGridColumn& Column(int column) const { return m_columns[size_t(column)].column; }
    // The field a column shows; null when the data set has no such field.
    TField* Field(int column) const;
    // Characters a column is sized for, from its field.
    int CharWidth(int column) const;
    // Pixels a column starts with: the declared width, or its characters in `metrics`.
    int PixelWidth(int column, const QFontMetrics& metrics) const;

    // Cells become editable; edits go to the current record through the field.
    void SetEditable(bool editable) { m_editable = editable; }

    // The current row shown in the vertical header; -1 for none.
    int CurrentRow() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // After the model has taken in a change of the data set (a move included).
    void dataSetChanged();

private:
    struct TBound {
        TGridColumn column;
        int field = -1;
    };

    void Reset();
    void ResolveColumns();
    void OnStateChanged();
    void OnDataChanged(const TField* field);
    void RepaintRow(int row);
    bool IsActive() const;

    QPointer<TDataSource> m_source;
    std::vector<TGridColumn> m_declared;
    std::vector<TBound> m_columns;
    int m_rows = 0;
    bool m_active = false;
    int m_shownCurrent = -1;
    bool m_editable = false;
};
