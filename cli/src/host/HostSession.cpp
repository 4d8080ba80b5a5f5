#include "host/HostSession.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"

namespace {

QString BranchName(TDbConnection& db, const QString& branch) {
    TSqlStatement select(db,
                         QStringLiteral("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :CDFILIAL"));
    select.Bind(QStringLiteral("CDFILIAL"), branch);
    select.Exec();
    if (!select.Next())
        throw EUsage(QStringLiteral("--branch: a filial %1 não existe no banco.").arg(branch));
    return select.Value(0).toString();
}

} // namespace

TSessionInfo SessionFromOptions(const THostOptions& options, TDbConnection* db) {
    TSessionInfo info;
    info.operador = options.operador;
    info.filiProc = options.branch;
    if (!options.branch.isEmpty() && db)
        info.nomeFiliProc = BranchName(*db, options.branch);
    info.moduFili = options.bound;
    info.webUrl = options.serverHost;
    info.webPort = options.serverPort;
    info.screenCode = options.openCode;
    return info;
}
