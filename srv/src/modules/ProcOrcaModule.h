#pragma once

#include <QString>

class TRemoteModuleRegistry;

// "ORE06400.rdmProcOrca": the operator's budget-procedure rights.
void RegisterProcOrca(TRemoteModuleRegistry& registry, const QString& dbUrl);
