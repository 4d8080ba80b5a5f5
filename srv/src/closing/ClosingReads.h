#pragma once

// The records a closing reads about one budget: the budget, its branch's
// parameters, its active contracting clients, its items, its instalment terms
// and the new customer the screen gathered for it; then the lookups its rules
// make (operator, customer, town, billing company, main budget).

#include "core/data/DataPacket.h"
#include "storage/BudgetKey.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class TDbConnection;

// What the closing needs of a budget.
struct TOrca {
    TBudgetKey key;
    QString situacao, sitCliente, cliente, nomeNovo, tipoForma, mesInicio;
    QString tipoRecebimento; // N normal, C courtesy, P barter
    double total = 0;
    QVariant evento, diaPgto, qtParcelas;
};

// The budget; none when it does not exist.
std::optional<TOrca> LeOrca(TDbConnection& db, const TBudgetKey& key);

struct TParametros {
    QString serie, serieEntrada, seriePedido;
    QString operVenda, operEntrada, operNegativo, tipoAjuste;
    bool temParamOrca = false, temParamPedido = false;
};

// The branch's closing and order parameters; all empty when it has none.
TParametros LeParametros(TDbConnection& db, const QString& filial);

// The kind of receivable (CDTPCTREC) or payable (CDTPCTPAG) an operation generates.
QString TipoConta(TDbConnection& db, const QString& operacao, const char* coluna);

struct TContrato {
    QString cliente, empresa;
    double valor = 0;
};

// The active contracting clients, by client code.
std::vector<TContrato> Contratos(TDbConnection& db, const TBudgetKey& key);

struct TItem {
    QString produto, nome, fornecedor, depto, filialPedido;
    double qt = 0, preco = 0, total = 0;
    QVariant valorFornecedor, dataFornecedor;
};

// The items in item order, each with its department and the branch that
// receives its orders in the budget's branch (empty when not set).
std::vector<TItem> Itens(TDbConnection& db, const TBudgetKey& key);

struct TPrazo {
    double vencimento = 0; // OLE day
    double parte = 0;      // the share of the total due then
};

// The budget's instalments: its terms, else the fixed day of the month, else
// the event date; `hoje` is now (OLE).
std::vector<TPrazo> Prazos(TDbConnection& db, const TOrca& o, double hoje);

struct TNovoCliente {
    QString inscricao, tipo, fantasia, razao, pais, estado, municipio, endereco, bairro,
        complemento, cep, telefone, email;

    QString Codigo() const { return tipo + inscricao; } // the customer's code
    bool TemEndereco() const {
        return !pais.isEmpty() && !estado.isEmpty() && !municipio.isEmpty() && !endereco.isEmpty();
    }
};

// The new customer the screen gathered for the budget, from its packet of
// new customers; none when the packet holds no row for the budget.
std::optional<TNovoCliente> NovoCliente(const std::optional<TDataPacket>& packet,
                                        const TBudgetKey& key);

// Whether the operator exists and is active.
bool OperadorAtivo(TDbConnection& db, const QString& operador);
bool ClienteCadastrado(TDbConnection& db, const QString& codigo);
bool MunicipioCadastrado(TDbConnection& db, const TNovoCliente& novo);

// The state registration (trimmed) of a company that bills in the branch;
// none when the company does not exist or is not related to the branch.
std::optional<QString> InscricaoEstadual(TDbConnection& db, const QString& filial,
                                         const QString& empresa);

// The situation of the main budget (sequence "00") of the budget's number;
// empty when there is none.
QString SituacaoDoPrincipal(TDbConnection& db, const TBudgetKey& key);

// How many receivables the main budget of the budget's number generated.
qint64 ContasDoPrincipal(TDbConnection& db, const TBudgetKey& key);

struct TParcelaAberta {
    QString filial, conta;
    int parcela = 0;
};

// The open instalments of the main budget's receivables, by due date.
std::vector<TParcelaAberta> ParcelasAbertasDoPrincipal(TDbConnection& db, const TBudgetKey& key);
