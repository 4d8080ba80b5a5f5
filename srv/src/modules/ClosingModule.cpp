#include "ClosingModule.h"

#include "ContratanteModule.h"
#include "closing/ClosingReads.h"
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

bool Blank(const QVariant& v) {
    return v.isNull() || v.toString().trimmed().isEmpty();
}

[[noreturn]] void Refuse(const QString& text) {
    throw ERemoteError(text);
}

// A refusal the screen translates through its catalogue: "KEY" or "KEY|argument".
[[noreturn]] void RefuseKey(const QString& key, const QString& argument = {}) {
    throw ERemoteError(argument.isNull() ? key : key + u'|' + argument);
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
QString RegistraCliente(TDbConnection& db, TOrca& o, const std::optional<TNovoCliente>& novo) {
    if (!novo || novo->inscricao.isEmpty())
        Refuse(QStringLiteral("O cliente do orçamento %1 não está cadastrado e os seus dados não "
                              "foram informados; o fechamento não foi realizado.")
                   .arg(o.key.Text()));
    if (novo->tipo != u"F" && novo->tipo != u"J")
        Refuse(QStringLiteral("O tipo de inscrição do novo cliente deve ser F (pessoa física) ou "
                              "J (pessoa jurídica); o fechamento não foi realizado."));
    const QString codigo = novo->tipo + novo->inscricao;
    if (codigo.size() > 21 || novo->inscricao.size() > 20)
        Refuse(QStringLiteral("A inscrição do novo cliente é longa demais; o fechamento não foi "
                              "realizado."));
    TSqlStatement existe(db, QStringLiteral("SELECT 1 FROM CLIENTE WHERE CDCLIENTE = :CLIENTE"));
    if (!One(existe, {{QStringLiteral("CLIENTE"), codigo}})) {
        const QString razao = !novo->razao.isEmpty()      ? novo->razao
                              : !novo->fantasia.isEmpty() ? novo->fantasia
                                                          : o.nomeNovo;
        ExecSql(db,
                QStringLiteral("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, "
                               "NMRAZSOCCLIE, NMFANTCLIE, IDCLIEATIV, DTCADCLIE) VALUES (:CLIENTE, "
                               ":TIPO, :INSCRICAO, :RAZAO, :FANTASIA, 'S', :HOJE)"),
                {{QStringLiteral("CLIENTE"), codigo},
                 {QStringLiteral("TIPO"), novo->tipo},
                 {QStringLiteral("INSCRICAO"), novo->inscricao},
                 {QStringLiteral("RAZAO"), razao.left(50)},
                 {QStringLiteral("FANTASIA"), Nullable(novo->fantasia.left(50))},
                 {QStringLiteral("HOJE"), DbNow()}});
        if (!novo->pais.isEmpty() && !novo->estado.isEmpty() && !novo->municipio.isEmpty() &&
            !novo->endereco.isEmpty()) {
            const TSqlParams lugar = {{QStringLiteral("PAIS"), novo->pais},
                                      {QStringLiteral("ESTADO"), novo->estado},
                                      {QStringLiteral("MUNICIPIO"), novo->municipio}};
            TSqlStatement mun(db, QStringLiteral("SELECT 1 FROM MUNICIPIO WHERE CDPAIS = :PAIS "
                                                 "AND SGESTADO = :ESTADO AND CDMUNICIPIO = "
                                                 ":MUNICIPIO"));
            if (!One(mun, lugar))
                Refuse(QStringLiteral("O município do endereço do novo cliente não está "
                                      "cadastrado; o fechamento não foi realizado."));
            TSqlParams p = lugar;
            p.insert(p.end(), {{QStringLiteral("CLIENTE"), codigo},
                               {QStringLiteral("ENDERECO"), novo->endereco.left(50)},
                               {QStringLiteral("BAIRRO"), Nullable(novo->bairro.left(30))},
                               {QStringLiteral("COMPL"), Nullable(novo->complemento.left(200))},
                               {QStringLiteral("CEP"), Nullable(novo->cep.left(15))},
                               {QStringLiteral("FONE"), Nullable(novo->telefone.left(25))},
                               {QStringLiteral("EMAIL"), Nullable(novo->email.left(50))}});
            ExecSql(db,
                    QStringLiteral("INSERT INTO ENDECLIE (CDCLIENTE, IDTPENDECLIE, CDPAIS, "
                                   "SGESTADO, CDMUNICIPIO, DSENDECLIE, NMBAIRCLIE, DSCOMPENDCLIE, "
                                   "NRCEPCLIE, NRTELECLIE, DSEMAILCLIE) VALUES (:CLIENTE, 'P', "
                                   ":PAIS, :ESTADO, :MUNICIPIO, :ENDERECO, :BAIRRO, :COMPL, :CEP, "
                                   ":FONE, :EMAIL)"),
                    p);
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

// The contracting-client checks the screen ran before asking, again inside
// the transaction: the data may have changed since.
void ConfereContratantes(TDbConnection& db, const TOrca& o, const std::vector<TContrato>& ativos) {
    const QString orc = o.key.Text();
    if (ativos.empty()) {
        if (VdContraCancelado(db, o.key) == u"CONTRAT_CANCELADO")
            Refuse(QStringLiteral("Todos os contratantes do orçamento %1 estão cancelados; o "
                                  "fechamento não foi realizado.")
                       .arg(orc));
        Refuse(QStringLiteral("Não há contratante informado para o orçamento %1; o fechamento "
                              "não foi realizado.")
                   .arg(orc));
    }
    for (const QString& key : {VdValor(db, o.key), VdValorNegativo(db, o.key)}) {
        if (key.isEmpty())
            continue;
        if (key.startsWith(u"N_PARAM_"))
            RefuseKey(key);
        if (key == u"SOMA_DIFER_REALIZADO")
            Refuse(QStringLiteral("A soma dos valores cobrados dos contratantes do orçamento %1 "
                                  "difere do valor realizado; o fechamento não foi realizado.")
                       .arg(orc));
        if (key == u"VALOR_COBRADO_MENOR")
            Refuse(QStringLiteral("O orçamento %1 tem valor negativo e todos os seus contratantes "
                                  "devem ter valor cobrado menor que zero; o fechamento não foi "
                                  "realizado.")
                       .arg(orc));
        Refuse(QStringLiteral("Os convidados dos contratantes do orçamento %1 não conferem com os "
                              "do orçamento; o fechamento não foi realizado.")
                   .arg(orc));
    }
    if (!QtContratantesConfere(db, o.key))
        Refuse(QStringLiteral("A quantidade de contratantes do orçamento %1 difere da quantidade "
                              "do lançamento; o fechamento não foi realizado.")
                   .arg(orc));
}

// The companies that bill the contracting clients must be fit to issue the
// branch's documents.
void ConfereEmpresas(TDbConnection& db, const TOrca& o, const std::vector<TContrato>& ativos) {
    TSqlStatement st(db, QStringLiteral("SELECT E.NRINSCESTA, EF.CDFILIAL FROM EMPRESA E LEFT "
                                        "JOIN EMPRESAFILIAL EF ON EF.CDEMPRESA = E.CDEMPRESA AND "
                                        "EF.CDFILIAL = :FILIAL WHERE E.CDEMPRESA = :EMPRESA"));
    for (const auto& c : ativos) {
        if (c.empresa.trimmed().isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_CDEMPRESAORCA"));
        if (!One(st, {{QStringLiteral("FILIAL"), o.key.filial},
                      {QStringLiteral("EMPRESA"), c.empresa}}) ||
            st.Value(1).isNull())
            RefuseKey(QStringLiteral("N_PARAM_EMPRESARELAC"));
        if (Blank(st.Value(0)))
            RefuseKey(QStringLiteral("N_PARAM_NRINSCESTA"));
    }
}

struct TParcelaAberta {
    QString filial, conta;
    int parcela = 0;
};

struct TResultado {
    int pedidos = 0, receber = 0, pagar = 0;
};

class TFechamento {
public:
    TFechamento(TDbConnection& db, QString operador, const TFaultPoints& faults)
        : m_db(db), m_operador(std::move(operador)), m_agora(OleFromDb(DbNow())), m_faults(faults) {
    }

    void Fecha(const TBudgetKey& key, const std::optional<TDataPacket>& novoCliente);

private:
    bool PaiFechado(const TOrca& o);
    void GeraPedidos(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                     TResultado& r);
    void GeraReceber(const TOrca& o, const TParametros& p, const QString& tipoConta,
                     const std::vector<TContrato>& ativos, TResultado& r);
    void GeraPagar(const TOrca& o, const TParametros& p, const std::vector<TItem>& itens,
                   const std::vector<TContrato>& ativos, TResultado& r);
    void AjustaPai(const TOrca& o, const TParametros& p);

    TDbConnection& m_db;
    QString m_operador;
    double m_agora;
    const TFaultPoints& m_faults;
};

bool TFechamento::PaiFechado(const TOrca& o) {
    if (o.key.seq == u"00")
        return false;
    TSqlStatement st(m_db, QStringLiteral("SELECT IDSITUORCEVE FROM ORCAEVENTO WHERE CDFILIAL = "
                                          ":FILIAL AND NRORCAEVENTO = :NUMERO AND NRSEQORCAEVE = "
                                          "'00'"));
    if (!One(st,
             {{QStringLiteral("FILIAL"), o.key.filial}, {QStringLiteral("NUMERO"), o.key.numero}}))
        return false;
    const QString s = st.Value(0).toString();
    return s >= u"3" && s <= u"7";
}

void TFechamento::Fecha(const TBudgetKey& key, const std::optional<TDataPacket>& novoCliente) {
    std::optional<TOrca> lido = LeOrca(m_db, key);
    if (!lido)
        Refuse(QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    TOrca o = *lido;
    // Checked here, under the write lock: whoever closed it first wins.
    if (o.situacao == u"3")
        Refuse(QStringLiteral("O orçamento %1 já está fechado.").arg(key.Text()));
    if (o.situacao != u"2")
        Refuse(QStringLiteral("O orçamento %1 não está aprovado e não pode ser fechado.")
                   .arg(key.Text()));

    if (o.sitCliente != u"C")
        RegistraCliente(m_db, o, NovoCliente(novoCliente, key));

    const std::vector<TContrato> ativos = Contratos(m_db, key);
    ConfereContratantes(m_db, o, ativos);

    const TParametros p = LeParametros(m_db, key.filial);
    if (!p.temParamOrca || p.operVenda.isEmpty())
        RefuseKey(QStringLiteral("N_PARAM_TIPOOPER"));
    if (!p.temParamPedido)
        RefuseKey(QStringLiteral("N_PARAM_PED"), key.filial);
    if (p.serie.isEmpty())
        RefuseKey(QStringLiteral("N_PARAM_SERIE"));
    const bool normal = o.tipoRecebimento == u"N";
    if (normal && Cents(o.total) == 0)
        RefuseKey(QStringLiteral("N_PARAM_VRORCA_ZERO"));
    // Only a normal child settles on its closed parent's receivables: courtesy
    // and barter generate none, so they adjust nothing and need neither the
    // adjustment kind nor the parent's open instalments.
    const bool ajustaPai = normal && PaiFechado(o);
    QString tipoReceber;
    if (normal && Cents(o.total) > 0 && !ajustaPai) {
        tipoReceber = TipoConta(m_db, p.operVenda, "CDTPCTREC");
        if (tipoReceber.isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_TPCTREC"), p.operVenda);
    }
    ConfereEmpresas(m_db, o, ativos);

    const std::vector<TItem> itens = Itens(m_db, key);
    bool terceiros = false;
    for (const auto& i : itens)
        terceiros = terceiros || !i.fornecedor.isEmpty();
    if (terceiros) {
        if (p.operEntrada.isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_TIPOOPERPAG"));
        if (TipoConta(m_db, p.operEntrada, "CDTPCTPAG").isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_TPCTPAG"));
        if (p.serieEntrada.isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_SERIEENTR"));
    }
    // A child that adjusts its parent settles a total below zero there too,
    // not as a payable: it needs no operation for budgets below zero.
    if (Cents(o.total) < 0 && !ajustaPai) {
        if (p.operNegativo.isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_TIPOOPERORENEG"));
        if (TipoConta(m_db, p.operNegativo, "CDTPCTPAG").isEmpty())
            RefuseKey(QStringLiteral("N_PARAM_TPCTPAGNEG"), p.operNegativo);
    }
    if (ajustaPai && p.tipoAjuste.isEmpty())
        RefuseKey(QStringLiteral("N_PARAM_AJUSTEREC"));
    for (const auto& i : itens) {
        if (!i.fornecedor.isEmpty())
            continue;
        if (i.depto.isEmpty())
            Refuse(QStringLiteral("O produto %1 (%2) não tem departamento parametrizado na "
                                  "filial %3; o orçamento %4 não foi fechado.")
                       .arg(i.produto, i.nome, key.filial, key.Text()));
        if (i.filialPedido.isEmpty())
            Refuse(QStringLiteral("Não há filial parametrizada para receber os pedidos do "
                                  "departamento %1 do produto %2 (%3); o orçamento %4 não foi "
                                  "fechado.")
                       .arg(i.depto, i.produto, i.nome, key.Text()));
    }

    TResultado r;
    GeraPedidos(o, p, itens, r);
    m_faults(QStringLiteral("FecharOrca:pedidos"));
    if (ajustaPai)
        AjustaPai(o, p);
    else if (!tipoReceber.isEmpty())
        GeraReceber(o, p, tipoReceber, ativos, r);
    // Third-party items are always paid; the contracting clients are credited
    // a total below zero only when no parent took it.
    GeraPagar(o, p, itens, ajustaPai ? std::vector<TContrato>() : ativos, r);

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

void TFechamento::AjustaPai(const TOrca& o, const TParametros& p) {
    const TSqlParams pai = {{QStringLiteral("FILIAL"), o.key.filial},
                            {QStringLiteral("NUMERO"), o.key.numero}};
    TSqlStatement contas(m_db, QStringLiteral("SELECT COUNT(*) FROM CONTAREC WHERE CDFILIORCA = "
                                              ":FILIAL AND NRORCAEVENTO = :NUMERO AND "
                                              "NRSEQORCAEVE = '00'"));
    One(contas, pai);
    if (contas.Value(0).toLongLong() == 0)
        RefuseKey(QStringLiteral("N_PARAM_CONTAREC"));
    TSqlStatement st(m_db, QStringLiteral("SELECT P.CDFILIAL, P.NRCONTAREC, P.NRPARCELA FROM "
                                          "PARCCONTAREC P JOIN CONTAREC C ON C.CDFILIAL = "
                                          "P.CDFILIAL AND C.NRCONTAREC = P.NRCONTAREC WHERE "
                                          "C.CDFILIORCA = :FILIAL AND C.NRORCAEVENTO = :NUMERO "
                                          "AND C.NRSEQORCAEVE = '00' AND P.IDSITUPARC = 'A' "
                                          "ORDER BY P.DTVENCPARC, P.NRCONTAREC, P.NRPARCELA"));
    st.Exec(pai);
    std::vector<TParcelaAberta> abertas;
    while (st.Next())
        abertas.push_back({st.Value(0).toString(), st.Value(1).toString(), st.Value(2).toInt()});
    if (abertas.empty())
        RefuseKey(QStringLiteral("N_BOLETOS_ABERTOS"));
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
    TSqlStatement oper(db, QStringLiteral("SELECT IDATIVOOPER FROM OPERADOR WHERE CDOPERADOR = "
                                          ":OPER"));
    if (!One(oper, {{QStringLiteral("OPER"), operador}}) || oper.Value(0).toString() != u"S")
        Refuse(QStringLiteral("O operador informado não está cadastrado ou está inativo; o "
                              "fechamento não foi realizado."));
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
