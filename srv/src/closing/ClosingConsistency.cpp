#include "closing/ClosingConsistency.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"

#include <QSqlRecord>

namespace {

// A query whose every row is a finding, and the sentence that says it: %1..%n
// are the row's columns in order.
struct TRule {
    QString sql;
    QString sentence;
};

// Money as an operator reads it; any other value as it stands.
QString Text(const QVariant& v) {
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 2).replace(u'.', u',');
    return v.toString();
}

const char* const kBudget = "O.CDFILIAL = T.CDFILIORCA AND O.NRORCAEVENTO = T.NRORCAEVENTO AND "
                            "O.NRSEQORCAEVE = T.NRSEQORCAEVE";

// The documents a closing generates, each tied to its budget.
struct TDocument {
    const char* table;
    const char* number;  // its number column
    const char* counter; // its NUMERADOR kind; none for adjustments
    const char* plural;  // as the sentences say it
};
const TDocument kDocuments[] = {
    {"PEDIDO", "NRPEDIDO", "PED", "pedido(s)"},
    {"CONTAREC", "NRCONTAREC", "CREC", "conta(s) a receber"},
    {"CONTAPAG", "NRCONTAPAG", "CPAG", "conta(s) a pagar"},
    {"AJUSTECONTAREC", "NRAJUSTE", nullptr, "ajuste(s) de parcela"},
};

std::vector<TRule> Rules() {
    // A closing stamps the budget with its time and operator; generated data
    // (seed-scale) may mark budgets closed without either, and is left alone.
    std::vector<TRule> rules = {
        {QStringLiteral("SELECT F.NRORCAEVENTO, F.NRSEQORCAEVE, F.CDFILIAL FROM FECHAORCA F "
                        "LEFT JOIN ORCAEVENTO O ON O.CDFILIAL = F.CDFILIAL AND O.NRORCAEVENTO = "
                        "F.NRORCAEVENTO AND O.NRSEQORCAEVE = F.NRSEQORCAEVE WHERE O.IDSITUORCEVE "
                        "IS NULL OR O.IDSITUORCEVE IN ('1', '2') OR O.DTFECHORCEVE IS NULL"),
         QStringLiteral("O orçamento %1-%2 da filial %3 tem registro de fechamento, mas não "
                        "está fechado.")},
        {QStringLiteral("SELECT O.NRORCAEVENTO, O.NRSEQORCAEVE, O.CDFILIAL FROM ORCAEVENTO O "
                        "WHERE (O.DTFECHORCEVE IS NOT NULL OR O.CDOPEFECHOREV IS NOT NULL) "
                        "AND NOT EXISTS (SELECT 1 FROM FECHAORCA F "
                        "WHERE F.CDFILIAL = O.CDFILIAL AND F.NRORCAEVENTO = O.NRORCAEVENTO AND "
                        "F.NRSEQORCAEVE = O.NRSEQORCAEVE)"),
         QStringLiteral("O orçamento %1-%2 da filial %3 está marcado como fechado, mas não tem "
                        "registro de fechamento.")},
        {QStringLiteral("SELECT O.NRORCAEVENTO, O.NRSEQORCAEVE, O.CDFILIAL FROM FECHAORCA F "
                        "JOIN ORCAEVENTO O ON O.CDFILIAL = F.CDFILIAL AND O.NRORCAEVENTO = "
                        "F.NRORCAEVENTO AND O.NRSEQORCAEVE = F.NRSEQORCAEVE WHERE "
                        "O.IDSITCLIOREV <> 'C' OR NOT EXISTS (SELECT 1 FROM CLIENTE C WHERE "
                        "C.CDCLIENTE = O.CDCLIENTE)"),
         QStringLiteral("O orçamento %1-%2 da filial %3 foi fechado sem cliente cadastrado.")},
        {QStringLiteral("SELECT P.NRPEDIDO, P.CDFILIAL FROM PEDIDO P WHERE NOT EXISTS (SELECT 1 "
                        "FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = "
                        "P.NRPEDIDO)"),
         QStringLiteral("O pedido %1 da filial %2 não tem itens.")},
        {QStringLiteral("SELECT P.NRPEDIDO, P.CDFILIAL, P.VRTOTALPED, SUM(I.VRTOTALITEMPED) FROM "
                        "PEDIDO P JOIN ITEMPEDIDO I ON I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = "
                        "P.NRPEDIDO GROUP BY P.CDFILIAL, P.NRPEDIDO, P.VRTOTALPED HAVING "
                        "ABS(P.VRTOTALPED - SUM(I.VRTOTALITEMPED)) > 0.005"),
         QStringLiteral("O pedido %1 da filial %2 vale %3, mas os seus itens somam %4.")},
        {QStringLiteral("SELECT C.NRCONTAREC, C.CDFILIAL FROM CONTAREC C WHERE NOT EXISTS "
                        "(SELECT 1 FROM PARCCONTAREC P WHERE P.CDFILIAL = C.CDFILIAL AND "
                        "P.NRCONTAREC = C.NRCONTAREC)"),
         QStringLiteral("A conta a receber %1 da filial %2 não tem parcelas.")},
        {QStringLiteral("SELECT C.NRCONTAREC, C.CDFILIAL, C.VRCONTAREC, SUM(P.VRPARCELA) FROM "
                        "CONTAREC C JOIN PARCCONTAREC P ON P.CDFILIAL = C.CDFILIAL AND "
                        "P.NRCONTAREC = C.NRCONTAREC GROUP BY C.CDFILIAL, C.NRCONTAREC, "
                        "C.VRCONTAREC HAVING ABS(C.VRCONTAREC - SUM(P.VRPARCELA)) > 0.005"),
         QStringLiteral("A conta a receber %1 da filial %2 vale %3, mas as suas parcelas somam "
                        "%4.")},
    };
    // What the closing record counts against what is there.
    const struct {
        const char* column;
        const char* table;
        const char* plural;
    } counts[] = {{"QTPEDIDOS", "PEDIDO", "pedido(s)"},
                  {"QTCONTAREC", "CONTAREC", "conta(s) a receber"},
                  {"QTCONTAPAG", "CONTAPAG", "conta(s) a pagar"}};
    for (const auto& c : counts)
        rules.push_back(
            {QStringLiteral("SELECT F.NRORCAEVENTO, F.NRSEQORCAEVE, F.CDFILIAL, F.%1, (SELECT "
                            "COUNT(*) FROM %2 T WHERE T.CDFILIORCA = F.CDFILIAL AND "
                            "T.NRORCAEVENTO = F.NRORCAEVENTO AND T.NRSEQORCAEVE = "
                            "F.NRSEQORCAEVE) AS HA FROM FECHAORCA F WHERE F.%1 <> (SELECT "
                            "COUNT(*) FROM %2 T WHERE T.CDFILIORCA = F.CDFILIAL AND "
                            "T.NRORCAEVENTO = F.NRORCAEVENTO AND T.NRSEQORCAEVE = F.NRSEQORCAEVE)")
                 .arg(QLatin1String(c.column), QLatin1String(c.table)),
             QStringLiteral("O fechamento do orçamento %1-%2 da filial %3 registra %4 ") +
                 QLatin1String(c.plural) + QStringLiteral(", mas há %5.")});
    for (const auto& d : kDocuments) {
        const QString table = QLatin1String(d.table);
        const QString number = QLatin1String(d.number);
        // Generated for a budget that has no closing record: a closing half done.
        rules.push_back(
            {QStringLiteral("SELECT T.NRORCAEVENTO, T.NRSEQORCAEVE, T.CDFILIORCA, COUNT(*) FROM "
                            "%1 T WHERE T.NRORCAEVENTO IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
                            "FECHAORCA O WHERE %2) GROUP BY T.CDFILIORCA, T.NRORCAEVENTO, "
                            "T.NRSEQORCAEVE")
                 .arg(table, QLatin1String(kBudget)),
             QStringLiteral("O orçamento %1-%2 da filial %3 não tem registro de fechamento, mas "
                            "tem %4 ") +
                 QLatin1String(d.plural) + u'.'});
        if (!d.counter)
            continue;
        rules.push_back(
            {QStringLiteral("SELECT %2, CDFILIAL, COUNT(*) FROM %1 GROUP BY CDFILIAL, "
                            "%2 HAVING COUNT(*) > 1")
                 .arg(table, number),
             QStringLiteral("O número %1 da filial %2 foi usado %3 vezes em ") + table + u'.'});
        rules.push_back(
            {QStringLiteral("SELECT U.CDFILIAL, COALESCE(N.NRULTIMO, 0), U.ULTIMO FROM (SELECT "
                            "CDFILIAL, MAX(CAST(%2 AS BIGINT)) AS ULTIMO FROM %1 GROUP BY "
                            "CDFILIAL) U LEFT JOIN NUMERADOR N ON N.CDFILIAL = U.CDFILIAL AND "
                            "N.IDNUMERADOR = '%3' WHERE U.ULTIMO > COALESCE(N.NRULTIMO, 0)")
                 .arg(table, number, QLatin1String(d.counter)),
             QStringLiteral("O numerador ") + QLatin1String(d.counter) +
                 QStringLiteral(" da filial %1 está em %2, atrás do número %3 já usado em ") +
                 table + QStringLiteral("; o próximo documento repetiria um número.")});
    }
    return rules;
}

} // namespace

QStringList CheckClosingConsistency(TDbConnection& db) {
    QStringList findings;
    for (const TRule& rule : Rules()) {
        TSqlStatement st(db, rule.sql);
        st.Exec();
        while (st.Next()) {
            QString sentence = rule.sentence;
            const int columns = st.Query().record().count();
            for (int c = 0; c < columns; ++c)
                sentence = sentence.arg(Text(st.Value(c)));
            findings << sentence;
        }
    }
    return findings;
}
