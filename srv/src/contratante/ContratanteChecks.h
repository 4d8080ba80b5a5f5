#pragma once

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

// Informative only: whether the budget's event type is of effective cost
// ("S" or "N"). The screen stores it without judging it, so it never refuses.
QString TipoEveCustoEfetivo(TDbConnection& db, const TBudgetKey& key);
