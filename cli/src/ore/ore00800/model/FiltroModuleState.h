#pragma once

#include <QString>

class TfrmFiltroFechaOrca;

// Module-wide state of the filter dialog's unit. The picked lists live here,
// not in the dialog, so that they outlast the dialog between openings.

extern TfrmFiltroFechaOrca* frmFiltroFechaOrca; // the instance made by the factory, or null
extern bool boIdCriado;                         // true while a dialog instance exists
extern bool boPesqLista; // exported for other modules; this one only ever clears it
extern QString stVendedor;
extern QString stCliente;
extern QString stMaoObra;
extern QString stProduto;
extern QString stTipoEven;
extern QString stTipoServ;

// Unit initialisation and finalisation, run when the module is loaded and unloaded.
void InitializeCli_ore00801();
void FinalizeCli_ore00801();
