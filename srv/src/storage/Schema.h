#pragma once

#include "core/db/DbUrl.h"

#include <QString>

class TDbConnection;
struct TDbRoles;

// The schema script of an engine: srv/sql/<engine>/schema.sql under the folder
// named by the environment variable ORE_SQL_DIR, or the source tree's srv/sql.
QString SchemaPath(TDialect dialect);
QString SchemaScript(TDialect dialect); // throws EDbError when the file cannot be read

// The first of the system's tables that the database already has, or empty.
QString ExistingSchemaTable(TDbConnection& db);
// Creates every table in one transaction. Refuses (EDbError) a database that
// already has any of them, so that it never builds on top of an older schema.
// With `roles` (PostgreSQL), creates them too: the owner owns the tables and
// the others get their rights in the same transaction (DbRoles.h).
void CreateSchema(TDbConnection& db, const TDbRoles* roles = nullptr);
