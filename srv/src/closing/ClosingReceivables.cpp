#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"
#include "closing/DocumentNumbers.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/Money.h"

int GeraReceber(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
                const QString& tipoConta, const std::vector<TContrato>& ativos,
                const std::vector<TPrazo>& prazos) {
    int n = 0;
    // One receivable per paying contracting client, split like the budget's
    // instalments; the last instalment takes what rounding left over.
    for (const auto& c : ativos) {
        if (Cents(c.valor) <= 0)
            continue;
        const QString nr = Proximo(db, o.key.filial, "CREC");
        ExecSql(db,
                QStringLiteral("INSERT INTO CONTAREC (CDFILIAL, NRCONTAREC, CDCLIENTE, CDTPCTREC, "
                               "CDTIPOOPER, CDFILIORCA, NRORCAEVENTO, NRSEQORCAEVE, CDEMPRESA, "
                               "CDSERIE, DTEMISSAO, VRCONTAREC, CDOPERADOR) VALUES (:FILIAL, "
                               ":CONTA, :CLIENTE, :TIPO, :OPERACAO, :FILIAL, :NUMERO, :SEQ, "
                               ":EMPRESA, :SERIE, :AGORA, :VALOR, :OPER)"),
                With(KeyParams(o.key), {{QStringLiteral("CONTA"), nr},
                                        {QStringLiteral("CLIENTE"), c.cliente},
                                        {QStringLiteral("TIPO"), tipoConta},
                                        {QStringLiteral("OPERACAO"), p.operVenda},
                                        {QStringLiteral("EMPRESA"), c.empresa},
                                        {QStringLiteral("SERIE"), p.serie},
                                        {QStringLiteral("AGORA"), stamp.agora},
                                        {QStringLiteral("VALOR"), Money(c.valor)},
                                        {QStringLiteral("OPER"), stamp.operador}}));
        double resto = Money(c.valor);
        for (size_t i = 0; i < prazos.size(); ++i) {
            const double v =
                i + 1 == prazos.size() ? Money(resto) : Money(c.valor * prazos[i].parte);
            resto -= v;
            ExecSql(db,
                    QStringLiteral("INSERT INTO PARCCONTAREC (CDFILIAL, NRCONTAREC, NRPARCELA, "
                                   "DTVENCPARC, VRPARCELA, IDSITUPARC) VALUES (:FILIAL, :CONTA, "
                                   ":PARCELA, :VENCIMENTO, :VALOR, 'A')"),
                    {{QStringLiteral("FILIAL"), o.key.filial},
                     {QStringLiteral("CONTA"), nr},
                     {QStringLiteral("PARCELA"), int(i + 1)},
                     {QStringLiteral("VENCIMENTO"), prazos[i].vencimento},
                     {QStringLiteral("VALOR"), v}});
        }
        ++n;
    }
    return n;
}
