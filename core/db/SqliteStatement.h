#pragma once

#include "core/db/SqlStatement.h"

struct sqlite3_stmt;
class TStatementCache;

// One SELECT run straight on SQLite, on a statement the connection keeps
// prepared (StatementCache.h), given back when this goes. Parameters bind and
// columns read as Qt's SQLite driver binds and reads them, so that what
// comes out is what TSqlStatement would give. Not usable (false) when the
// connection is not SQLite's, the statement does not prepare, or a parameter
// is missing, unknown or of a kind the driver binds otherwise: the caller
// then runs it through TSqlStatement, which reports any fault as it always
// has. For the connection's thread only; `sql` must outlive it (it is the
// key the statement goes back under).
class TSqliteStatement {
public:
    TSqliteStatement(TDbConnection& db, const QString& sql, const TSqlParams& params);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    explicit operator bool() const { return m_st != nullptr; }
    sqlite3_stmt* Handle() const { return m_st; }
    // SQLITE_ROW, SQLITE_DONE or the engine's error code.
    int Step();
    // The value Qt's driver makes of column `c` of the current row.
    QVariant Value(int c) const;

private:
    TStatementCache& m_cache;
    const QString& m_sql;
    sqlite3_stmt* m_st = nullptr;
};
