#include "Modules.h"

void RegisterModules(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    // Each business module registers its methods here with the database it
    // opens per thread; until one does, the server answers every call with
    // "unknown module", which keeps the transport testable on its own.
    (void)registry;
    (void)dbUrl;
}
