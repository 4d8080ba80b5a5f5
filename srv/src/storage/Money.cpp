#include "storage/Money.h"

#include <cmath>

double Money(double value) {
    return std::round(value * 100.0) / 100.0;
}

qint64 Cents(double value) {
    return std::llround(value * 100);
}

QString MoneySql(TDialect dialect, const QString& expr) {
    return (dialect == TDialect::SQLite
                ? QStringLiteral("CAST(ore_money(CAST(%1 AS NUMERIC)) AS DOUBLE PRECISION)")
                : QStringLiteral("CAST(ROUND(CAST(%1 AS NUMERIC), 2) AS DOUBLE PRECISION)"))
        .arg(expr);
}
