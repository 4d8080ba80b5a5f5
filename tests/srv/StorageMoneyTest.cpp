// Totals round every line to cents inside their statements. On SQLite the
// connection's ore_money() stands in for ROUND(x, 2): it must give the very
// same double (or null) for every value, or the totals would drift by a cent.

#include "tests/srv/StorageTestUtil.h"

#include "core/db/SqlStatement.h"
#include "storage/Money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

// Values a line or a total can take, and the ones where rounding is close:
// whole cents, half cents and their neighbours, every magnitude, both signs.
QVariantList Values() {
    QVariantList v{QVariant(),
                   qint64(0),
                   qint64(-7),
                   qint64(123456),
                   qint64(1) << 53,
                   QStringLiteral("12.345"),
                   0.0,
                   -0.0};
    const double halves[] = {0.005, 0.015, 0.125, 0.285, 1.005, 2.675, 1.115, 10.245};
    for (double h : halves)
        for (double scale : {1.0, 10.0, 1000.0, 1e6, 1e9, 1e11, 1e12, 1e15}) {
            const double x = h + std::floor(scale * 1.2345);
            for (double s : {x, -x})
                v << s << std::nextafter(s, 0.0) << std::nextafter(s, 2 * s);
        }
    for (double big : {4503599627370496.0, 4503599627370497.5, 9007199254740994.0, 1e17 + 16, 1e20,
                       1e-9, -1e-9, -0.001, -0.004, -0.0049999, -0.0051})
        v << big << -big;
    // Quantities times prices less a discount, as the lines are.
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> cents(-500000, 5000000), quantity(1, 400);
    for (int i = 0; i < 20000; ++i) {
        const double price = cents(random) / 100.0, discount = cents(random) / 1000.0;
        const double q = quantity(random) / (i % 3 == 0 ? 4.0 : 1.0);
        v << q * price - discount << price * 1.1 << q * price / 3.0;
    }
    return v;
}

bool SameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    const double x = a.toDouble(), y = b.toDouble();
    return std::memcmp(&x, &y, sizeof x) == 0; // -0.0 and 0.0 apart
}

TEST(StorageMoney, OreMoneyRoundsEveryValueAsRoundDoes) {
    TScratchDb scratch{TDialect::SQLite};
    TDbConnection db{scratch.Url()};
    db.ExecRaw(QStringLiteral("CREATE TABLE V (X)"));
    const QVariantList values = Values();
    {
        TTransaction tr(db);
        for (const QVariant& x : values)
            ExecSql(db, QStringLiteral("INSERT INTO V (X) VALUES (:X)"), {{"X", x}});
        tr.Commit();
    }
    // PostgreSQL's form is ROUND itself, which SQLite runs as well.
    TSqlStatement st(db, QStringLiteral("SELECT X, %1, %2 FROM V ORDER BY rowid")
                             .arg(MoneySql(TDialect::PostgreSQL, QStringLiteral("X")),
                                  MoneySql(TDialect::SQLite, QStringLiteral("X"))));
    st.Exec();
    int rows = 0, differ = 0;
    while (st.Next()) {
        ++rows;
        if (!SameValue(st.Value(1), st.Value(2)) && ++differ <= 5)
            ADD_FAILURE() << "x = " << st.Value(0).toString().toStdString() << " ("
                          << QString::number(st.Value(0).toDouble(), 'g', 17).toStdString()
                          << "): ROUND " << st.Value(1).toString().toStdString() << ", ore_money "
                          << st.Value(2).toString().toStdString();
    }
    EXPECT_EQ(rows, values.size());
    EXPECT_EQ(differ, 0);
}

} // namespace
