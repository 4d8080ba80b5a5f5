#include "framework/services/Pictures.h"

#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "framework/db/SharedDatabase.h"

#include <map>

namespace {

std::map<int, TPicture>& Cache() {
    static std::map<int, TPicture> pictures;
    return pictures;
}

TPicture ReadPicture(int kind) {
    TDbConnection* db = SharedDatabase();
    if (!db)
        throw EDbError(
            QStringLiteral("Não há conexão com o banco de dados para ler a máscara do tipo %1.")
                .arg(kind));
    TPicture pict;
    pict.kind = kind;
    TSqlStatement head(*db, QStringLiteral("SELECT NMPICTURE, DSMASCARA, DSSEPARADOR "
                                           "FROM PICTURE WHERE IDTPPICTURE = :KIND"));
    head.Exec({{QStringLiteral("KIND"), kind}});
    if (!head.Next())
        throw EDbError(
            QStringLiteral("Máscara do tipo %1 não cadastrada na tabela PICTURE.").arg(kind));
    pict.name = head.Value(0).toString();
    pict.mask = head.Value(1).toString();
    pict.separator = head.Value(2).toString();

    TSqlStatement levels(*db, QStringLiteral("SELECT QTDIGITOS FROM PICTURENIVEL "
                                             "WHERE IDTPPICTURE = :KIND ORDER BY NRNIVEL"));
    levels.Exec({{QStringLiteral("KIND"), kind}});
    while (levels.Next())
        pict.digits.push_back(levels.Value(0).toInt());
    return pict;
}

} // namespace

const TPicture& DBPictObj(int kind) {
    auto& cache = Cache();
    auto it = cache.find(kind);
    if (it == cache.end())
        it = cache.emplace(kind, ReadPicture(kind)).first;
    return it->second;
}

QString DBPict(int kind) {
    return DBPictObj(kind).mask;
}

void ResetPictureCache() {
    Cache().clear();
}
