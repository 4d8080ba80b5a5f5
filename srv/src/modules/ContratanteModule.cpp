#include "modules/ContratanteModule.h"

#include "contratante/ContratanteChecks.h"
#include "contratante/ContratanteReads.h"
#include "contratante/ContratanteUpkeep.h"
#include "core/db/DbConnection.h"
#include "core/db/DbUrl.h"

namespace {

const QString kServer = QStringLiteral("ORE09000.rdmContratante");

// A check's catalogue key, as the screen expects it: in a one-item array.
template <QString (*Check)(TDbConnection&, const TBudgetKey&)>
QVariant KeyAnswer(TDbConnection& db, const TBudgetKey& key) {
    return QVariantList{Check(db, key)};
}

template <TDataPacket (*Read)(TDbConnection&, const TBudgetKey&)>
QVariant PacketAnswer(TDbConnection& db, const TBudgetKey& key) {
    return QVariant::fromValue(Read(db, key));
}

QVariant QtContratantesAnswer(TDbConnection& db, const TBudgetKey& key) {
    return QtContratantesConfere(db, key);
}

// The calls whose only arguments are the budget's key.
const struct {
    const char* method;
    QVariant (*answer)(TDbConnection&, const TBudgetKey&);
} kKeyCalls[] = {
    {"GetExisteContratante", PacketAnswer<ExisteContratantePacket>},
    {"GetVdContraCancelado", KeyAnswer<VdContraCancelado>},
    {"GetVdValor", KeyAnswer<VdValor>},
    {"GetVdValorNegativo", KeyAnswer<VdValorNegativo>},
    {"GetVdTipoEveCustEfet", KeyAnswer<TipoEveCustoEfetivo>},
    {"GetQtContratantes", QtContratantesAnswer},
    {"GetContratantes", PacketAnswer<ContratantesPacket>},
    {"GetResumoOrca", PacketAnswer<ResumoOrcaPacket>},
};

// The upkeep calls: the key, the client, then value (or null), guests (or
// null) and billing company (or null), as many as each takes.
const struct {
    const char* method;
    int args;
    void (*run)(TDbConnection&, const TContratanteDados&);
} kUpkeep[] = {
    {"IncluirContratante", 7, IncluirContratante},
    {"AlterarContratante", 6, AlterarContratante},
    {"CancelarContratante", 4, CancelarContratante},
};

TBudgetKey KeyArgs(const TArgs& a) {
    return {a.String(0, QStringLiteral("CDFILIAL")), a.String(1, QStringLiteral("NRORCAEVENTO")),
            a.String(2, QStringLiteral("NRSEQORCAEVE"))};
}

QVariant OptionalDouble(const TArgs& a, int i, const QString& name) {
    return a.IsNull(i) ? QVariant() : QVariant(a.Double(i, name));
}

TContratanteDados UpkeepArgs(const QVariantList& args, int count) {
    const TArgs a = Args(args).Count(count);
    TContratanteDados c{KeyArgs(a), a.String(3, QStringLiteral("CDCLIENCONTORCA")), {}, {}, {}};
    if (count > 4) {
        c.valor = OptionalDouble(a, 4, QStringLiteral("VRRECECONTOREV"));
        c.convidados = OptionalDouble(a, 5, QStringLiteral("QTCONVCONTOREV"));
    }
    if (count > 6 && !a.IsNull(6))
        c.empresa = a.String(6, QStringLiteral("CDEMPRESA"));
    return c;
}

} // namespace

void RegisterContratanteModule(TRemoteModuleRegistry& registry, const QString& dbUrl) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    // Every check reads one snapshot of the budget.
    for (const auto& call : kKeyCalls)
        registry.Register(kServer, QString::fromLatin1(call.method),
                          [url, answer = call.answer](TCallContext&, const QVariantList& args) {
                              const TBudgetKey key = KeyArgs(Args(args).Count(3));
                              TDbConnection& db = OpenDatabase(url);
                              TTransaction tr(db, TTransaction::TMode::Read);
                              return answer(db, key);
                          });
    for (const auto& upkeep : kUpkeep)
        registry.Register(kServer, QString::fromLatin1(upkeep.method),
                          [url, upkeep](TCallContext&, const QVariantList& args) -> QVariant {
                              const TContratanteDados c = UpkeepArgs(args, upkeep.args);
                              TDbConnection& db = OpenDatabase(url);
                              TTransaction tr(db);
                              upkeep.run(db, c);
                              tr.Commit();
                              return {};
                          });
}
