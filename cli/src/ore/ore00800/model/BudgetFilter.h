#pragma once

#include <QString>

class TDataSet;

// Filters that narrow the detail record sets, which hold the rows of every
// listed budget, to the current budget.

// "NRORCAEVENTO = '<nr>' AND NRSEQORCAEVE = '<seq>'"
QString CurrentBudgetFilter(const QString& nrOrcaEvento, const QString& nrSeqOrcaEve);
// The same for the current row of the budget list (cdsOrcaEvento).
QString CurrentBudgetFilter(const TDataSet& orcaEvento);

// The current budget's extra labour: the filter above and "IDMOBRAEXTRA = 'S'".
QString ExtraLabourFilter(const QString& nrOrcaEvento, const QString& nrSeqOrcaEve);

// A value as a quoted filter literal; a quote inside is doubled, so no value
// can end the literal early and add conditions of its own.
QString FilterLiteral(const QString& value);

// Sets `text` as the filter the way the screen does: off, new text, on.
void ApplyFilter(TDataSet& dataSet, const QString& text);
