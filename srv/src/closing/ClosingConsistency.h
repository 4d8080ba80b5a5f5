#pragma once

#include <QStringList>

class TDbConnection;

// What a closing promises, checked on a whole database after any incident
// (a crash, a restore, a manual repair): every budget is either closed with
// all it generates or untouched with nothing generated, and no document
// number is used twice or ahead of its branch's counter. Returns one
// Portuguese sentence per finding, none when the database is consistent.
// Writes nothing; the caller gives the transaction it reads in (one
// snapshot for a consistent answer).
QStringList CheckClosingConsistency(TDbConnection& db);
