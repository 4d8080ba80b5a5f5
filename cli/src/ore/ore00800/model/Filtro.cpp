#include "ore/ore00800/model/Filtro.h"

// Constant-initialised, so it is all zero and empty even for code that runs
// during another unit's start-up.
constinit TFiltro Filtro;

void SetFiltroDefaults(TFiltro& filtro) {
    filtro = TFiltro{};
    filtro.CdVend.boTodos = true;
    filtro.CdClie.boTodos = true;
    filtro.CdServ.boTodos = true;
    filtro.CdEven.boTodos = true;
    filtro.CdProd.boTodos = true;
    filtro.CdObra.boTodos = true;
    filtro.IdSitu = QStringLiteral("2");
}
