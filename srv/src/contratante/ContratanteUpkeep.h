#pragma once

#include "storage/BudgetKey.h"

#include <QString>
#include <QVariant>

class TDbConnection;

// A contracting client as the upkeep calls send it.
struct TContratanteDados {
    TBudgetKey key;
    QString cliente;
    QVariant valor, convidados; // null when not informed
    QString empresa;            // the billing company; empty when none
};

// The upkeep of a budget's contracting clients, inside the caller's
// transaction. Contracting clients change only while the budget is approved;
// anything else is refused with an ERemoteError.

// Adds the client, or brings a cancelled one back with the new data.
void IncluirContratante(TDbConnection& db, const TContratanteDados& c);
// The value and guests of an active contracting client.
void AlterarContratante(TDbConnection& db, const TContratanteDados& c);
// Cancels an active contracting client; only the key and client are read.
void CancelarContratante(TDbConnection& db, const TContratanteDados& c);
