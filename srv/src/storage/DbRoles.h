#pragma once

#include <QString>

class TDbConnection;

// The PostgreSQL roles of a deployment and what each may do (docs/deployment.md):
// - owner: owns the tables; init-db and later schema changes run as it;
// - server: reads and writes every table (ore-server serve);
// - host: reads the tables of the host's direct queries and keeps the filter
//   dialogs' option sets, nothing more.
struct TDbRoles {
    QString owner;
    QString server;
    QString host;

    // "<prefix>_owner", "<prefix>_server", "<prefix>_host". The prefix is a
    // lower-case letter followed by up to 49 lower-case letters, digits or
    // "_", so that the names need no quoting; anything else is an EDbError.
    static TDbRoles WithPrefix(const QString& prefix);
};

// Creates those of the roles that do not exist yet, LOGIN and without a
// password. Roles belong to the whole cluster and init-db may run on several
// of its databases at once, so a role that appears meanwhile is no error.
// Runs outside any transaction: each role is committed on its own.
void CreateRoles(TDbConnection& db, const TDbRoles& roles);

// Inside the transaction that creates the schema, before its tables: who may
// connect to the database and create in its schema, then acts as the owner
// for the rest of the transaction, so that the owner owns what follows.
void BecomeOwner(TDbConnection& db, const TDbRoles& roles);

// Inside the same transaction, after the tables exist: the server's and the
// host's rights on them. Tables the owner adds later give the server the same
// rights by default; the host gets only what is named here.
void GrantTableRights(TDbConnection& db, const TDbRoles& roles);
