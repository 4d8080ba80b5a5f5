#pragma once

#include "core/db/DbUrl.h"

#include <QString>
#include <QStringList>

// "Contains" searches. Bind ContainsPattern(text) to a parameter and compare
// with ContainsCondition: the text's own %, _ and \ match themselves, and case
// folds the same way on SQLite and PostgreSQL, accented capitals included
// ("JOÃO" finds "João"). Accents themselves still count: "joao" does not find
// "João".
QString ContainsPattern(const QString& text);
// "ore_fold(COLUMN) LIKE ore_fold(:PARAM) ESCAPE '\'"; `column` and `param`
// are names written by the program, never values.
QString ContainsCondition(const QString& column, const QString& param);

// Lists of values of any length, each bound as one parameter: bind
// ListParam(dialect, values) to a parameter and compare with InListCondition,
// which unpacks it in SQL (a JSON array through json_each on SQLite, a text
// array through = ANY on PostgreSQL, which hashes it). The statement's text
// and its placeholders stay the same whatever the list's length, so preparing
// and binding cost no more for 10,000 values than for one, the comparison
// stays linear, and no engine's limit on placeholders applies.
QString ListParam(TDialect dialect, const QStringList& values);
// "COLUMN is one of the texts of :PARAM" for `dialect`; `column` and `param`
// are names written by the program, never values.
QString InListCondition(TDialect dialect, const QString& column, const QString& param);

// Splits a script into statements at the semicolons that are outside quotes,
// comments and PostgreSQL dollar-quoted bodies. Comments are kept with their
// statement; pieces holding only blanks and comments are dropped. Bodies with
// semicolons of their own need dollar quotes (SQLite trigger bodies are not
// supported).
QStringList SplitSqlScript(const QString& script);
