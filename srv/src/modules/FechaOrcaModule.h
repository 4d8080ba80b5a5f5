#pragma once

#include "core/data/FieldDef.h"
#include "core/db/CatalogSelect.h"
#include "core/db/SqlStatement.h"

#include <QString>
#include <QVariantList>

#include <vector>

class TDbConnection;
class TRemoteModuleRegistry;

// "ORE00800.rdmFechaOrca": the budget list and its details, the totals, the
// parameters and the lookups of the closing screen. The rules are written in
// docs/server-rules.md.
void RegisterFechaOrca(TRemoteModuleRegistry& registry, const QString& dbUrl);

// The statements of the budget list (GetOrcaEvento), in the order of the
// packets it answers with, each with its packet's layout; all of them bind
// `params`.
struct TOrcaEventoSelects {
    struct TSelect {
        TCatalogSelect statement;
        TFieldDefs layout;
    };
    std::vector<TSelect> selects;
    TSqlParams params;
};

// The list's statements for the 17 arguments of GetOrcaEvento. Refuses the
// arguments as the call does (ERemoteError), an unknown branch included.
TOrcaEventoSelects OrcaEventoSelects(TDbConnection& db, const QVariantList& args);
