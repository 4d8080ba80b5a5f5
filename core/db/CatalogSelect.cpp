#include "core/db/CatalogSelect.h"

namespace {

// The alias of join `index` in the joined statement: a name no statement of
// ours gives its own tables.
QString Alias(size_t index) {
    return QStringLiteral("CJ%1").arg(index + 1);
}

} // namespace

QString BareCodeColumn(size_t index) {
    return QStringLiteral("CJ%1_CODIGO").arg(index + 1);
}

TCatalogSelect CatalogSelect(const QString& columns, const QString& from, const QString& rest,
                             std::vector<TCatalogJoin> joins) {
    QString joinedColumns = columns, codeColumns = columns, joinClauses;
    for (size_t i = 0; i < joins.size(); ++i) {
        const TCatalogJoin& j = joins[i];
        const QString alias = Alias(i);
        for (const QString& c : j.columns)
            joinedColumns += QStringLiteral(", %1.%2").arg(alias, c);
        codeColumns += QStringLiteral(", %1 AS %2").arg(j.code, BareCodeColumn(i));
        joinClauses += QStringLiteral("\n%1 %2 %3 ON %3.%4 = %5")
                           .arg(j.inner ? QStringLiteral("JOIN") : QStringLiteral("LEFT JOIN"),
                                j.table, alias, j.key, j.code);
    }
    return {QStringLiteral("SELECT %1\nFROM %2%3\n%4").arg(joinedColumns, from, joinClauses, rest),
            QStringLiteral("SELECT %1\nFROM %2\n%3").arg(codeColumns, from, rest),
            std::move(joins)};
}
