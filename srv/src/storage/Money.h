#pragma once

#include <QString>

// Money is held in doubles rounded to cents; totals are compared in whole
// cents, so that a sum of rounded parts equals the rounded whole.
double Money(double value); // rounded to cents, halves away from zero
qint64 Cents(double value);

// The same rounding inside a statement, alike on both engines (PostgreSQL
// rounds only NUMERIC to a number of places).
QString MoneySql(const QString& expr);
