#include "framework/widgets/frmPesquisa.h"

#include "framework/widgets/DataSetTableModel.h"

#include <QTableView>

TfrmPesquisa::TfrmPesquisa(TDataSource* source, const QString& title, QWidget* parent)
    : TSearchWindow(source, title, parent) {
    setObjectName(QStringLiteral("frmPesquisa"));
    SetCurrentDataRow(std::max(Rows()->CurrentRow(), 0));
    connect(List(), &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (DataRow(index) >= 0)
            accept();
    });
}

int TfrmPesquisa::SelectedRecNo() const {
    return DataRow(List()->currentIndex()) + 1;
}
