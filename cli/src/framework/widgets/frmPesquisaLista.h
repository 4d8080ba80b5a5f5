#pragma once

#include "framework/widgets/SearchWindow.h"

#include <QStringList>

class QLabel;
class TCheckListModel;
class TField;

// The pick-list window: the rows of a data source, each with a check box,
// narrowed by the search edit as in TfrmPesquisa. "Marcar todos" and
// "Desmarcar todos" act on the rows shown (the narrowed list). A click or
// Space on the check box, or a double click on the row, ticks it. With no
// rows, the window shows `emptyText` instead of the list.
class TfrmPesquisaLista : public TSearchWindow {
    Q_OBJECT
public:
    TfrmPesquisaLista(TDataSource* source, const QString& keyField, const QString& title,
                      const QString& emptyText, QWidget* parent = nullptr);

    // The keys ticked, in the data set's row order.
    QStringList CheckedKeys() const;
    // Ticks the rows whose key is in `keys`, and only those.
    void SetCheckedKeys(const QStringList& keys);

private:
    void CheckShown(bool checked);
    QString KeyAt(int dataRow) const;
    TField& Key() const;

    TCheckListModel* m_checks;
    QString m_keyField;
    QLabel* m_empty;
};
