#pragma once

#include "rpc/RemoteModuleRegistry.h"

#include <QString>

// Registers every remote module that ore-server offers, each working on the
// database at `dbUrl`.
void RegisterModules(TRemoteModuleRegistry& registry, const QString& dbUrl);
