#include "closing/ClosingReads.h"

#include "closing/ClosingSql.h"

#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "modules/DueDates.h"
#include "storage/Money.h"

#include <QDate>

#include <cmath>

std::optional<TOrca> LeOrca(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(
        db, QStringLiteral(
                "SELECT O.IDSITUORCEVE, O.IDSITCLIOREV, O.CDCLIENTE, O.NMCLIEORCEVE, "
                "O.VRTOTALOREV, O.DTEVENTO, O.IDTPFORMPGTOREV, O.NRDIAPGTOREV, O.QTPARCPGTOREV, "
                "O.IDMESINIPGTOREV, T.IDTPRECEOREV FROM ORCAEVENTO O LEFT JOIN TIPORECEORCA T "
                "ON T.CDTPRECEOREV = O.CDTPRECEOREV WHERE O.CDFILIAL = :FILIAL AND "
                "O.NRORCAEVENTO = :NUMERO AND O.NRSEQORCAEVE = :SEQ"));
    if (!One(st, KeyParams(key)))
        return std::nullopt;
    TOrca o;
    o.key = key;
    o.situacao = st.Value(QStringLiteral("IDSITUORCEVE")).toString();
    o.sitCliente = st.Value(QStringLiteral("IDSITCLIOREV")).toString();
    o.cliente = st.Value(QStringLiteral("CDCLIENTE")).toString();
    o.nomeNovo = st.Value(QStringLiteral("NMCLIEORCEVE")).toString();
    o.total = st.Value(QStringLiteral("VRTOTALOREV")).toDouble();
    o.evento = st.Value(QStringLiteral("DTEVENTO"));
    o.tipoForma = st.Value(QStringLiteral("IDTPFORMPGTOREV")).toString();
    o.diaPgto = st.Value(QStringLiteral("NRDIAPGTOREV"));
    o.qtParcelas = st.Value(QStringLiteral("QTPARCPGTOREV"));
    o.mesInicio = st.Value(QStringLiteral("IDMESINIPGTOREV")).toString();
    const QVariant tipo = st.Value(QStringLiteral("IDTPRECEOREV"));
    o.tipoRecebimento = tipo.isNull() ? QStringLiteral("N") : tipo.toString();
    return o;
}

TParametros LeParametros(TDbConnection& db, const QString& filial) {
    TSqlStatement st(
        db, QStringLiteral("SELECT F.CDSERIEPADRAO, P.CDFILIAL AS PARAMORCA, P.CDTIPOOPER, "
                           "P.CDTIPOOPERPAG, P.CDTIPOOPERNEG, P.CDSERIEENTR, P.CDTPAJUSTEREC, "
                           "PP.CDFILIAL AS PARAMPED, PP.CDSERIEPED FROM FILIAL F LEFT JOIN "
                           "PARAMORCAFILI P ON P.CDFILIAL = F.CDFILIAL LEFT JOIN PARAMPEDIDO PP "
                           "ON PP.CDFILIAL = F.CDFILIAL WHERE F.CDFILIAL = :FILIAL"));
    TParametros p;
    if (!One(st, {{QStringLiteral("FILIAL"), filial}}))
        return p;
    p.serie = st.Value(QStringLiteral("CDSERIEPADRAO")).toString().trimmed();
    p.temParamOrca = !st.Value(QStringLiteral("PARAMORCA")).isNull();
    p.operVenda = st.Value(QStringLiteral("CDTIPOOPER")).toString();
    p.operEntrada = st.Value(QStringLiteral("CDTIPOOPERPAG")).toString();
    p.operNegativo = st.Value(QStringLiteral("CDTIPOOPERNEG")).toString();
    p.serieEntrada = st.Value(QStringLiteral("CDSERIEENTR")).toString().trimmed();
    p.tipoAjuste = st.Value(QStringLiteral("CDTPAJUSTEREC")).toString();
    p.temParamPedido = !st.Value(QStringLiteral("PARAMPED")).isNull();
    p.seriePedido = st.Value(QStringLiteral("CDSERIEPED")).toString();
    return p;
}

// The kind of receivable (CDTPCTREC) or payable (CDTPCTPAG) an operation generates.
QString TipoConta(TDbConnection& db, const QString& operacao, const char* coluna) {
    TSqlStatement st(db, QStringLiteral("SELECT %1 FROM TIPOOPER WHERE CDTIPOOPER = :OPER")
                             .arg(QLatin1String(coluna)));
    return One(st, {{QStringLiteral("OPER"), operacao}}) ? st.Value(0).toString().trimmed()
                                                         : QString();
}

std::vector<TContrato> Contratos(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT CDCLIENCONTORCA, VRRECECONTOREV, CDEMPRESA FROM "
                                        "CONTRATORCA WHERE CDFILIAL = :FILIAL AND NRORCAEVENTO = "
                                        ":NUMERO AND NRSEQORCAEVE = :SEQ AND IDSITUCONTOREV = "
                                        "'ATIVO' ORDER BY CDCLIENCONTORCA"));
    st.Exec(KeyParams(key));
    std::vector<TContrato> out;
    while (st.Next())
        out.push_back({st.Value(0).toString(), st.Value(2).toString(), st.Value(1).toDouble()});
    return out;
}

std::vector<TItem> Itens(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(
        db, QStringLiteral(
                "SELECT I.CDPRODUTO, P.NMPRODUTO, I.QTITEMORCEVE, I.VRITEMORCEVE, I.VRDESCITOREV, "
                "I.VRACREITOREV, I.CDFORNECEDOR, I.VRPGFORNOREV, I.DTPGFORNOREV, PF.CDDEPTO, "
                "DF.CDFILIPEDORC FROM ITEMORCAEVEN I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
                "LEFT JOIN PRODFILIAL PF ON PF.CDFILIAL = I.CDFILIAL AND PF.CDPRODUTO = "
                "I.CDPRODUTO LEFT JOIN DEPTOFILIAL DF ON DF.CDFILIAL = I.CDFILIAL AND DF.CDDEPTO "
                "= PF.CDDEPTO WHERE I.CDFILIAL = :FILIAL AND I.NRORCAEVENTO = :NUMERO AND "
                "I.NRSEQORCAEVE = :SEQ ORDER BY I.NRITEMORCEVE"));
    st.Exec(KeyParams(key));
    std::vector<TItem> out;
    while (st.Next()) {
        TItem i;
        i.produto = st.Value(0).toString();
        i.nome = st.Value(1).toString();
        i.qt = st.Value(2).toDouble();
        i.preco = st.Value(3).toDouble();
        i.total = Money(i.qt * i.preco - st.Value(4).toDouble() + st.Value(5).toDouble());
        i.fornecedor = st.Value(6).toString();
        i.valorFornecedor = st.Value(7);
        i.dataFornecedor = st.Value(8);
        i.depto = st.Value(9).toString();
        i.filialPedido = st.Value(10).toString();
        out.push_back(i);
    }
    return out;
}

// Due dates (OLE days) and shares of the budget's instalments.
std::vector<TPrazo> Prazos(TDbConnection& db, const TOrca& o, double hoje) {
    std::vector<TPrazo> out;
    TSqlStatement st(db, QStringLiteral("SELECT DTVENCPARCOREV, QTDIASPGTOREV, VRPARCELAOREV "
                                        "FROM PRAZOPGTOORCA WHERE CDFILIAL = :FILIAL AND "
                                        "NRORCAEVENTO = :NUMERO AND NRSEQORCAEVE = :SEQ ORDER BY "
                                        "NRPARCOREV"));
    st.Exec(KeyParams(o.key));
    while (st.Next()) {
        const double due = st.Value(0).isNull() ? std::floor(hoje) + st.Value(1).toDouble()
                                                : st.Value(0).toDouble();
        out.push_back({due, o.total != 0 ? st.Value(2).toDouble() / o.total : 0});
    }
    if (!out.empty())
        return out;
    const double evento = o.evento.isNull() ? std::floor(hoje) : std::floor(o.evento.toDouble());
    if (o.tipoForma == u"F" && o.qtParcelas.toInt() > 0) {
        // Fixed day of the month, from this month ("I") or the next one.
        const int n = o.qtParcelas.toInt();
        const QDate base = QDate(1899, 12, 30).addDays(qint64(hoje));
        const QDate mes(base.year(), base.month(), 1);
        for (const QDate& d : MonthlyDueDates(mes.addMonths(o.mesInicio == u"I" ? 0 : 1),
                                              qBound(1, o.diaPgto.toInt(), 31), n))
            out.push_back({double(QDate(1899, 12, 30).daysTo(d)), 1.0 / n});
        return out;
    }
    out.push_back({evento, 1.0});
    return out;
}

std::optional<TNovoCliente> NovoCliente(const std::optional<TDataPacket>& packet,
                                        const TBudgetKey& key) {
    if (!packet || packet->IsEmpty())
        return std::nullopt;
    TRecordSet rs;
    rs.SetData(*packet);
    auto text = [&rs](const char* field) {
        const TField* f = rs.FindField(QString::fromLatin1(field));
        return f && !f->IsNull() ? f->AsString().trimmed() : QString();
    };
    for (rs.First(); !rs.Eof(); rs.Next()) {
        const QString filial = text("CDFILIAL"), numero = text("NRORCAEVENTO"),
                      seq = text("NRSEQORCAEVE");
        if (filial != key.filial || numero != key.numero || seq != key.seq)
            continue;
        return TNovoCliente{text("NRINSJURORCA"), text("IDTPINJUORCA").toUpper(),
                            text("NMFANTCLIE"),   text("NMRAZSOCCLIE"),
                            text("CDPAIS"),       text("SGESTADO"),
                            text("CDMUNICIPIO"),  text("DSENDECLIORE"),
                            text("NMBAIRCLIORE"), text("DSCOENDCLORE"),
                            text("NRCEPCLIEORE"), text("NRTELECLIORE"),
                            text("DSEMAILCLOR1")};
    }
    return std::nullopt;
}

bool OperadorAtivo(TDbConnection& db, const QString& operador) {
    TSqlStatement oper(db, QStringLiteral("SELECT IDATIVOOPER FROM OPERADOR WHERE CDOPERADOR = "
                                          ":OPER"));
    return One(oper, {{QStringLiteral("OPER"), operador}}) && oper.Value(0).toString() == u"S";
}

bool ClienteCadastrado(TDbConnection& db, const QString& codigo) {
    TSqlStatement existe(db, QStringLiteral("SELECT 1 FROM CLIENTE WHERE CDCLIENTE = :CLIENTE"));
    return One(existe, {{QStringLiteral("CLIENTE"), codigo}});
}

bool MunicipioCadastrado(TDbConnection& db, const TNovoCliente& novo) {
    TSqlStatement mun(db, QStringLiteral("SELECT 1 FROM MUNICIPIO WHERE CDPAIS = :PAIS "
                                         "AND SGESTADO = :ESTADO AND CDMUNICIPIO = "
                                         ":MUNICIPIO"));
    return One(mun, {{QStringLiteral("PAIS"), novo.pais},
                     {QStringLiteral("ESTADO"), novo.estado},
                     {QStringLiteral("MUNICIPIO"), novo.municipio}});
}

std::optional<QString> InscricaoEstadual(TDbConnection& db, const QString& filial,
                                         const QString& empresa) {
    TSqlStatement st(db, QStringLiteral("SELECT E.NRINSCESTA, EF.CDFILIAL FROM EMPRESA E LEFT "
                                        "JOIN EMPRESAFILIAL EF ON EF.CDEMPRESA = E.CDEMPRESA AND "
                                        "EF.CDFILIAL = :FILIAL WHERE E.CDEMPRESA = :EMPRESA"));
    if (!One(st, {{QStringLiteral("FILIAL"), filial}, {QStringLiteral("EMPRESA"), empresa}}) ||
        st.Value(1).isNull())
        return std::nullopt;
    return st.Value(0).toString().trimmed();
}

QString SituacaoDoPrincipal(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT IDSITUORCEVE FROM ORCAEVENTO WHERE CDFILIAL = "
                                        ":FILIAL AND NRORCAEVENTO = :NUMERO AND NRSEQORCAEVE = "
                                        "'00'"));
    if (!One(st, {{QStringLiteral("FILIAL"), key.filial}, {QStringLiteral("NUMERO"), key.numero}}))
        return {};
    return st.Value(0).toString();
}

qint64 ContasDoPrincipal(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement contas(db, QStringLiteral("SELECT COUNT(*) FROM CONTAREC WHERE CDFILIORCA = "
                                            ":FILIAL AND NRORCAEVENTO = :NUMERO AND "
                                            "NRSEQORCAEVE = '00'"));
    One(contas, {{QStringLiteral("FILIAL"), key.filial}, {QStringLiteral("NUMERO"), key.numero}});
    return contas.Value(0).toLongLong();
}

std::vector<TParcelaAberta> ParcelasAbertasDoPrincipal(TDbConnection& db, const TBudgetKey& key) {
    TSqlStatement st(db, QStringLiteral("SELECT P.CDFILIAL, P.NRCONTAREC, P.NRPARCELA FROM "
                                        "PARCCONTAREC P JOIN CONTAREC C ON C.CDFILIAL = "
                                        "P.CDFILIAL AND C.NRCONTAREC = P.NRCONTAREC WHERE "
                                        "C.CDFILIORCA = :FILIAL AND C.NRORCAEVENTO = :NUMERO "
                                        "AND C.NRSEQORCAEVE = '00' AND P.IDSITUPARC = 'A' "
                                        "ORDER BY P.DTVENCPARC, P.NRCONTAREC, P.NRPARCELA"));
    st.Exec({{QStringLiteral("FILIAL"), key.filial}, {QStringLiteral("NUMERO"), key.numero}});
    std::vector<TParcelaAberta> abertas;
    while (st.Next())
        abertas.push_back({st.Value(0).toString(), st.Value(1).toString(), st.Value(2).toInt()});
    return abertas;
}
