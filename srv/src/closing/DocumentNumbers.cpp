#include "closing/DocumentNumbers.h"

#include "closing/ClosingSql.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"

QString Proximo(TDbConnection& db, const QString& filial, const char* tipo) {
    const TSqlParams p = {{QStringLiteral("FILIAL"), filial},
                          {QStringLiteral("TIPO"), QString::fromLatin1(tipo)}};
    TSqlStatement up(db, QStringLiteral("UPDATE NUMERADOR SET NRULTIMO = NRULTIMO + 1 WHERE "
                                        "CDFILIAL = :FILIAL AND IDNUMERADOR = :TIPO"));
    up.Exec(p);
    if (up.RowsAffected() == 0)
        ExecSql(db,
                QStringLiteral("INSERT INTO NUMERADOR (CDFILIAL, IDNUMERADOR, NRULTIMO) VALUES "
                               "(:FILIAL, :TIPO, 1)"),
                p);
    TSqlStatement st(db, QStringLiteral("SELECT NRULTIMO FROM NUMERADOR WHERE CDFILIAL = :FILIAL "
                                        "AND IDNUMERADOR = :TIPO"));
    One(st, p);
    return QString::number(st.Value(0).toLongLong()).rightJustified(10, u'0');
}
