#pragma once

#include "core/db/SqlStatement.h"

#include <QString>

// A budget's key as the screens send it.
struct TBudgetKey {
    QString filial, numero, seq;
    QString Text() const; // "0000001001-00 da filial 0001", for sentences
};

// The key bound as :FILIAL, :NUMERO and :SEQ, the names KeyWhere writes.
TSqlParams KeyParams(const TBudgetKey& key);

// "A.CDFILIAL = :FILIAL AND A.NRORCAEVENTO = :NUMERO AND A.NRSEQORCAEVE = :SEQ"
// for the table of alias A, or the bare columns without an alias.
QString KeyWhere(const char* alias = nullptr);
