#include "closing/DocumentNumbers.h"

#include "closing/ClosingSql.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"

QString Proximo(TDbConnection& db, const QString& filial, const char* tipo) {
    // One statement takes the number and creates the counter when missing, so
    // that two transactions can neither read the same number nor both create it.
    TSqlStatement st(db, QStringLiteral("INSERT INTO NUMERADOR (CDFILIAL, IDNUMERADOR, NRULTIMO) "
                                        "VALUES (:FILIAL, :TIPO, 1) ON CONFLICT (CDFILIAL, "
                                        "IDNUMERADOR) DO UPDATE SET NRULTIMO = "
                                        "NUMERADOR.NRULTIMO + 1 RETURNING NRULTIMO"));
    One(st,
        {{QStringLiteral("FILIAL"), filial}, {QStringLiteral("TIPO"), QString::fromLatin1(tipo)}});
    return QString::number(st.Value(0).toLongLong()).rightJustified(10, u'0');
}
