#pragma once

class TDbConnection;

// A large branch for measurements: branch 0900 with `budgets` budgets of 20
// items and 3 labour lines each, plus their observations, halls and
// contracting customers. Every tenth budget is a child of the one before.
// Deterministic: the same count gives the same rows. Each call runs inside
// the caller's transaction; the shared catalogues (LoadDemoCatalogs) must be
// there.

// The branch itself: its parameters, halls and offered products.
void LoadScaleBranch(TDbConnection& db);

// Which rows of the budgets a call writes. PostgreSQL checks a foreign key
// very slowly when the parent row was created by the same transaction and is
// referenced many times, so there the budgets are committed first and their
// details loaded in a second transaction.
enum class TScaleRows { All, Budgets, Details };
void LoadScale(TDbConnection& db, int budgets, TScaleRows rows = TScaleRows::All);

// Removes the branch and everything of it that LoadScaleBranch and LoadScale wrote.
void RemoveScale(TDbConnection& db);

inline const char* kScaleBranch = "0900";
