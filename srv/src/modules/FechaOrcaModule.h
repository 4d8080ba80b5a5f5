#pragma once

#include <QString>

class TRemoteModuleRegistry;

// "ORE00800.rdmFechaOrca": the budget list and its details, the totals, the
// parameters and the lookups of the closing screen. The rules are written in
// docs/server-rules.md.
void RegisterFechaOrca(TRemoteModuleRegistry& registry, const QString& dbUrl);
