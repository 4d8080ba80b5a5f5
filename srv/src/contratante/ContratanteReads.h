#pragma once

// What the contracting-client checks and upkeep read about a budget, and the
// packets of its contracting clients that the screens show.

#include "core/data/DataPacket.h"
#include "storage/BudgetKey.h"

#include <QString>
#include <QVariant>

#include <vector>

class TDbConnection;

struct TContratante {
    QString cliente;
    QVariant valor, convidados, empresa; // null when not informed
};

// The active contracting clients, by client code.
std::vector<TContratante> Ativos(TDbConnection& db, const TBudgetKey& key);

struct TOrcaResumo {
    bool existe = false;
    QString situacao;
    double total = 0;
    QVariant convidados, qtContratantes; // null when the budget does not state them
    QString tipoEvento;
};

TOrcaResumo Resumo(TDbConnection& db, const TBudgetKey& key);

// The situation of the client's contract with the budget ("ATIVO",
// "CANCELADO"); empty when the client never was its contracting client.
QString SituacaoContratante(TDbConnection& db, const TBudgetKey& key, const QString& cliente);

// Every contracting client, active or not, in the layout the closing screen
// checks (GetExisteContratante).
TDataPacket ExisteContratantePacket(TDbConnection& db, const TBudgetKey& key);
// Every contracting client with its name, for the contracting-client screen.
TDataPacket ContratantesPacket(TDbConnection& db, const TBudgetKey& key);
// The budget's situation, title, realised total, guests and expected number
// of contracting clients, for the contracting-client screen to set the
// active clients' sums against; an unknown budget is refused.
TDataPacket ResumoOrcaPacket(TDbConnection& db, const TBudgetKey& key);
