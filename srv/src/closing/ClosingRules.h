#pragma once

// The rules a closing checks before it writes anything. They only read, and
// answer the first refusal instead of throwing it; the closing turns that
// refusal into the failure the caller gets.

#include "closing/ClosingReads.h"

#include "core/data/DataPacket.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

class TDbConnection;

// Why a budget may not close: a key of the closing screen's catalogue, with
// an optional argument, that the screen translates; or a sentence for the
// operator as it stands.
struct TRefusal {
    QString text;     // the key, or the sentence
    QString argument; // a key's argument; null when it has none
    bool isKey = false;

    QString Message() const; // as the caller gets it: "KEY", "KEY|argument" or the sentence
};

TRefusal RefusalKey(const QString& key, const QString& argument = {});
TRefusal RefusalSentence(const QString& text);

// What the rules found about a budget that may close, for the generators.
struct TClosingPlan {
    TOrca orca;
    // The customer to register first, when the budget's is not registered yet.
    std::optional<TNovoCliente> novoCliente;
    std::vector<TContrato> ativos;
    TParametros params;
    std::vector<TItem> itens;
    // A normal child of a closed main budget settles on the main budget's
    // open instalments (`abertas`) instead of generating receivables.
    bool ajustaPai = false;
    std::vector<TParcelaAberta> abertas;
    // The kind of receivable to generate; empty when the budget generates none.
    QString tipoReceber;
};

std::optional<TRefusal> CheckOperador(TDbConnection& db, const QString& operador);

// Every rule of closing the budget, in order: the first refusal, or the plan
// of its closing. `novosClientes` is the screen's packet of new customers.
std::variant<TRefusal, TClosingPlan> CheckClosing(TDbConnection& db, const TBudgetKey& key,
                                                  const std::optional<TDataPacket>& novosClientes);
