#include "contratante/ContratanteChecks.h"

#include "contratante/ContratanteReads.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/Money.h"

#include <algorithm>
#include <cmath>

QString VdContraCancelado(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN IDSITUCONTOREV = 'ATIVO' "
                                        "THEN 1 ELSE 0 END) FROM CONTRATORCA WHERE ") +
                             KeyWhere());
    st.Exec(KeyParams(key));
    st.Next();
    const bool todosCancelados = st.Value(0).toLongLong() > 0 && st.Value(1).toLongLong() == 0;
    return todosCancelados ? QStringLiteral("CONTRAT_CANCELADO") : QString();
}

QString VdValor(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    const auto ativos = Ativos(db, key);
    if (!orca.existe || ativos.empty())
        return {};
    qint64 soma = 0;
    for (const auto& c : ativos) {
        if (c.valor.isNull())
            return QStringLiteral("N_PARAM_VRNOTA_ZERO");
        soma += Cents(c.valor.toDouble());
    }
    if (soma != Cents(orca.total))
        return QStringLiteral("SOMA_DIFER_REALIZADO");
    // Guests are checked only when the budget states how many it expects,
    // each rule over every active client before the next rule.
    if (orca.convidados.isNull())
        return {};
    const double esperado = orca.convidados.toDouble();
    auto algum = [&ativos](auto regra) { return std::any_of(ativos.begin(), ativos.end(), regra); };
    if (algum([](const TContratante& c) { return c.convidados.isNull(); }))
        return QStringLiteral("CONV_N_INF");
    if (algum([](const TContratante& c) {
            const double q = c.convidados.toDouble();
            return q < 0 || q != std::floor(q);
        }))
        return QStringLiteral("CONV_INV");
    if (algum([esperado](const TContratante& c) { return c.convidados.toDouble() > esperado; }))
        return QStringLiteral("CONV_MAI");
    double convidados = 0;
    for (const auto& c : ativos)
        convidados += c.convidados.toDouble();
    if (convidados != esperado)
        return QStringLiteral("CONV_DIF");
    return {};
}

QString VdValorNegativo(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    if (!orca.existe || Cents(orca.total) >= 0)
        return {};
    // A budget below zero is a credit to its contracting clients (paid back,
    // or taken off a closed parent's instalments), so none may be charged.
    for (const auto& c : Ativos(db, key))
        if (Cents(c.valor.toDouble()) >= 0)
            return QStringLiteral("VALOR_COBRADO_MENOR");
    return {};
}

bool QtContratantesConfere(TDbConnection& db, const TBudgetKey& key) {
    const TOrcaResumo orca = Resumo(db, key);
    // No expected count means any number of contracting clients will do.
    if (!orca.existe || orca.qtContratantes.isNull() || orca.qtContratantes.toLongLong() <= 0)
        return true;
    return qint64(Ativos(db, key).size()) == orca.qtContratantes.toLongLong();
}

QString TipoEveCustoEfetivo(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT T.IDCUSTOEFETIVO FROM ORCAEVENTO O JOIN "
                                        "TIPOEVENTO T ON T.CDTIPOEVENTO = O.CDTIPOEVENTO "
                                        "WHERE O.CDFILIAL = :FILIAL AND O.NRORCAEVENTO = "
                                        ":NUMERO AND O.NRSEQORCAEVE = :SEQ"));
    st.Exec(KeyParams(key));
    return st.Next() ? st.Value(0).toString() : QStringLiteral("N");
}
