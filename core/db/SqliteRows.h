#pragma once

#include "core/db/SqlStatement.h"

#include <functional>
#include <memory>

// A SELECT's rows read into a row store straight from SQLite: each value
// taken as the engine holds it (texts as their UTF-8 bytes) into its column,
// with no QVariant and no UTF-16 copy between, for the values Qt's driver
// would give the same way; any other value goes through the QVariant the
// driver would have made, so that the store is the same either way. `data`
// are the layout's data fields; `before` runs just before the statement does.
//
// Answers null, having read nothing for the caller, when the statement is not
// one to read this way: it does not prepare, a parameter is missing, unknown or
// of a kind bound otherwise, a field has no column, or the engine fails a
// step. The caller then runs it through TSqlStatement, which reports any fault
// as it always has.
std::unique_ptr<TRowStore> SqliteReadRows(TDbConnection& db, const QString& sql,
                                          const TSqlParams& params, const TFieldDefs& data,
                                          const std::function<void()>& before);
