#include "storage/BudgetKey.h"

QString TBudgetKey::Text() const {
    return QStringLiteral("%1-%2 da filial %3").arg(numero, seq, filial);
}

TSqlParams KeyParams(const TBudgetKey& key) {
    return {{QStringLiteral("FILIAL"), key.filial},
            {QStringLiteral("NUMERO"), key.numero},
            {QStringLiteral("SEQ"), key.seq}};
}

QString KeyWhere(const char* alias) {
    const QString a = alias ? QLatin1String(alias) + u'.' : QString();
    return QStringLiteral("%1CDFILIAL = :FILIAL AND %1NRORCAEVENTO = :NUMERO AND "
                          "%1NRSEQORCAEVE = :SEQ")
        .arg(a);
}
