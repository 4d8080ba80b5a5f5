#pragma once

#include "core/db/CatalogSelect.h"
#include "core/db/DbUrl.h"
#include "core/db/SqlStatement.h"

#include <QString>

// The statements that read budgets and their details into the screens'
// layouts (OrcaLayouts.h). The closing screen's list and the processing
// screen's single budget share them, so that both show the same rows and the
// same totals. Each takes a condition on the budgets (alias O) and the caller
// binds its parameters; only placeholder names are ever written into it. One
// budget is KeyWhere("O") with KeyParams (storage/BudgetKey.h).

// "A.CDFILIAL = O.CDFILIAL AND …": the rows of table `alias` that belong to budget O.
QString SameBudget(const char* alias);

TCatalogSelect OrcaEventoSql(const QString& where);   // cdsOrcaEvento, by number and sequence
TCatalogSelect ItemOrcaEvenSql(const QString& where); // cdsItemOrcaEven
TCatalogSelect ItMaoObraSql(const QString& where);    // cdsItMaoObra
// cdsTotalOrca: items, labour and halls summed per budget, each line rounded
// to cents, as GetGeral answers them.
QString TotalOrcaSql(TDialect dialect, const QString& where);
// cdsSalaoEven: the halls booked by one budget, by hall code; binds the key.
QString SalaoEvenSql();
