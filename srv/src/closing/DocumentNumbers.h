#pragma once

#include <QString>

class TDbConnection;

// The next number of a branch's documents of a kind ("PED", "CREC", "CPAG"),
// ten digits. The closing holds the write lock, so reading back what it just
// incremented is safe.
QString Proximo(TDbConnection& db, const QString& filial, const char* tipo);
