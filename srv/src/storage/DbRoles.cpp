#include "storage/DbRoles.h"

#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// The tables the host reads straight from the database: the screens'
// lookups and pickers, the framework's masks and product search, the
// branch's name at start-up, the address screen's places.
const char* const kHostReads[] = {
    "FILIAL",     "EMPRESA",      "EMPRESAFILIAL", "CLIENTE",      "ENDECLIE", "MODPGTO",
    "VENDEDOR",   "PAIS",         "ESTADO",        "MUNICIPIO",    "PRODUTO",  "PRODFILIAL",
    "TIPOEVENTO", "TIPOSERVEVEN", "PICTURE",       "PICTURENIVEL",
};
// Of the budgets, the host only checks that a key exists.
const char* const kHostBudgetColumns = "CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE";
// The filter dialogs' option sets, which the host keeps itself.
const char* const kHostWrites = "OPCAOFILTRO";

// The schema the tables are created in, quoted for a statement.
QString CurrentSchema(TDbConnection& db) {
    TSqlStatement st(db, QStringLiteral("SELECT quote_ident(current_schema())"));
    st.Exec();
    if (!st.Next() || st.Value(0).isNull())
        throw EDbError(
            QStringLiteral("O banco %1 não tem esquema no search_path para criar as tabelas.")
                .arg(db.Url().Display()));
    return st.Value(0).toString();
}

} // namespace

TDbRoles TDbRoles::WithPrefix(const QString& prefix) {
    static const QRegularExpression plain(QStringLiteral("^[a-z][a-z0-9_]{0,49}$"));
    if (!plain.match(prefix).hasMatch())
        throw EDbError(
            QStringLiteral("O prefixo dos papéis \"%1\" deve começar por letra minúscula "
                           "e ter só letras minúsculas, algarismos e \"_\" (até 50).")
                .arg(prefix));
    return {prefix + QStringLiteral("_owner"), prefix + QStringLiteral("_server"),
            prefix + QStringLiteral("_host")};
}

void CreateRoles(TDbConnection& db, const TDbRoles& roles) {
    // A role created meanwhile by another init-db shows up as one of the two.
    for (const QString& role : {roles.owner, roles.server, roles.host})
        db.ExecRaw(QStringLiteral("DO $do$ BEGIN CREATE ROLE %1 LOGIN; "
                                  "EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; "
                                  "END $do$")
                       .arg(role));
}

void BecomeOwner(TDbConnection& db, const TDbRoles& roles) {
    const QString all = QStringList{roles.owner, roles.server, roles.host}.join(u", ");
    // Acting as the owner takes membership; a superuser has it already.
    db.ExecRaw(QStringLiteral("DO $do$ BEGIN "
                              "IF NOT pg_has_role(current_user, '%1', 'MEMBER') THEN "
                              "EXECUTE format('GRANT %1 TO %I', current_user); END IF; "
                              "EXCEPTION WHEN unique_violation THEN NULL; END $do$")
                   .arg(roles.owner));
    // Every role of the cluster may connect to a new database by default.
    db.ExecRaw(QStringLiteral("DO $do$ BEGIN "
                              "EXECUTE format('REVOKE CONNECT, TEMPORARY ON DATABASE %I FROM "
                              "PUBLIC', current_database()); "
                              "EXECUTE format('GRANT CONNECT ON DATABASE %I TO %1', "
                              "current_database()); END $do$")
                   .arg(all));
    const QString schema = CurrentSchema(db);
    db.ExecRaw(QStringLiteral("REVOKE CREATE ON SCHEMA %1 FROM PUBLIC").arg(schema));
    db.ExecRaw(QStringLiteral("GRANT USAGE, CREATE ON SCHEMA %1 TO %2").arg(schema, roles.owner));
    db.ExecRaw(
        QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2, %3").arg(schema, roles.server, roles.host));
    db.ExecRaw(QStringLiteral("SET LOCAL ROLE %1").arg(roles.owner));
}

void GrantTableRights(TDbConnection& db, const TDbRoles& roles) {
    const QString schema = CurrentSchema(db);
    const QString serverTables =
        QStringLiteral("SELECT, INSERT, UPDATE, DELETE ON %1 TO ") + roles.server;
    const QString serverSequences = QStringLiteral("USAGE, UPDATE ON %1 TO ") + roles.server;
    db.ExecRaw(QStringLiteral("GRANT ") +
               serverTables.arg(QStringLiteral("ALL TABLES IN SCHEMA ") + schema));
    db.ExecRaw(QStringLiteral("GRANT ") +
               serverSequences.arg(QStringLiteral("ALL SEQUENCES IN SCHEMA ") + schema));
    const QString later =
        QStringLiteral("ALTER DEFAULT PRIVILEGES IN SCHEMA %1 GRANT ").arg(schema);
    db.ExecRaw(later + serverTables.arg(QStringLiteral("TABLES")));
    db.ExecRaw(later + serverSequences.arg(QStringLiteral("SEQUENCES")));

    QStringList reads;
    for (const char* table : kHostReads)
        reads << QString::fromLatin1(table);
    db.ExecRaw(QStringLiteral("GRANT SELECT ON %1 TO %2").arg(reads.join(u", "), roles.host));
    db.ExecRaw(QStringLiteral("GRANT SELECT (%1) ON ORCAEVENTO TO %2")
                   .arg(QLatin1String(kHostBudgetColumns), roles.host));
    db.ExecRaw(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON %1 TO %2")
                   .arg(QLatin1String(kHostWrites), roles.host));
}
