#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/Money.h"

void AjustaPai(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
               const std::vector<TParcelaAberta>& abertas) {
    // The child's total is spread evenly over the parent's open instalments.
    double resto = Money(o.total);
    for (size_t i = 0; i < abertas.size(); ++i) {
        const auto& a = abertas[i];
        const double v = i + 1 == abertas.size() ? Money(resto) : Money(o.total / abertas.size());
        resto -= v;
        const TSqlParams parc = {{QStringLiteral("FILIAL"), a.filial},
                                 {QStringLiteral("CONTA"), a.conta},
                                 {QStringLiteral("PARCELA"), a.parcela}};
        TSqlStatement nr(db, QStringLiteral("SELECT COALESCE(MAX(NRAJUSTE), 0) + 1 FROM "
                                            "AJUSTECONTAREC WHERE CDFILIAL = :FILIAL AND "
                                            "NRCONTAREC = :CONTA AND NRPARCELA = :PARCELA"));
        One(nr, parc);
        TSqlParams ajuste = parc;
        ajuste.insert(ajuste.end(), {{QStringLiteral("AJUSTE"), nr.Value(0).toInt()},
                                     {QStringLiteral("TIPO"), p.tipoAjuste},
                                     {QStringLiteral("VALOR"), v},
                                     {QStringLiteral("AGORA"), stamp.agora},
                                     {QStringLiteral("FILIORCA"), o.key.filial},
                                     {QStringLiteral("NUMERO"), o.key.numero},
                                     {QStringLiteral("SEQ"), o.key.seq},
                                     {QStringLiteral("OPER"), stamp.operador}});
        ExecSql(db,
                QStringLiteral("INSERT INTO AJUSTECONTAREC (CDFILIAL, NRCONTAREC, NRPARCELA, "
                               "NRAJUSTE, CDTPAJUSTEREC, VRAJUSTE, DTAJUSTE, CDFILIORCA, "
                               "NRORCAEVENTO, NRSEQORCAEVE, CDOPERADOR) VALUES (:FILIAL, :CONTA, "
                               ":PARCELA, :AJUSTE, :TIPO, :VALOR, :AGORA, :FILIORCA, :NUMERO, "
                               ":SEQ, :OPER)"),
                ajuste);
        ExecSql(db,
                QStringLiteral("UPDATE PARCCONTAREC SET VRPARCELA = VRPARCELA + :VALOR WHERE "
                               "CDFILIAL = :FILIAL AND NRCONTAREC = :CONTA AND NRPARCELA = "
                               ":PARCELA"),
                With(parc, {{QStringLiteral("VALOR"), v}}));
        ExecSql(db,
                QStringLiteral("UPDATE CONTAREC SET VRCONTAREC = VRCONTAREC + :VALOR WHERE "
                               "CDFILIAL = :FILIAL AND NRCONTAREC = :CONTA"),
                {{QStringLiteral("VALOR"), v},
                 {QStringLiteral("FILIAL"), a.filial},
                 {QStringLiteral("CONTA"), a.conta}});
    }
}
