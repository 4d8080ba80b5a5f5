#pragma once

struct sqlite3;

// Registers on a SQLite connection the functions its statements use; throws
// EDbError when the engine refuses one.
//
// ore_fold(text): lower case by Unicode rules, so that accented capitals fold
// like their plain ones ("JOÃO" -> "joão"); PostgreSQL's schema defines the
// same. "Contains" searches use it (SqlText.h).
//
// ore_money(x): x rounded to cents exactly as ROUND(x, 2) rounds it here,
// for the engine to cast to a number. ROUND prints every value as text
// and reads it back, which costs more than the sum it sits in; a value within
// a millionth of a cent of a whole cent is rounded by arithmetic instead (the
// same double: the nearest to that many cents), and any other is given as
// the text ROUND would have read back.
void RegisterSqliteFunctions(sqlite3* h);
