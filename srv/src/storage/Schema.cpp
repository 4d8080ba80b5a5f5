#include "storage/Schema.h"

#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "storage/DbRoles.h"

#include <QDir>
#include <QFile>

namespace {

// Tables looked for to tell an empty database from one that has the schema.
const char* const kMarkerTables[] = {"FILIAL", "ORCAEVENTO", "CLIENTE", "PRODUTO"};

} // namespace

QString SchemaPath(TDialect dialect) {
    QString dir = qEnvironmentVariable("ORE_SQL_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(ORE_SQL_DIR);
    return QDir(dir).filePath(dialect == TDialect::SQLite
                                  ? QStringLiteral("sqlite/schema.sql")
                                  : QStringLiteral("postgresql/schema.sql"));
}

QString SchemaScript(TDialect dialect) {
    const QString path = SchemaPath(dialect);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EDbError(QStringLiteral("Não foi possível ler o esquema do banco %1: %2")
                           .arg(path, f.errorString()));
    return QString::fromUtf8(f.readAll());
}

QString ExistingSchemaTable(TDbConnection& db) {
    for (const char* table : kMarkerTables)
        if (db.HasTable(QString::fromLatin1(table)))
            return QString::fromLatin1(table);
    return {};
}

void CreateSchema(TDbConnection& db, const TDbRoles* roles) {
    const QString script = SchemaScript(db.Dialect());
    if (roles)
        CreateRoles(db, *roles);
    TTransaction tx(db);
    const QString existing = ExistingSchemaTable(db);
    if (!existing.isEmpty())
        throw EDbError(QStringLiteral("O banco %1 já tem tabelas do sistema (por exemplo %2); o "
                                      "esquema não foi criado de novo e nada foi alterado.")
                           .arg(db.Url().Display(), existing));
    if (roles)
        BecomeOwner(db, *roles);
    db.ExecScript(script);
    if (roles)
        GrantTableRights(db, *roles);
    tx.Commit();
}
