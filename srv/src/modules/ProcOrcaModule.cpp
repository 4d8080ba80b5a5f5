#include "modules/ProcOrcaModule.h"

#include "core/data/PacketCodec.h"
#include "core/data/RowStore.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "modules/OrcaReads.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/BudgetKey.h"

namespace {

const QString kServer = QStringLiteral("ORE06400.rdmProcOrca");

QVariant GetOperControle(TDbConnection& db, const QVariantList& args) {
    const QString oper = Args(args).Count(1).String(0, "CDOPERADOR");
    TTransaction tr(db, TTransaction::TMode::Read);
    {
        TSqlStatement st(db, QStringLiteral("SELECT IDATIVOOPER FROM OPERADOR "
                                            "WHERE CDOPERADOR = :CDOPERADOR"));
        st.Exec({{"CDOPERADOR", oper}});
        if (!st.Next())
            throw ERemoteError(QStringLiteral("O operador \"%1\" não está cadastrado.").arg(oper));
        if (st.Value(0).toString() != QLatin1String("S"))
            throw ERemoteError(QStringLiteral("O operador \"%1\" está inativo.").arg(oper));
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

// One budget as the processing screen shows it, read in one snapshot with the
// closing list's statements, so that both screens show the same figures.
QVariant GetOrcaProc(TDbConnection& db, const QVariantList& args) {
    const TArgs a = Args(args).Count(3);
    const TBudgetKey key{a.String(0, "CDFILIAL"), a.String(1, "NRORCAEVENTO"),
                         a.String(2, "NRSEQORCAEVE")};
    const QString where = KeyWhere("O");
    const TSqlParams params = KeyParams(key);
    TTransaction tr(db, TTransaction::TMode::Read);
    TSqlStatement header(db, OrcaEventoSql(where).sql);
    header.Exec(params);
    const std::unique_ptr<TRowStore> budget = header.ReadRows(LayoutOrcaEvento());
    if (budget->RowCount() == 0)
        throw ERemoteError(QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    QVariantList out;
    out << QVariant::fromValue(EncodePacket(*budget))
        << QVariant::fromValue(
               SelectPacket(db, TotalOrcaSql(db.Dialect(), where), params, LayoutTotalOrca()))
        << QVariant::fromValue(
               SelectPacket(db, ItemOrcaEvenSql(where), params, LayoutItemOrcaEven()))
        << QVariant::fromValue(SelectPacket(db, SalaoEvenSql(), params, LayoutSalaoEven()))
        << QVariant::fromValue(SelectPacket(db, ItMaoObraSql(where), params, LayoutItMaoObra()));
    tr.Commit();
    return out;
}

} // namespace

void RegisterProcOrca(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    registry.Register(kServer, QStringLiteral("GetOperControle"),
                      [url](TCallContext&, const QVariantList& args) {
                          return GetOperControle(OpenDatabase(url), args);
                      });
    registry.MarkOperatorArgument(kServer, QStringLiteral("GetOperControle"), 0);
    registry.Register(kServer, QStringLiteral("GetOrcaProc"),
                      [url](TCallContext&, const QVariantList& args) {
                          return GetOrcaProc(OpenDatabase(url), args);
                      });
}
