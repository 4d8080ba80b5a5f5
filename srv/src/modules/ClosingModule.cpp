#include "ClosingModule.h"

#include "ContratanteModule.h"
#include "closing/ClosingReads.h"
#include "closing/ClosingRules.h"
#include "closing/ClosingSql.h"

#include "DbConnection.h"
#include "DbError.h"
#include "DbUrl.h"
#include "RecordSet.h"
#include "SqlStatement.h"
#include "storage/DbDate.h"
#include "storage/Money.h"

#include <QDate>
#include <QSqlError>

#include <cmath>
#include <map>
#include <optional>
#include <set>

namespace {

const QString kServer = QStringLiteral("ORE00800.rdmFechaOrca");

// A row refused by a unique or primary key: SQLite's extended codes
// SQLITE_CONSTRAINT_PRIMARYKEY (1555) and SQLITE_CONSTRAINT_UNIQUE (2067),
// PostgreSQL's SQLSTATE unique_violation (23505).
bool IsUniqueKeyConflict(const QSqlError& e) {
    const QString code = e.nativeErrorCode();
    return code == u"1555" || code == u"2067" || code == u"23505";
}

[[noreturn]] void Refuse(const QString& text) {
    throw ERemoteError(text);
}

// The next number of a branch's documents; the closing holds the write lock,
// so reading back what it just incremented is safe.
QString Proximo(TDbConnection& db, const QString& filial, const char* tipo) {
    const TSqlParams p = {{QStringLiteral("FILIAL"), filial},
                          {QStringLiteral("TIPO"), QString::fromLatin1(tipo)}};
    TSqlStatement up(db, QStringLiteral("UPDATE NUMERADOR SET NRULTIMO = NRULTIMO + 1 WHERE "
                                        "CDFILIAL = :FILIAL AND IDNUMERADOR = :TIPO"));
    up.Exec(p);
    if (up.RowsAffected() == 0)
        ExecSql(db,
                QStringLiteral("INSERT INTO NUMERADOR (CDFILIAL, IDNUMERADOR, NRULTIMO) VALUES "
                               "(:FILIAL, :TIPO, 1)"),
                p);
    TSqlStatement st(db, QStringLiteral("SELECT NRULTIMO FROM NUMERADOR WHERE CDFILIAL = :FILIAL "
                                        "AND IDNUMERADOR = :TIPO"));
    One(st, p);
    return QString::number(st.Value(0).toLongLong()).rightJustified(10, u'0');
}

// Registers the budget's customer from the data the screen gathered and makes
// the budget point at it; returns the customer's code.
QString RegistraCliente(TDbConnection& db, TOrca& o, const TNovoCliente& novo) {
    const QString codigo = novo.Codigo();
    if (!ClienteCadastrado(db, codigo)) {
        const QString razao = !novo.razao.isEmpty()      ? novo.razao
                              : !novo.fantasia.isEmpty() ? novo.fantasia
                                                         : o.nomeNovo;
        ExecSql(db,
                QStringLiteral("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, "
                               "NMRAZSOCCLIE, NMFANTCLIE, IDCLIEATIV, DTCADCLIE) VALUES (:CLIENTE, "
                               ":TIPO, :INSCRICAO, :RAZAO, :FANTASIA, 'S', :HOJE)"),
                {{QStringLiteral("CLIENTE"), codigo},
                 {QStringLiteral("TIPO"), novo.tipo},
                 {QStringLiteral("INSCRICAO"), novo.inscricao},
                 {QStringLiteral("RAZAO"), razao.left(50)},
                 {QStringLiteral("FANTASIA"), Nullable(novo.fantasia.left(50))},
                 {QStringLiteral("HOJE"), DbNow()}});
        if (novo.TemEndereco()) {
            ExecSql(db,
                    QStringLiteral("INSERT INTO ENDECLIE (CDCLIENTE, IDTPENDECLIE, CDPAIS, "
                                   "SGESTADO, CDMUNICIPIO, DSENDECLIE, NMBAIRCLIE, DSCOMPENDCLIE, "
                                   "NRCEPCLIE, NRTELECLIE, DSEMAILCLIE) VALUES (:CLIENTE, 'P', "
                                   ":PAIS, :ESTADO, :MUNICIPIO, :ENDERECO, :BAIRRO, :COMPL, :CEP, "
                                   ":FONE, :EMAIL)"),
                    {{QStringLiteral("PAIS"), novo.pais},
                     {QStringLiteral("ESTADO"), novo.estado},
                     {QStringLiteral("MUNICIPIO"), novo.municipio},
                     {QStringLiteral("CLIENTE"), codigo},
                     {QStringLiteral("ENDERECO"), novo.endereco.left(50)},
                     {QStringLiteral("BAIRRO"), Nullable(novo.bairro.left(30))},
                     {QStringLiteral("COMPL"), Nullable(novo.complemento.left(200))},
                     {QStringLiteral("CEP"), Nullable(novo.cep.left(15))},
                     {QStringLiteral("FONE"), Nullable(novo.telefone.left(25))},
                     {QStringLiteral("EMAIL"), Nullable(novo.email.left(50))}});
        }
    }
    ExecSql(db,
            QStringLiteral("UPDATE ORCAEVENTO SET IDSITCLIOREV = 'C', CDCLIENTE = :CLIENTE, "
                           "NMCLIEORCEVE = NULL WHERE CDFILIAL = :FILIAL AND NRORCAEVENTO = "
                           ":NUMERO AND NRSEQORCAEVE = :SEQ"),
            With(KeyParams(o.key), {{QStringLiteral("CLIENTE"), codigo}}));
    o.sitCliente = QStringLiteral("C");
    o.cliente = codigo;
    return codigo;
}

struct TResultado {
    int pedidos = 0, receber = 0, pagar = 0;
};

class TFechamento {
public:
    TFechamento(TDbConnection& db, QString operador, const TFaultPoints& faults)
        : m_db(db), m_operador(std::move(operador)), m_agora(OleFromDb(DbNow())), m_faults(faults) {
    }

    void Fecha(const TBudgetKey& key, const std::optional<TDataPacket>& novosClientes);

private:
    void GeraPedidos(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                     TResultado& r);
    void GeraReceber(const TOrca& o, const TParametros& p, const QString& tipoConta,
                     const std::vector<TContrato>& ativos, TResultado& r);
    void GeraPagar(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                   const std::vector<TContrato>& ativos, TResultado& r);
    void AjustaPai(const TOrca& o, const TParametros& p,
                   const std::vector<TParcelaAberta>& abertas);

    TDbConnection& m_db;
    QString m_operador;
    double m_agora;
    const TFaultPoints& m_faults;
};

void TFechamento::Fecha(const TBudgetKey& key, const std::optional<TDataPacket>& novosClientes) {
    auto checked = CheckClosing(m_db, key, novosClientes);
    if (const TRefusal* refusal = std::get_if<TRefusal>(&checked))
        throw ERemoteError(refusal->Message());
    TClosingPlan& plan = std::get<TClosingPlan>(checked);
    TOrca& o = plan.orca;
    const TParametros& p = plan.params;
    if (plan.novoCliente)
        RegistraCliente(m_db, o, *plan.novoCliente);

    TResultado r;
    GeraPedidos(o, p, plan.itens, r);
    m_faults(QStringLiteral("FecharOrca:pedidos"));
    if (plan.ajustaPai)
        AjustaPai(o, p, plan.abertas);
    else if (!plan.tipoReceber.isEmpty())
        GeraReceber(o, p, plan.tipoReceber, plan.ativos, r);
    // Third-party items are always paid; the contracting clients are credited
    // a total below zero only when no parent took it.
    GeraPagar(o, p, plan.itens, plan.ajustaPai ? std::vector<TContrato>() : plan.ativos, r);

    TSqlStatement up(m_db, QStringLiteral("UPDATE ORCAEVENTO SET IDSITUORCEVE = '3', "
                                          "DTFECHORCEVE = :AGORA, CDOPEFECHOREV = :OPER WHERE "
                                          "CDFILIAL = :FILIAL AND NRORCAEVENTO = :NUMERO AND "
                                          "NRSEQORCAEVE = :SEQ AND IDSITUORCEVE = '2'"));
    TSqlParams params = KeyParams(key);
    params.insert(params.end(),
                  {{QStringLiteral("AGORA"), m_agora}, {QStringLiteral("OPER"), m_operador}});
    up.Exec(params);
    if (up.RowsAffected() != 1)
        Refuse(QStringLiteral("O orçamento %1 foi alterado por outro operador durante o "
                              "fechamento; o fechamento não foi realizado.")
                   .arg(key.Text()));
    TSqlStatement registro(
        m_db, QStringLiteral("INSERT INTO FECHAORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, "
                             "CDOPERADOR, DTFECHAORCA, VRTOTALOREV, QTPEDIDOS, QTCONTAREC, "
                             "QTCONTAPAG) VALUES (:FILIAL, :NUMERO, :SEQ, :OPER, :AGORA, "
                             ":TOTAL, :PEDIDOS, :RECEBER, :PAGAR)"));
    try {
        registro.Exec(With(params, {{QStringLiteral("TOTAL"), o.total},
                                    {QStringLiteral("PEDIDOS"), r.pedidos},
                                    {QStringLiteral("RECEBER"), r.receber},
                                    {QStringLiteral("PAGAR"), r.pagar}}));
    } catch (const EDbError&) {
        // The unique budget key is the last guard against a second closing;
        // any other failure is the database's.
        if (IsUniqueKeyConflict(registro.Query().lastError()))
            Refuse(QStringLiteral("O orçamento %1 já foi fechado por outro operador.")
                       .arg(key.Text()));
        throw;
    }
}

void TFechamento::GeraPedidos(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                              TResultado& r) {
    // One order per supplying branch and department.
    std::map<std::pair<QString, QString>, std::vector<const TItem*>> grupos;
    for (const auto& i : itens)
        if (i.fornecedor.isEmpty())
            grupos[{i.filialPedido, i.depto}].push_back(&i);
    for (const auto& [destino, lista] : grupos) {
        const QString nr = Proximo(m_db, destino.first, "PED");
        double soma = 0;
        for (const TItem* i : lista)
            soma += i->total;
        ExecSql(m_db,
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
                                        {QStringLiteral("AGORA"), m_agora},
                                        {QStringLiteral("ENTREGA"), o.evento},
                                        {QStringLiteral("TOTAL"), Money(soma)},
                                        {QStringLiteral("OPER"), m_operador}}));
        int n = 0;
        for (const TItem* i : lista)
            ExecSql(m_db,
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
        ++r.pedidos;
    }
}

void TFechamento::GeraReceber(const TOrca& o, const TParametros& p, const QString& tipoConta,
                              const std::vector<TContrato>& ativos, TResultado& r) {
    const auto prazos = Prazos(m_db, o, m_agora);
    // One receivable per paying contracting client, split like the budget's
    // instalments; the last instalment takes what rounding left over.
    for (const auto& c : ativos) {
        if (Cents(c.valor) <= 0)
            continue;
        const QString nr = Proximo(m_db, o.key.filial, "CREC");
        ExecSql(m_db,
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
                                        {QStringLiteral("AGORA"), m_agora},
                                        {QStringLiteral("VALOR"), Money(c.valor)},
                                        {QStringLiteral("OPER"), m_operador}}));
        double resto = Money(c.valor);
        for (size_t i = 0; i < prazos.size(); ++i) {
            const double v =
                i + 1 == prazos.size() ? Money(resto) : Money(c.valor * prazos[i].second);
            resto -= v;
            ExecSql(m_db,
                    QStringLiteral("INSERT INTO PARCCONTAREC (CDFILIAL, NRCONTAREC, NRPARCELA, "
                                   "DTVENCPARC, VRPARCELA, IDSITUPARC) VALUES (:FILIAL, :CONTA, "
                                   ":PARCELA, :VENCIMENTO, :VALOR, 'A')"),
                    {{QStringLiteral("FILIAL"), o.key.filial},
                     {QStringLiteral("CONTA"), nr},
                     {QStringLiteral("PARCELA"), int(i + 1)},
                     {QStringLiteral("VENCIMENTO"), prazos[i].first},
                     {QStringLiteral("VALOR"), v}});
        }
        ++r.receber;
    }
}

void TFechamento::GeraPagar(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                            const std::vector<TContrato>& ativos, TResultado& r) {
    const double evento = o.evento.isNull() ? std::floor(m_agora) : o.evento.toDouble();
    auto paga = [&](const QString& fornecedor, const QString& cliente, const QString& operacao,
                    const QString& serie, double vencimento, double valor) {
        ExecSql(m_db,
                QStringLiteral("INSERT INTO CONTAPAG (CDFILIAL, NRCONTAPAG, CDFORNECEDOR, "
                               "CDCLIENTE, CDTPCTPAG, CDTIPOOPER, CDFILIORCA, NRORCAEVENTO, "
                               "NRSEQORCAEVE, CDSERIE, DTEMISSAO, DTVENCIMENTO, VRCONTAPAG, "
                               "CDOPERADOR) VALUES (:FILIAL, :CONTA, :FORNECEDOR, :CLIENTE, "
                               ":TIPO, :OPERACAO, :FILIAL, :NUMERO, :SEQ, :SERIE, :AGORA, "
                               ":VENCIMENTO, :VALOR, :OPER)"),
                With(KeyParams(o.key),
                     {{QStringLiteral("CONTA"), Proximo(m_db, o.key.filial, "CPAG")},
                      {QStringLiteral("FORNECEDOR"), Nullable(fornecedor)},
                      {QStringLiteral("CLIENTE"), Nullable(cliente)},
                      {QStringLiteral("TIPO"), TipoConta(m_db, operacao, "CDTPCTPAG")},
                      {QStringLiteral("OPERACAO"), operacao},
                      {QStringLiteral("SERIE"), serie},
                      {QStringLiteral("AGORA"), m_agora},
                      {QStringLiteral("VENCIMENTO"), vencimento},
                      {QStringLiteral("VALOR"), Money(valor)},
                      {QStringLiteral("OPER"), m_operador}}));
        ++r.pagar;
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
}

void TFechamento::AjustaPai(const TOrca& o, const TParametros& p,
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
        TSqlStatement nr(m_db, QStringLiteral("SELECT COALESCE(MAX(NRAJUSTE), 0) + 1 FROM "
                                              "AJUSTECONTAREC WHERE CDFILIAL = :FILIAL AND "
                                              "NRCONTAREC = :CONTA AND NRPARCELA = :PARCELA"));
        One(nr, parc);
        TSqlParams ajuste = parc;
        ajuste.insert(ajuste.end(), {{QStringLiteral("AJUSTE"), nr.Value(0).toInt()},
                                     {QStringLiteral("TIPO"), p.tipoAjuste},
                                     {QStringLiteral("VALOR"), v},
                                     {QStringLiteral("AGORA"), m_agora},
                                     {QStringLiteral("FILIORCA"), o.key.filial},
                                     {QStringLiteral("NUMERO"), o.key.numero},
                                     {QStringLiteral("SEQ"), o.key.seq},
                                     {QStringLiteral("OPER"), m_operador}});
        ExecSql(m_db,
                QStringLiteral("INSERT INTO AJUSTECONTAREC (CDFILIAL, NRCONTAREC, NRPARCELA, "
                               "NRAJUSTE, CDTPAJUSTEREC, VRAJUSTE, DTAJUSTE, CDFILIORCA, "
                               "NRORCAEVENTO, NRSEQORCAEVE, CDOPERADOR) VALUES (:FILIAL, :CONTA, "
                               ":PARCELA, :AJUSTE, :TIPO, :VALOR, :AGORA, :FILIORCA, :NUMERO, "
                               ":SEQ, :OPER)"),
                ajuste);
        ExecSql(m_db,
                QStringLiteral("UPDATE PARCCONTAREC SET VRPARCELA = VRPARCELA + :VALOR WHERE "
                               "CDFILIAL = :FILIAL AND NRCONTAREC = :CONTA AND NRPARCELA = "
                               ":PARCELA"),
                With(parc, {{QStringLiteral("VALOR"), v}}));
        ExecSql(m_db,
                QStringLiteral("UPDATE CONTAREC SET VRCONTAREC = VRCONTAREC + :VALOR WHERE "
                               "CDFILIAL = :FILIAL AND NRCONTAREC = :CONTA"),
                {{QStringLiteral("VALOR"), v},
                 {QStringLiteral("FILIAL"), a.filial},
                 {QStringLiteral("CONTA"), a.conta}});
    }
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
        Refuse(QStringLiteral("A lista de orçamentos enviada para o fechamento não tem os campos "
                              "esperados."));
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

QVariant FecharOrca(const DbUrl& url, const QVariantList& args, const TFaultPoints& faults) {
    const TArgs a = Args(args).Count(3);
    const TDataPacket lista = a.Packet(0, QStringLiteral("cdsOrcaEvento"));
    const QString operador = a.String(1, QStringLiteral("operador"));
    const std::optional<TDataPacket> novo = a.PacketOrNull(2, QStringLiteral("cdsEndeNovoClie"));
    const std::vector<TBudgetKey> marcados = Marcados(lista);
    if (marcados.empty())
        Refuse(QStringLiteral("Nenhum orçamento foi marcado para fechamento."));

    TDbConnection& db = OpenDatabase(url);
    TTransaction tr(db);
    if (const auto refusal = CheckOperador(db, operador))
        throw ERemoteError(refusal->Message());
    TFechamento fechamento(db, operador, faults);
    for (const auto& key : marcados)
        fechamento.Fecha(key, novo);
    faults(QStringLiteral("FecharOrca:commit"));
    tr.Commit();
    return {};
}

} // namespace

void RegisterClosingModule(TRemoteModuleRegistry& registry, const QString& dbUrl,
                           TFaultPoints faults) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    if (!faults)
        faults = [](const QString&) {};
    registry.Register(kServer, QStringLiteral("FecharOrca"),
                      [url, faults](TCallContext&, const QVariantList& args) -> QVariant {
                          return FecharOrca(url, args, faults);
                      });
}
