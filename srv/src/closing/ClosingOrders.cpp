#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"
#include "closing/DocumentNumbers.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "storage/Money.h"

#include <map>

int GeraPedidos(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
                const std::vector<TItem>& itens) {
    // One order per supplying branch and department.
    std::map<std::pair<QString, QString>, std::vector<const TItem*>> grupos;
    for (const auto& i : itens)
        if (i.fornecedor.isEmpty())
            grupos[{i.filialPedido, i.depto}].push_back(&i);
    for (const auto& [destino, lista] : grupos) {
        const QString nr = Proximo(db, destino.first, "PED");
        double soma = 0;
        for (const TItem* i : lista)
            soma += i->total;
        ExecSql(db,
                QStringLiteral("INSERT INTO PEDIDO (CDFILIAL, NRPEDIDO, CDFILIORCA, NRORCAEVENTO, "
                               "NRSEQORCAEVE, CDDEPTO, CDCLIENTE, CDSERIEPED, DTPEDIDO, DTENTREGA, "
                               "VRTOTALPED, CDOPERADOR) VALUES (:DESTINO, :PEDIDO, :FILIAL, "
                               ":NUMERO, :SEQ, :DEPTO, :CLIENTE, :SERIE, :AGORA, :ENTREGA, "
                               ":TOTAL, :OPER)"),
                With(KeyParams(o.key), {{QStringLiteral("DESTINO"), destino.first},
                                        {QStringLiteral("PEDIDO"), nr},
                                        {QStringLiteral("DEPTO"), destino.second},
                                        {QStringLiteral("CLIENTE"), o.cliente},
                                        {QStringLiteral("SERIE"), p.seriePedido},
                                        {QStringLiteral("AGORA"), stamp.agora},
                                        {QStringLiteral("ENTREGA"), o.evento},
                                        {QStringLiteral("TOTAL"), Money(soma)},
                                        {QStringLiteral("OPER"), stamp.operador}}));
        int n = 0;
        for (const TItem* i : lista)
            ExecSql(db,
                    QStringLiteral("INSERT INTO ITEMPEDIDO (CDFILIAL, NRPEDIDO, NRITEMPED, "
                                   "CDPRODUTO, QTITEMPED, VRUNITPED, VRTOTALITEMPED) VALUES "
                                   "(:DESTINO, :PEDIDO, :ITEM, :PRODUTO, :QT, :PRECO, :TOTAL)"),
                    {{QStringLiteral("DESTINO"), destino.first},
                     {QStringLiteral("PEDIDO"), nr},
                     {QStringLiteral("ITEM"), ++n},
                     {QStringLiteral("PRODUTO"), i->produto},
                     {QStringLiteral("QT"), i->qt},
                     {QStringLiteral("PRECO"), i->preco},
                     {QStringLiteral("TOTAL"), i->total}});
    }
    return int(grupos.size());
}
