#pragma once

#include "framework/widgets/GridColumn.h"
#include "framework/widgets/GridOptions.h"

#include <QStyle>
#include <QTableView>

#include <functional>
#include <vector>

class DataSetTableModel;
class TDataSource;
class TField;

// A table over a data source. Its current row and the data set's current
// record follow each other: moving in the grid moves the data set, and
// moving the data set moves the grid. Rows are read as they are painted
// (see DataSetTableModel), so the size of the data set does not matter.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    using TColumn = TGridColumn;

    // Draws one cell; the fields read the painted row meanwhile. The
    // background (and selection) is already filled.
    using DrawColumnCellEvent =
        std::function<void(QPainter& painter, const QRect& rect, TField& field,
                           const TGridColumn& column, QStyle::State state)>;
    // Runs (through Dispatch) before the grid handles a key; setting `key`
    // to 0, aborting or failing consumes the key.
    using KeyDownEvent = std::function<void(int& key, Qt::KeyboardModifiers modifiers)>;

    explicit TDBGrid(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);

    // Declared columns; none: one per visible field.
    const std::vector<TGridColumn>& Columns() const;
    void SetColumns(std::vector<TGridColumn> columns);

    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);

    // The field of the current column; null when there is none.
    TField* SelectedField() const;
    DataSetTableModel* TableModel() const { return m_model; }

    // What a cell shows without OnDrawColumnCell: the field's display text,
    // aligned as the column says.
    void DefaultDrawColumnCell(QPainter& painter, const QRect& rect, TField& field,
                               const TGridColumn& column, QStyle::State state) const;

    DrawColumnCellEvent OnDrawColumnCell;
    KeyDownEvent OnKeyDown;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SyncFromDataSet();
    void ApplyColumnWidths();
    bool HandleOwnKey(int key, Qt::KeyboardModifiers modifiers);

    DataSetTableModel* m_model;
    TGridOptions m_options;
    bool m_syncing = false;
};
