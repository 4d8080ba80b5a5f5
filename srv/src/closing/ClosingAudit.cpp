#include "closing/ClosingWriters.h"

#include "closing/ClosingSql.h"

#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"

#include <QSqlError>

namespace {

// A row refused by a unique or primary key: SQLite's extended codes
// SQLITE_CONSTRAINT_PRIMARYKEY (1555) and SQLITE_CONSTRAINT_UNIQUE (2067),
// PostgreSQL's SQLSTATE unique_violation (23505).
bool IsUniqueKeyConflict(const QSqlError& e) {
    const QString code = e.nativeErrorCode();
    return code == u"1555" || code == u"2067" || code == u"23505";
}

} // namespace

std::optional<TRefusal> RegistraFechamento(TDbConnection& db, const TClosingStamp& stamp,
                                           const TOrca& o, const TResultado& r) {
    const TBudgetKey& key = o.key;
    TSqlStatement up(db, QStringLiteral("UPDATE ORCAEVENTO SET IDSITUORCEVE = '3', "
                                        "DTFECHORCEVE = :AGORA, CDOPEFECHOREV = :OPER WHERE "
                                        "CDFILIAL = :FILIAL AND NRORCAEVENTO = :NUMERO AND "
                                        "NRSEQORCAEVE = :SEQ AND IDSITUORCEVE = '2'"));
    TSqlParams params = KeyParams(key);
    params.insert(params.end(), {{QStringLiteral("AGORA"), stamp.agora},
                                 {QStringLiteral("OPER"), stamp.operador}});
    up.Exec(params);
    if (up.RowsAffected() != 1)
        return RefusalSentence(QStringLiteral("O orçamento %1 foi alterado por outro operador "
                                              "durante o fechamento; o fechamento não foi "
                                              "realizado.")
                                   .arg(key.Text()));
    TSqlStatement registro(
        db, QStringLiteral("INSERT INTO FECHAORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, "
                           "CDOPERADOR, DTFECHAORCA, VRTOTALOREV, QTPEDIDOS, QTCONTAREC, "
                           "QTCONTAPAG) VALUES (:FILIAL, :NUMERO, :SEQ, :OPER, :AGORA, "
                           ":TOTAL, :PEDIDOS, :RECEBER, :PAGAR)"));
    try {
        registro.Exec(With(params, {{QStringLiteral("TOTAL"), o.total},
                                    {QStringLiteral("PEDIDOS"), r.pedidos},
                                    {QStringLiteral("RECEBER"), r.receber},
                                    {QStringLiteral("PAGAR"), r.pagar}}));
    } catch (const EDbError&) {
        // The unique budget key is the last guard against a second closing;
        // any other failure is the database's.
        if (IsUniqueKeyConflict(registro.Query().lastError()))
            return RefusalSentence(
                QStringLiteral("O orçamento %1 já foi fechado por outro operador.")
                    .arg(key.Text()));
        throw;
    }
    return std::nullopt;
}
