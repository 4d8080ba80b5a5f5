#pragma once

#include <QString>

class TRemoteModuleRegistry;

// "ORE06400.rdmProcOrca": the operator's budget-procedure rights and the
// budget the processing screen opens. The rules are written in
// docs/server-rules.md.
void RegisterProcOrca(TRemoteModuleRegistry& registry, const QString& dbUrl);
