#include "core/db/CodeList.h"

#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlText.h"

#include <QRegularExpression>

QString CodeListCondition(TDbConnection& db, const QString& column, const QString& name,
                          const QStringList& codes, TSqlParams& params) {
    static const QRegularExpression placeholder(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!placeholder.match(name).hasMatch())
        throw EDbError(QStringLiteral("Nome de lista inválido: \"%1\".").arg(name));
    const TDialect dialect = db.Dialect();
    if (dialect != TDialect::SQLite || codes.size() < kCodeListTableFrom) {
        params.emplace_back(name, ListParam(dialect, codes));
        return InListCondition(dialect, column, name);
    }
    const QString table = QStringLiteral("temp.ORE_LISTA_") + name;
    ExecSql(db, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS ORE_LISTA_%1 (CODIGO TEXT "
                               "PRIMARY KEY) WITHOUT ROWID")
                    .arg(name));
    ExecSql(db, QStringLiteral("DELETE FROM %1").arg(table));
    ExecSql(
        db,
        QStringLiteral("INSERT OR IGNORE INTO %1 SELECT value FROM json_each(:CODIGOS)").arg(table),
        {{"CODIGOS", ListParam(dialect, codes)}});
    return QStringLiteral("%1 IN %2").arg(column, table);
}
