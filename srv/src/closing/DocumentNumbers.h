#pragma once

#include <QString>

class TDbConnection;

// The next number of a branch's documents of a kind ("PED", "CREC", "CPAG"),
// ten digits. The counter's row stays locked until the transaction ends, so
// numbers are neither doubled nor, once committed, skipped.
QString Proximo(TDbConnection& db, const QString& filial, const char* tipo);
