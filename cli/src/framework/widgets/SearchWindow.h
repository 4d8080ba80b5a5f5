#pragma once

#include <QDialog>

class DataSetTableModel;
class QAbstractProxyModel;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class TDataSource;
class TSearchFilterModel;

// What the search windows share: a search edit that narrows the list as the
// operator types (see TSearchFilterModel), the list of the data source's
// rows, and OK / Cancelar. Up, Down and the page keys in the search edit
// move in the list, so the operator never has to leave the edit; Enter is OK
// and Escape Cancelar.
class TSearchWindow : public QDialog {
    Q_OBJECT
public:
    QLineEdit* SearchEdit() const { return m_search; }
    QTableView* List() const { return m_list; }

    void setVisible(bool visible) override;

protected:
    TSearchWindow(TDataSource* source, const QString& title, QWidget* parent);

    // Puts `middle` between the data-set rows and the narrowing.
    void InsertModel(QAbstractProxyModel* middle);
    // The data-set row (0-based) shown at a row of the list; -1 for none.
    int DataRow(const QModelIndex& listIndex) const;
    // The list index of a data-set row; invalid when narrowed out.
    QModelIndex ListIndex(int dataRow) const;
    void SetCurrentDataRow(int dataRow);

    DataSetTableModel* Rows() const { return m_rows; }
    QHBoxLayout* ButtonRow() const { return m_buttonRow; }
    QPushButton* OkButton() const { return m_ok; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Narrow(const QString& text);
    // Columns as wide as their titles and values, the window as wide as the
    // columns: both bounded by the desktop.
    void FitToContents();

    DataSetTableModel* m_rows;
    QAbstractProxyModel* m_middle = nullptr;
    TSearchFilterModel* m_filter;
    QLineEdit* m_search;
    QTableView* m_list;
    QHBoxLayout* m_buttonRow;
    QPushButton* m_ok;
    bool m_fitted = false;
};
