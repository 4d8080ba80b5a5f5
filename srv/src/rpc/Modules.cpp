#include "rpc/Modules.h"

#include "modules/ClosingModule.h"
#include "modules/ContratanteModule.h"
#include "modules/FechaOrcaModule.h"
#include "modules/ProcOrcaModule.h"

void RegisterModules(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    // Each business module registers its methods with the database it opens
    // per thread.
    RegisterFechaOrca(registry, dbUrl);
    RegisterProcOrca(registry, dbUrl);
    RegisterClosingModule(registry, dbUrl);
    RegisterContratanteModule(registry, dbUrl);
}
