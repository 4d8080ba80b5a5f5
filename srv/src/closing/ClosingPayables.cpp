#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"
#include "closing/DocumentNumbers.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/Money.h"

#include <cmath>

int GeraPagar(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
              const std::vector<TItem>& itens, const std::vector<TContrato>& ativos) {
    int n = 0;
    const double evento = o.evento.isNull() ? std::floor(stamp.agora) : o.evento.toDouble();
    auto paga = [&](const QString& fornecedor, const QString& cliente, const QString& operacao,
                    const QString& serie, double vencimento, double valor) {
        ExecSql(
            db,
            QStringLiteral("INSERT INTO CONTAPAG (CDFILIAL, NRCONTAPAG, CDFORNECEDOR, "
                           "CDCLIENTE, CDTPCTPAG, CDTIPOOPER, CDFILIORCA, NRORCAEVENTO, "
                           "NRSEQORCAEVE, CDSERIE, DTEMISSAO, DTVENCIMENTO, VRCONTAPAG, "
                           "CDOPERADOR) VALUES (:FILIAL, :CONTA, :FORNECEDOR, :CLIENTE, "
                           ":TIPO, :OPERACAO, :FILIAL, :NUMERO, :SEQ, :SERIE, :AGORA, "
                           ":VENCIMENTO, :VALOR, :OPER)"),
            With(KeyParams(o.key), {{QStringLiteral("CONTA"), Proximo(db, o.key.filial, "CPAG")},
                                    {QStringLiteral("FORNECEDOR"), Nullable(fornecedor)},
                                    {QStringLiteral("CLIENTE"), Nullable(cliente)},
                                    {QStringLiteral("TIPO"), TipoConta(db, operacao, "CDTPCTPAG")},
                                    {QStringLiteral("OPERACAO"), operacao},
                                    {QStringLiteral("SERIE"), serie},
                                    {QStringLiteral("AGORA"), stamp.agora},
                                    {QStringLiteral("VENCIMENTO"), vencimento},
                                    {QStringLiteral("VALOR"), Money(valor)},
                                    {QStringLiteral("OPER"), stamp.operador}}));
        ++n;
    };
    for (const auto& i : itens)
        if (!i.fornecedor.isEmpty())
            paga(i.fornecedor, {}, p.operEntrada, p.serieEntrada,
                 i.dataFornecedor.isNull() ? evento : i.dataFornecedor.toDouble(),
                 i.valorFornecedor.isNull() ? i.total : i.valorFornecedor.toDouble());
    // A budget below zero is a credit: each contracting client is paid back.
    if (Cents(o.total) < 0)
        for (const auto& c : ativos)
            if (Cents(c.valor) < 0)
                paga({}, c.cliente, p.operNegativo, p.serie, evento, -c.valor);
    return n;
}
