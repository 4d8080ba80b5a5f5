#include "ReadOnlyGrid.h"

#include "DataSet.h"
#include "DataSetTableModel.h"
#include "DataSource.h"
#include "Dispatch.h"

#include <QHeaderView>
#include <QTableView>

QTableView* CreateReadOnlyGrid(const QString& name, TDataSource* source, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    auto* model = new TDataSetTableModel(source, grid);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);

    // Grid to data set: moving in the grid moves the current record.
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [model](const QModelIndex& current) {
                         TDataSet* ds = model->Source() ? model->Source()->DataSet() : nullptr;
                         if (!ds || !ds->Active() || !current.isValid() ||
                             ds->RecNo() == current.row() + 1)
                             return;
                         Dispatch([&] { ds->SetRecNo(current.row() + 1); });
                     });
    // Data set to grid.
    QObject::connect(model, &TDataSetTableModel::currentRecordChanged, grid, [grid](int recNo) {
        const QModelIndex current = grid->currentIndex();
        if (recNo < 1 || current.row() == recNo - 1)
            return;
        grid->setCurrentIndex(grid->model()->index(recNo - 1, std::max(current.column(), 0)));
    });
    return grid;
}
