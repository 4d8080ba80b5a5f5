#include "Cli_ore00801.h"

#include <QApplication>
#include <QLabel>

TfrmFiltroFechaOrca::TfrmFiltroFechaOrca(QWidget* parent) : TfrmFiltroPadrao(parent) {
    setObjectName(QStringLiteral("frmFiltroFechaOrca"));
    setWindowTitle(QStringLiteral("Filtro de Fechamento"));
    lblCodTela->setText(QStringLiteral("ORE00801"));
}

TfrmFiltroFechaOrca::~TfrmFiltroFechaOrca() {
    if (frmFiltroFechaOrca == this) {
        frmFiltroFechaOrca = nullptr;
        boIdCriado = false;
    }
}

void TfrmFiltroFechaOrca::FormClose() {
    TfrmFiltroPadrao::FormClose();
    boIdCriado = false;
    // Gone once the current event is over, after the opener read the result.
    deleteLater();
}

void CriaFiltroFechaOrca() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!boIdCriado) {
        frmFiltroFechaOrca = TfrmFiltroPadrao::Create<TfrmFiltroFechaOrca>();
        boIdCriado = true;
    }
    // The operator works in the dialog with the normal cursor.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    frmFiltroFechaOrca->ShowModal();
    QApplication::restoreOverrideCursor();
    QApplication::restoreOverrideCursor();
}
