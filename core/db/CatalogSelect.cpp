#include "core/db/CatalogSelect.h"

namespace {

// The alias of join `index` in the joined statement: a name no statement of
// ours gives its own tables.
QString Alias(size_t index) {
    return QStringLiteral("CJ%1").arg(index + 1);
}

} // namespace

QString BareCodeColumn(size_t join, qsizetype part) {
    return QStringLiteral("CJ%1_CODIGO%2").arg(join + 1).arg(part + 1);
}

QString CatalogColumnName(const QString& column) {
    const qsizetype as = column.lastIndexOf(QLatin1String(" AS "), -1, Qt::CaseInsensitive);
    return as < 0 ? column : column.mid(as + 4).trimmed();
}

TCatalogSelect CatalogSelect(const QString& columns, const QString& from, const QString& rest,
                             std::vector<TCatalogJoin> joins) {
    QString joinedColumns = columns, codeColumns = columns, joinClauses;
    for (size_t i = 0; i < joins.size(); ++i) {
        const TCatalogJoin& j = joins[i];
        const QString alias = Alias(i);
        for (const QString& c : j.columns)
            joinedColumns += QStringLiteral(", %1.%2").arg(alias, c);
        QStringList on;
        for (qsizetype k = 0; k < j.key.size(); ++k) {
            codeColumns += QStringLiteral(", %1 AS %2").arg(j.code[k], BareCodeColumn(i, k));
            on << QStringLiteral("%1.%2 = %3").arg(alias, j.key[k], j.code[k]);
        }
        joinClauses += QStringLiteral("\n%1 %2 %3 ON %4")
                           .arg(j.inner ? QStringLiteral("JOIN") : QStringLiteral("LEFT JOIN"),
                                j.table, alias, on.join(QStringLiteral(" AND ")));
    }
    return {QStringLiteral("SELECT %1\nFROM %2%3\n%4").arg(joinedColumns, from, joinClauses, rest),
            QStringLiteral("SELECT %1\nFROM %2\n%3").arg(codeColumns, from, rest),
            std::move(joins)};
}
