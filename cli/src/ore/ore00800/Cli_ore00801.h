#pragma once

#include "FiltroModuleState.h"

#include "FrmFiltroPadrao.h"

// The filter dialog of the budget-closing screen: collects and checks the
// retrieval criteria, writes them into Filtro and runs the screen's retrieval.
class TfrmFiltroFechaOrca : public TfrmFiltroPadrao {
    Q_OBJECT
public:
    explicit TfrmFiltroFechaOrca(QWidget* parent = nullptr);
    ~TfrmFiltroFechaOrca() override;

protected:
    void FormClose() override;
};

// Opens the dialog modally (created afresh when none exists) and returns when
// it has closed. The opener reads frmFiltroFechaOrca->ModalResult() right
// after: the dialog is destroyed once the current event has been handled.
void CriaFiltroFechaOrca();
