#include "closing/ClosingRules.h"

#include "contratante/ContratanteChecks.h"
#include "storage/Money.h"

namespace {

std::optional<TRefusal> ConfereSituacao(const TOrca& o) {
    // Checked under the write lock: whoever closed it first wins.
    if (o.situacao == u"3")
        return RefusalSentence(QStringLiteral("O orçamento %1 já está fechado.").arg(o.key.Text()));
    if (o.situacao != u"2")
        return RefusalSentence(
            QStringLiteral("O orçamento %1 não está aprovado e não pode ser fechado.")
                .arg(o.key.Text()));
    return std::nullopt;
}

// The data the screen gathered for a customer the closing registers.
std::optional<TRefusal> ConfereNovoCliente(TDbConnection& db, const TOrca& o,
                                           const std::optional<TNovoCliente>& novo) {
    if (!novo || novo->inscricao.isEmpty())
        return RefusalSentence(QStringLiteral("O cliente do orçamento %1 não está cadastrado e os "
                                              "seus dados não foram informados; o fechamento não "
                                              "foi realizado.")
                                   .arg(o.key.Text()));
    if (novo->tipo != u"F" && novo->tipo != u"J")
        return RefusalSentence(QStringLiteral("O tipo de inscrição do novo cliente deve ser F "
                                              "(pessoa física) ou J (pessoa jurídica); o "
                                              "fechamento não foi realizado."));
    if (novo->Codigo().size() > 21 || novo->inscricao.size() > 20)
        return RefusalSentence(QStringLiteral("A inscrição do novo cliente é longa demais; o "
                                              "fechamento não foi realizado."));
    // A customer registered already only becomes the budget's; the address of
    // a new one must lie in a known town.
    if (!ClienteCadastrado(db, novo->Codigo()) && novo->TemEndereco() &&
        !MunicipioCadastrado(db, *novo))
        return RefusalSentence(QStringLiteral("O município do endereço do novo cliente não está "
                                              "cadastrado; o fechamento não foi realizado."));
    return std::nullopt;
}

// The contracting-client checks the screen ran before asking, again inside
// the transaction: the data may have changed since.
std::optional<TRefusal> ConfereContratantes(TDbConnection& db, const TOrca& o,
                                            const std::vector<TContrato>& ativos) {
    const QString orc = o.key.Text();
    if (ativos.empty()) {
        if (VdContraCancelado(db, o.key) == u"CONTRAT_CANCELADO")
            return RefusalSentence(QStringLiteral("Todos os contratantes do orçamento %1 estão "
                                                  "cancelados; o fechamento não foi realizado.")
                                       .arg(orc));
        return RefusalSentence(QStringLiteral("Não há contratante informado para o orçamento %1; "
                                              "o fechamento não foi realizado.")
                                   .arg(orc));
    }
    for (const QString& key : {VdValor(db, o.key), VdValorNegativo(db, o.key)}) {
        if (key.isEmpty())
            continue;
        if (key.startsWith(u"N_PARAM_"))
            return RefusalKey(key);
        if (key == u"SOMA_DIFER_REALIZADO")
            return RefusalSentence(QStringLiteral("A soma dos valores cobrados dos contratantes "
                                                  "do orçamento %1 difere do valor realizado; o "
                                                  "fechamento não foi realizado.")
                                       .arg(orc));
        if (key == u"VALOR_COBRADO_MENOR")
            return RefusalSentence(QStringLiteral("O orçamento %1 tem valor negativo e todos os "
                                                  "seus contratantes devem ter valor cobrado "
                                                  "menor que zero; o fechamento não foi "
                                                  "realizado.")
                                       .arg(orc));
        return RefusalSentence(QStringLiteral("Os convidados dos contratantes do orçamento %1 não "
                                              "conferem com os do orçamento; o fechamento não foi "
                                              "realizado.")
                                   .arg(orc));
    }
    if (!QtContratantesConfere(db, o.key))
        return RefusalSentence(QStringLiteral("A quantidade de contratantes do orçamento %1 difere "
                                              "da quantidade do lançamento; o fechamento não foi "
                                              "realizado.")
                                   .arg(orc));
    return std::nullopt;
}

// What every closing of the branch needs.
std::optional<TRefusal> ConfereParametros(const TOrca& o, const TParametros& p) {
    if (!p.temParamOrca || p.operVenda.isEmpty())
        return RefusalKey(QStringLiteral("N_PARAM_TIPOOPER"));
    if (!p.temParamPedido)
        return RefusalKey(QStringLiteral("N_PARAM_PED"), o.key.filial);
    if (p.serie.isEmpty())
        return RefusalKey(QStringLiteral("N_PARAM_SERIE"));
    if (o.tipoRecebimento == u"N" && Cents(o.total) == 0)
        return RefusalKey(QStringLiteral("N_PARAM_VRORCA_ZERO"));
    return std::nullopt;
}

bool PaiFechado(TDbConnection& db, const TOrca& o) {
    if (o.key.seq == u"00")
        return false;
    const QString s = SituacaoDoPrincipal(db, o.key);
    return s >= u"3" && s <= u"7";
}

// The companies that bill the contracting clients must be fit to issue the
// branch's documents.
std::optional<TRefusal> ConfereEmpresas(TDbConnection& db, const TOrca& o,
                                        const std::vector<TContrato>& ativos) {
    for (const auto& c : ativos) {
        if (c.empresa.trimmed().isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_CDEMPRESAORCA"));
        const std::optional<QString> inscricao = InscricaoEstadual(db, o.key.filial, c.empresa);
        if (!inscricao)
            return RefusalKey(QStringLiteral("N_PARAM_EMPRESARELAC"));
        if (inscricao->isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_NRINSCESTA"));
    }
    return std::nullopt;
}

// The operations and series of the payables and adjustments the budget makes.
std::optional<TRefusal> ConfereOperacoes(TDbConnection& db, const TOrca& o, const TParametros& p,
                                         const std::vector<TItem>& itens, bool ajustaPai) {
    bool terceiros = false;
    for (const auto& i : itens)
        terceiros = terceiros || !i.fornecedor.isEmpty();
    if (terceiros) {
        if (p.operEntrada.isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_TIPOOPERPAG"));
        if (TipoConta(db, p.operEntrada, "CDTPCTPAG").isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_TPCTPAG"));
        if (p.serieEntrada.isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_SERIEENTR"));
    }
    // A child that adjusts its parent settles a total below zero there too,
    // not as a payable: it needs no operation for budgets below zero.
    if (Cents(o.total) < 0 && !ajustaPai) {
        if (p.operNegativo.isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_TIPOOPERORENEG"));
        if (TipoConta(db, p.operNegativo, "CDTPCTPAG").isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_TPCTPAGNEG"), p.operNegativo);
    }
    if (ajustaPai && p.tipoAjuste.isEmpty())
        return RefusalKey(QStringLiteral("N_PARAM_AJUSTEREC"));
    return std::nullopt;
}

// Every item the branch supplies needs a department and a branch that takes
// its orders.
std::optional<TRefusal> ConfereItens(const TOrca& o, const std::vector<TItem>& itens) {
    const TBudgetKey& key = o.key;
    for (const auto& i : itens) {
        if (!i.fornecedor.isEmpty())
            continue;
        if (i.depto.isEmpty())
            return RefusalSentence(QStringLiteral("O produto %1 (%2) não tem departamento "
                                                  "parametrizado na filial %3; o orçamento %4 não "
                                                  "foi fechado.")
                                       .arg(i.produto, i.nome, key.filial, key.Text()));
        if (i.filialPedido.isEmpty())
            return RefusalSentence(QStringLiteral("Não há filial parametrizada para receber os "
                                                  "pedidos do departamento %1 do produto %2 (%3); "
                                                  "o orçamento %4 não foi fechado.")
                                       .arg(i.depto, i.produto, i.nome, key.Text()));
    }
    return std::nullopt;
}

} // namespace

QString TRefusal::Message() const {
    return argument.isNull() ? text : text + u'|' + argument;
}

TRefusal RefusalKey(const QString& key, const QString& argument) {
    return {key, argument, true};
}

TRefusal RefusalSentence(const QString& text) {
    return {text, QString(), false};
}

std::optional<TRefusal> CheckOperador(TDbConnection& db, const QString& operador) {
    if (!OperadorAtivo(db, operador))
        return RefusalSentence(QStringLiteral("O operador informado não está cadastrado ou está "
                                              "inativo; o fechamento não foi realizado."));
    return std::nullopt;
}

std::variant<TRefusal, TClosingPlan> CheckClosing(TDbConnection& db, const TBudgetKey& key,
                                                  const std::optional<TDataPacket>& novosClientes) {
    std::optional<TOrca> lido = LeOrca(db, key);
    if (!lido)
        return RefusalSentence(
            QStringLiteral("O orçamento %1 não foi encontrado.").arg(key.Text()));
    TClosingPlan plan;
    plan.orca = std::move(*lido);
    const TOrca& o = plan.orca;
    if (auto r = ConfereSituacao(o))
        return *r;
    if (o.sitCliente != u"C") {
        plan.novoCliente = NovoCliente(novosClientes, key);
        if (auto r = ConfereNovoCliente(db, o, plan.novoCliente))
            return *r;
    }

    plan.ativos = Contratos(db, key);
    if (auto r = ConfereContratantes(db, o, plan.ativos))
        return *r;

    plan.params = LeParametros(db, key.filial);
    const TParametros& p = plan.params;
    if (auto r = ConfereParametros(o, p))
        return *r;
    // Only a normal child settles on its closed parent's receivables: courtesy
    // and barter generate none, so they adjust nothing and need neither the
    // adjustment kind nor the parent's open instalments.
    const bool normal = o.tipoRecebimento == u"N";
    plan.ajustaPai = normal && PaiFechado(db, o);
    if (normal && Cents(o.total) > 0 && !plan.ajustaPai) {
        plan.tipoReceber = TipoConta(db, p.operVenda, "CDTPCTREC");
        if (plan.tipoReceber.isEmpty())
            return RefusalKey(QStringLiteral("N_PARAM_TPCTREC"), p.operVenda);
    }
    if (auto r = ConfereEmpresas(db, o, plan.ativos))
        return *r;

    plan.itens = Itens(db, key);
    if (auto r = ConfereOperacoes(db, o, p, plan.itens, plan.ajustaPai))
        return *r;
    if (auto r = ConfereItens(o, plan.itens))
        return *r;

    if (plan.ajustaPai) {
        if (ContasDoPrincipal(db, key) == 0)
            return RefusalKey(QStringLiteral("N_PARAM_CONTAREC"));
        plan.abertas = ParcelasAbertasDoPrincipal(db, key);
        if (plan.abertas.empty())
            return RefusalKey(QStringLiteral("N_BOLETOS_ABERTOS"));
    }
    return plan;
}
