#pragma once

#include "core/data/DataSet.h"

#include <QString>

// Calculated fields of the budget list and of the items.

// The client a budget shows in the list: the registered client's trade name
// when the budget's client is registered ("C", exactly), else the new client's name.
QString ClienteOrca(const QString& idSitCliOrev, const QString& nmFantClie,
                    const QString& nmClieOrcEve);

// Caption of a budget, "<number> - <client>", cut to 60 characters (code
// points, as string fields count them).
QString CaptionOrca(const QString& nrOrcaEvento, const QString& dsClienteOrca);

// Item total worked out in extended precision and rounded to a double only
// at the end; not rounded to cents: the display format limits it.
double TotalItemOrca(double qtItem, double vrItem, double vrDesc, double vrAcre);

// Calculated-field handlers for cdsOrcaEvento (DSCLIENTEORCA, DSORCAEVEN) and
// cdsItemOrcaEven (VRTOTALITEM). The fields are looked up once, here, because
// the handler runs for every row read; the handler must be installed on
// `dataSet` itself. Throws EDatabaseError when a field is missing.
TDataSet::Event OrcaEventoCalcFields(TDataSet& dataSet);
TDataSet::Event ItemOrcaEvenCalcFields(TDataSet& dataSet);
