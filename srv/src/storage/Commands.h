#pragma once

#include <QString>

// Command-line entry points of ore-server; each returns a process exit code and
// reports on stderr.
int RunInitDb(const QString& dbUrl);
int RunSeedDemo(const QString& dbUrl);
int RunSeedScale(const QString& dbUrl, int budgets);
// Checks the closings' consistency (ClosingConsistency.h): prints each
// finding, exits 1 when there is one.
int RunCheckDb(const QString& dbUrl);
