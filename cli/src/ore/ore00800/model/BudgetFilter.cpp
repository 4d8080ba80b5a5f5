#include "ore/ore00800/model/BudgetFilter.h"

#include "core/data/DataSet.h"

QString FilterLiteral(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString CurrentBudgetFilter(const QString& nrOrcaEvento, const QString& nrSeqOrcaEve) {
    return QStringLiteral("NRORCAEVENTO = ") + FilterLiteral(nrOrcaEvento) +
           QStringLiteral(" AND NRSEQORCAEVE = ") + FilterLiteral(nrSeqOrcaEve);
}

QString CurrentBudgetFilter(const TDataSet& orcaEvento) {
    return CurrentBudgetFilter(orcaEvento.FieldByName("NRORCAEVENTO").AsString(),
                               orcaEvento.FieldByName("NRSEQORCAEVE").AsString());
}

QString ExtraLabourFilter(const QString& nrOrcaEvento, const QString& nrSeqOrcaEve) {
    return CurrentBudgetFilter(nrOrcaEvento, nrSeqOrcaEve) +
           QStringLiteral(" AND IDMOBRAEXTRA = 'S'");
}

void ApplyFilter(TDataSet& dataSet, const QString& text) {
    dataSet.SetFiltered(false);
    dataSet.SetFilter(text);
    dataSet.SetFiltered(true);
}
