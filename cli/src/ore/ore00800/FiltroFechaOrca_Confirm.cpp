// Confirming and cancelling the filter, and the picked lists that go with
// the base dialog's option sets.

#include "ore/ore00800/Cli_ore00801.h"

void TfrmFiltroFechaOrca::sbtConfirmaClick() {
    Vd_Intervalo();
    Vd_DtEvento();
    Vd_DtValidade();
    Vd_Lista();
    Vd_Status();
    Vd_GerenteSup();
    SaveToFiltro();
    SetModalResult(mrOk);
    // The list is retrieved with the dialog still on screen; it closes once
    // this handler has returned, whether the retrieval succeeded or not.
    Host().RetrieveBudgets();
    boPesqLista = false;
}

void TfrmFiltroFechaOrca::sbtCancelClick() {
    TfrmFiltroPadrao::sbtCancelClick();
    boPesqLista = false;
    SetModalResult(mrCancel);
}

namespace {

// The picked lists an option set carries, as stlVariaveis names them. The
// labour list is not among them.
struct TSavedList {
    const char* name;
    QString* list;
};
const TSavedList kSavedLists[] = {
    {"stCliente", &stCliente},   {"stTipoEven", &stTipoEven}, {"stProduto", &stProduto},
    {"stVendedor", &stVendedor}, {"stTipoServ", &stTipoServ},
};

} // namespace

void TfrmFiltroFechaOrca::btfSaveOpcClick() {
    // An empty list removes its entry, and so loads back empty.
    for (const TSavedList& saved : kSavedLists)
        stlVariaveis.SetValue(QLatin1String(saved.name), *saved.list);
    TfrmFiltroPadrao::btfSaveOpcClick();
}

void TfrmFiltroFechaOrca::btfLoadOpcClick() {
    // With no set loaded the operator's picks stay as they are.
    if (!LoadOptionSet())
        return;
    for (const TSavedList& saved : kSavedLists)
        *saved.list = stlVariaveis.Value(QLatin1String(saved.name));
}
