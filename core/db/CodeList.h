#pragma once

#include "core/db/SqlStatement.h"

#include <QString>
#include <QStringList>

class TDbConnection;

// Lists this long or longer go into a table on SQLite (CodeListCondition).
constexpr qsizetype kCodeListTableFrom = 100;

// "COLUMN is one of `codes`" for a condition that several statements of one
// call share. A short list, and any list on PostgreSQL, is one parameter
// `name` added to `params` (ListParam and InListCondition, SqlText.h). On
// SQLite a list of kCodeListTableFrom codes or more is put once into a table
// of the connection's own (TEMP), indexed by code, which the condition reads:
// unpacked in each statement, the same 10,000 codes would be parsed and
// sorted again by every statement. The table keeps the codes until the next
// list of that name on the connection, so the statements must run before it.
// `column` and `name` are written by the program, never values; `name` is a
// placeholder name (letters, digits and _).
QString CodeListCondition(TDbConnection& db, const QString& column, const QString& name,
                          const QStringList& codes, TSqlParams& params);
