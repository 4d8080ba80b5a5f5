#pragma once

#include "rpc/RemoteModuleRegistry.h"

#include <QString>

// "ORE09000.rdmContratante": the checks of a budget's contracting clients
// (contratante/ContratanteChecks.h), their lists and their upkeep
// (contratante/ContratanteUpkeep.h).
void RegisterContratanteModule(TRemoteModuleRegistry& registry, const QString& dbUrl);
