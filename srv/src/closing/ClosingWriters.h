#pragma once

// What a closing writes once its rules passed (ClosingRules.h). Each writer
// takes what it needs as arguments and writes only its own records, inside
// the caller's transaction.

#include "closing/ClosingReads.h"
#include "closing/ClosingRules.h"

#include <QString>

#include <optional>
#include <vector>

class TDbConnection;

// Who closes and when (OLE date-time): every record the closing writes
// carries them.
struct TClosingStamp {
    QString operador;
    double agora = 0;
};

// Registers the budget's new customer, unless a customer of its code exists
// already, and makes the budget point at it; returns the customer's code.
QString RegistraCliente(TDbConnection& db, TOrca& o, const TNovoCliente& novo);

// One order per receiving branch and department of the items the branch
// supplies (third-party items are not ordered); returns how many.
int GeraPedidos(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
                const std::vector<TItem>& itens);

// One receivable of kind `tipoConta` per contracting client charged above
// zero, in the instalments of `prazos`; returns how many.
int GeraReceber(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
                const QString& tipoConta, const std::vector<TContrato>& ativos,
                const std::vector<TPrazo>& prazos);

// One payable per third-party item, and, for a budget below zero, one per
// contracting client of `ativos` charged below zero; returns how many.
int GeraPagar(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
              const std::vector<TItem>& itens, const std::vector<TContrato>& ativos);

// Spreads the child's total over its main budget's open instalments
// (`abertas`, not empty), recording an adjustment on each.
void AjustaPai(TDbConnection& db, const TClosingStamp& stamp, const TOrca& o, const TParametros& p,
               const std::vector<TParcelaAberta>& abertas);

// How many records a closing generated, for its record.
struct TResultado {
    int pedidos = 0, receber = 0, pagar = 0;
};

// Marks the budget closed and records the closing. Refuses when the budget
// left the approved situation meanwhile or another closing was recorded.
std::optional<TRefusal> RegistraFechamento(TDbConnection& db, const TClosingStamp& stamp,
                                           const TOrca& o, const TResultado& r);
