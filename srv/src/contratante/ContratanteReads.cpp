#include "contratante/ContratanteReads.h"

#include "core/data/FieldDef.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "core/layouts/ControlLayouts.h"
#include "rpc/CallContext.h"

namespace {

TFieldDefs LayoutContratantes() {
    return {StrField(QStringLiteral("CDCLIENCONTORCA"), 21),
            StrField(QStringLiteral("NMRAZSOCCLIE"), 50),
            StrField(QStringLiteral("IDSITUCONTOREV"), 10),
            FloatField(QStringLiteral("VRRECECONTOREV")),
            FloatField(QStringLiteral("QTCONVCONTOREV")),
            StrField(QStringLiteral("CDEMPRESA"), 4)};
}

TFieldDefs LayoutResumoOrca() {
    return {StrField(QStringLiteral("IDSITUORCEVE"), 1),
            StrField(QStringLiteral("DSTITUORCEVE"), 100),
            FloatField(QStringLiteral("VRTOTALOREV")), FloatField(QStringLiteral("QTCONVORCEVE")),
            FloatField(QStringLiteral("QTCONTRATOREV"))};
}

} // namespace

std::vector<TContratante> Ativos(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT CDCLIENCONTORCA, VRRECECONTOREV, QTCONVCONTOREV, "
                                        "CDEMPRESA FROM CONTRATORCA WHERE ") +
                             KeyWhere() +
                             QStringLiteral(" AND IDSITUCONTOREV = 'ATIVO' ORDER BY "
                                            "CDCLIENCONTORCA"));
    st.Exec(KeyParams(key));
    std::vector<TContratante> out;
    while (st.Next())
        out.push_back({st.Value(0).toString(), st.Value(1), st.Value(2), st.Value(3)});
    return out;
}

TOrcaResumo Resumo(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT IDSITUORCEVE, VRTOTALOREV, QTCONVORCEVE, "
                                        "QTCONTRATOREV, CDTIPOEVENTO FROM ORCAEVENTO WHERE ") +
                             KeyWhere());
    st.Exec(KeyParams(key));
    TOrcaResumo r;
    if (st.Next()) {
        r.existe = true;
        r.situacao = st.Value(0).toString();
        r.total = st.Value(1).toDouble();
        r.convidados = st.Value(2);
        r.qtContratantes = st.Value(3);
        r.tipoEvento = st.Value(4).toString();
    }
    return r;
}

QString SituacaoContratante(TDbConnection& db, const TBudgetKey& key, const QString& cliente) {
    TSqlStatement st(db, QStringLiteral("SELECT IDSITUCONTOREV FROM CONTRATORCA WHERE ") +
                             KeyWhere() + QStringLiteral(" AND CDCLIENCONTORCA = :CLIENTE"));
    TSqlParams p = KeyParams(key);
    p.emplace_back(QStringLiteral("CLIENTE"), cliente);
    st.Exec(p);
    return st.Next() ? st.Value(0).toString() : QString();
}

TDataPacket ExisteContratantePacket(TDbConnection& db, const TBudgetKey& key) {
    return SelectPacket(db,
                        QStringLiteral("SELECT CDCLIENCONTORCA, IDSITUCONTOREV, VRRECECONTOREV "
                                       "FROM CONTRATORCA WHERE ") +
                            KeyWhere() + QStringLiteral(" ORDER BY CDCLIENCONTORCA"),
                        KeyParams(key), LayoutExisteContratante());
}

TDataPacket ContratantesPacket(TDbConnection& db, const TBudgetKey& key) {
    return SelectPacket(
        db,
        QStringLiteral("SELECT C.CDCLIENCONTORCA, L.NMRAZSOCCLIE, C.IDSITUCONTOREV, "
                       "C.VRRECECONTOREV, C.QTCONVCONTOREV, C.CDEMPRESA FROM "
                       "CONTRATORCA C JOIN CLIENTE L ON L.CDCLIENTE = "
                       "C.CDCLIENCONTORCA WHERE C.CDFILIAL = :FILIAL AND "
                       "C.NRORCAEVENTO = :NUMERO AND C.NRSEQORCAEVE = :SEQ ORDER BY "
                       "C.CDCLIENCONTORCA"),
        KeyParams(key), LayoutContratantes());
}

TDataPacket ResumoOrcaPacket(TDbConnection& db, const TBudgetKey& key) {
    // The screen has nothing to show for a budget that is not there.
    if (!Resumo(db, key).existe)
        throw ERemoteError(QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    return SelectPacket(db,
                        QStringLiteral("SELECT IDSITUORCEVE, DSTITUORCEVE, VRTOTALOREV, "
                                       "QTCONVORCEVE, QTCONTRATOREV FROM ORCAEVENTO WHERE ") +
                            KeyWhere(),
                        KeyParams(key), LayoutResumoOrca());
}
