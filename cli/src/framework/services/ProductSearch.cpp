#include "framework/services/ProductSearch.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "core/db/SqlText.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Pictures.h"

namespace {

// The FROM and WHERE lines shared by the list and the count.
QStringList ProductsOfBranch(bool onlyActive) {
    QStringList sql{QStringLiteral("FROM"),
                    QStringLiteral("   PRODFILIAL"),
                    QStringLiteral("   JOIN PRODUTO ON PRODUTO.CDPRODUTO = PRODFILIAL.CDPRODUTO"),
                    QStringLiteral("WHERE"),
                    QStringLiteral("   PRODFILIAL.CDFILIAL = :P_CDFILIAL"),
                    QStringLiteral("   AND PRODUTO.CDNVPRODUTO = :P_CDNVPRODUTO")};
    if (onlyActive)
        sql << QStringLiteral("   AND PRODFILIAL.IDATIVOPRFI = 'S'")
            << QStringLiteral("   AND PRODUTO.IDATIVOPROD = 'S'");
    return sql;
}

bool BranchOffersProducts(TDbConnection& db, const QString& branch, bool onlyActive) {
    TSqlStatement count(db, QStringLiteral("SELECT COUNT(*)\n") +
                                ProductsOfBranch(onlyActive).join(u'\n'));
    count.Exec({{QStringLiteral("P_CDFILIAL"), branch},
                {QStringLiteral("P_CDNVPRODUTO"), DBPictObj(0).GetTtNiveis()}});
    return count.Next() && count.Value(0).toLongLong() > 0;
}

} // namespace

QString SQL_Pesquisa_Produto(const QString& branch, const QString& text, TADOIBQuery* query,
                             bool onlyActive) {
    query->Close();
    QStringList sql{QStringLiteral("SELECT"), QStringLiteral("   PRODUTO.CDPRODUTO,"),
                    QStringLiteral("   PRODUTO.CDARVPROD,"),
                    QStringLiteral("   PRODUTO.NMPRODUTO")};
    sql << ProductsOfBranch(onlyActive);
    const bool narrowed = !text.trimmed().isEmpty();
    if (narrowed)
        sql << QStringLiteral("   AND ") + ContainsCondition(QStringLiteral("PRODUTO.NMPRODUTO"),
                                                             QStringLiteral("P_NMPRODUTO"));
    sql << QStringLiteral("ORDER BY") << QStringLiteral("   PRODUTO.CDARVPROD");
    // The dialect statements would take precedence over SQL; this one is ANSI.
    query->SQL_IB.clear();
    query->SQL_MSSQL.clear();
    query->SQL_ORACLE.clear();
    query->SQL = sql;
    if (narrowed)
        query->ParamByName(QStringLiteral("P_NMPRODUTO"))
            .SetAsString(ContainsPattern(text.trimmed()));

    if (branch.trimmed().isEmpty())
        return QStringLiteral("Informe a filial.");
    TDbConnection* db = query->Connection() ? query->Connection() : SharedDatabase();
    if (!db)
        throw EDbError(QStringLiteral("A consulta %1 não tem conexão com o banco de dados.")
                           .arg(query->objectName()));
    if (!BranchOffersProducts(*db, branch, onlyActive))
        return QStringLiteral("Não há produto cadastrado para a filial %1.").arg(branch);
    return {};
}
