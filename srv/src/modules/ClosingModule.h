#pragma once

#include "closing/FaultPoints.h"
#include "rpc/RemoteModuleRegistry.h"

#include <QString>

// "ORE00800.rdmFechaOrca" FecharOrca: closes every budget marked in the list
// the screen sends, in one database transaction, passing `faults` its points
// (none when empty).
void RegisterClosingModule(TRemoteModuleRegistry& registry, const QString& dbUrl,
                           TFaultPoints faults = EnvironmentFaultPoints());
