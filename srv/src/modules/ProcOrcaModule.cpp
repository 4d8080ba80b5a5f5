#include "ProcOrcaModule.h"

#include "ControlLayouts.h"
#include "DbConnection.h"
#include "SqlStatement.h"
#include "rpc/RemoteModuleRegistry.h"

namespace {

QVariant GetOperControle(TDbConnection& db, const QVariantList& args) {
    const QString oper = Args(args).Count(1).String(0, "CDOPERADOR");
    TTransaction tr(db, TTransaction::TMode::Read);
    {
        TSqlStatement st(db, QStringLiteral("SELECT IDATIVOOPER FROM OPERADOR "
                                            "WHERE CDOPERADOR = :CDOPERADOR"));
        st.Exec({{"CDOPERADOR", oper}});
        if (!st.Next())
            throw ERemoteError(
                QStringLiteral("O operador \"%1\" não está cadastrado.").arg(oper.trimmed()));
        if (st.Value(0).toString() != QLatin1String("S"))
            throw ERemoteError(
                QStringLiteral("O operador \"%1\" está inativo.").arg(oper.trimmed()));
    }
    // An operator without a rights row gets an empty packet: the screen then
    // follows the module's parameters alone.
    QVariantList out;
    out << QVariant::fromValue(
               SelectPacket(db,
                            QStringLiteral("SELECT CDOPERADOR, CDPROCHABLANOPE, CDPROCHABAPROPE, "
                                           "CDPROCHABFECOPE FROM OPERCONTROLE "
                                           "WHERE CDOPERADOR = :CDOPERADOR"),
                            {{"CDOPERADOR", oper}}, LayoutOperControle()))
        << QVariant::fromValue(SelectPacket(
               db,
               QStringLiteral("SELECT CDPROCHABLANORE, CDPROCHABAPRORE, CDPROCHABFECORE "
                              "FROM PARAMORCA"),
               {}, LayoutParamControle()));
    tr.Commit();
    return out;
}

} // namespace

void RegisterProcOrca(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    registry.Register(QStringLiteral("ORE06400.rdmProcOrca"), QStringLiteral("GetOperControle"),
                      [url](TCallContext&, const QVariantList& args) {
                          return GetOperControle(OpenDatabase(url), args);
                      });
}
