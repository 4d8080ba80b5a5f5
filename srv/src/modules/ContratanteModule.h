#pragma once

#include "rpc/RemoteModuleRegistry.h"
#include "storage/BudgetKey.h"

#include <QString>

class TDbConnection;

// The checks of a budget's contracting clients, each answering a message key
// of the closing screen's catalogue, or an empty string when the budget
// passes. The closing runs them again inside its transaction.
QString VdContraCancelado(TDbConnection& db, const TBudgetKey& key);
QString VdValor(TDbConnection& db, const TBudgetKey& key);
QString VdValorNegativo(TDbConnection& db, const TBudgetKey& key);
bool QtContratantesConfere(TDbConnection& db, const TBudgetKey& key);

// "ORE09000.rdmContratante": the checks above and the upkeep of a budget's
// contracting clients.
void RegisterContratanteModule(TRemoteModuleRegistry& registry, const QString& dbUrl);
