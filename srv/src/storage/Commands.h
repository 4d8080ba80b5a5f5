#pragma once

#include <QString>

// Command-line entry points of ore-server; each returns a process exit code and
// reports on stderr.
// On PostgreSQL, init-db also creates the roles "<rolePrefix>_owner",
// "_server" and "_host" and grants their rights (DbRoles.h); SQLite has none.
int RunInitDb(const QString& dbUrl, const QString& rolePrefix = QStringLiteral("ore"));
int RunSeedDemo(const QString& dbUrl);
int RunSeedScale(const QString& dbUrl, int budgets);
// Checks the closings' consistency (ClosingConsistency.h): prints each
// finding, exits 1 when there is one.
int RunCheckDb(const QString& dbUrl);
