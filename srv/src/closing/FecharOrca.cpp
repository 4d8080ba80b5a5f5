#include "closing/FecharOrca.h"

#include "closing/ClosingRules.h"
#include "closing/ClosingWriters.h"

#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "rpc/Args.h"
#include "storage/ConflictRetry.h"
#include "storage/DbDate.h"

#include <map>
#include <memory>
#include <set>

namespace {

[[noreturn]] void Refuse(const TRefusal& refusal) {
    throw ERemoteError(refusal.Message());
}

// The budgets the list marks for closing, each once, in list order.
std::vector<TBudgetKey> Marcados(const TDataPacket& lista) {
    TRecordSet rs;
    rs.SetData(lista);
    const TField* marca = rs.FindField(QStringLiteral("IDMARCADO"));
    const TField* filial = rs.FindField(QStringLiteral("CDFILIAL"));
    const TField* numero = rs.FindField(QStringLiteral("NRORCAEVENTO"));
    const TField* seq = rs.FindField(QStringLiteral("NRSEQORCAEVE"));
    if (!marca || !filial || !numero || !seq)
        throw ERemoteError(QStringLiteral("A lista de orçamentos enviada para o fechamento não "
                                          "tem os campos esperados."));
    std::vector<TBudgetKey> out;
    std::set<QString> vistos;
    for (rs.First(); !rs.Eof(); rs.Next()) {
        if (marca->AsString() != u"S")
            continue;
        TBudgetKey k{filial->AsString(), numero->AsString(), seq->AsString()};
        if (vistos.insert(k.filial + u'|' + k.numero + u'|' + k.seq).second)
            out.push_back(k);
    }
    return out;
}

void Fecha(TDbConnection& db, const TClosingStamp& stamp, const TBudgetKey& key,
           const std::optional<TDataPacket>& novosClientes, const TFaultPoints& faults) {
    auto checked = CheckClosing(db, key, novosClientes);
    if (const TRefusal* refusal = std::get_if<TRefusal>(&checked))
        Refuse(*refusal);
    TClosingPlan& plan = std::get<TClosingPlan>(checked);
    TOrca& o = plan.orca;
    const TParametros& p = plan.params;
    if (plan.novoCliente)
        RegistraCliente(db, o, *plan.novoCliente);

    TResultado r;
    r.pedidos = GeraPedidos(db, stamp, o, p, plan.itens);
    if (faults)
        faults(QStringLiteral("FecharOrca:pedidos"));
    if (plan.ajustaPai)
        AjustaPai(db, stamp, o, p, plan.abertas);
    else if (!plan.tipoReceber.isEmpty())
        r.receber =
            GeraReceber(db, stamp, o, p, plan.tipoReceber, plan.ativos, Prazos(db, o, stamp.agora));
    // Third-party items are always paid; the contracting clients are credited
    // a total below zero only when no parent took it.
    r.pagar = GeraPagar(db, stamp, o, p, plan.itens,
                        plan.ajustaPai ? std::vector<TContrato>() : plan.ativos);
    if (const auto refusal = RegistraFechamento(db, stamp, o, r))
        Refuse(*refusal);
}

} // namespace

QVariant FecharOrca(const DbUrl& url, const QVariantList& args, const TFaultPoints& faults,
                    const QString& sessionOperator) {
    const TArgs a = Args(args).Count(3);
    const TDataPacket lista = a.Packet(0, QStringLiteral("cdsOrcaEvento"));
    const QString named = a.String(1, QStringLiteral("operador"));
    const QString operador = sessionOperator.isEmpty() ? named : sessionOperator;
    const std::optional<TDataPacket> novos = a.PacketOrNull(2, QStringLiteral("cdsEndeNovoClie"));
    const std::vector<TBudgetKey> marcados = Marcados(lista);
    if (marcados.empty())
        throw ERemoteError(QStringLiteral("Nenhum orçamento foi marcado para fechamento."));

    // Each write of this closing is a point of its own, counted per statement
    // kind, so that a run can stop the server at every one in turn.
    std::map<QString, int> vezes;
    std::unique_ptr<TStatementWatch> watch;
    if (faults)
        watch = std::make_unique<TStatementWatch>([&](const QString& sql) {
            const QString point = WritePoint(sql);
            if (!point.isEmpty())
                faults(point + u'#' + QString::number(++vezes[point]));
        });

    TDbConnection& db = OpenDatabase(url);
    RunRetryingConflicts(
        [&] {
            vezes.clear(); // a retried closing passes the same points again
            TTransaction tr(db);
            if (const auto refusal = CheckOperador(db, operador))
                Refuse(*refusal);
            const TClosingStamp stamp{operador, OleFromDb(DbNow())};
            for (const auto& key : marcados)
                Fecha(db, stamp, key, novos, faults);
            if (faults)
                faults(QStringLiteral("FecharOrca:commit"));
            tr.Commit();
        },
        QStringLiteral("O banco de dados continuou ocupado com outras gravações e o fechamento "
                       "não foi realizado; nada foi gravado. Tente fechar de novo em instantes."));
    if (faults)
        faults(QStringLiteral("FecharOrca:committed"));
    return {};
}
