#pragma once

#include "core/db/DbUrl.h"

#include <QString>

// Money is held in doubles rounded to cents; totals are compared in whole
// cents, so that a sum of rounded parts equals the rounded whole.
double Money(double value); // rounded to cents, halves away from zero
qint64 Cents(double value);

// Rounding to cents inside a statement, as ROUND(x, 2) rounds on each engine
// (PostgreSQL rounds only NUMERIC to a number of places; on SQLite the
// connection's ore_money() gives ROUND's result without its cost).
QString MoneySql(TDialect dialect, const QString& expr);
