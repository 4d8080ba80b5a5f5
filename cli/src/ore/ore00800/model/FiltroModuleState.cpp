#include "ore/ore00800/model/FiltroModuleState.h"

// Constant-initialised: these are the start values before the unit is initialised.
constinit TfrmFiltroFechaOrca* frmFiltroFechaOrca = nullptr;
constinit bool boIdCriado = false;
constinit bool boPesqLista = false;
constinit QString stVendedor;
constinit QString stCliente;
constinit QString stMaoObra;
constinit QString stProduto;
constinit QString stTipoEven;
constinit QString stTipoServ;

void InitializeCli_ore00801() {
    boIdCriado = false;
    boPesqLista = false;
    // stMaoObra is left alone on purpose: it starts empty with all module
    // storage and is released at finalisation, like the other lists.
    stVendedor.clear();
    stCliente.clear();
    stProduto.clear();
    stTipoEven.clear();
    stTipoServ.clear();
}

void FinalizeCli_ore00801() {
    // Release the buffers, not just empty them: the module is being unloaded.
    stVendedor = QString();
    stCliente = QString();
    stMaoObra = QString();
    stProduto = QString();
    stTipoEven = QString();
    stTipoServ = QString();
}
