#include "session/Passwords.h"

#include "core/data/Exceptions.h"
#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "session/PasswordHash.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace Passwords {

void SetHash(TDbConnection& db, const QString& code, const QString& hash) {
    {
        TSqlStatement known(db, QStringLiteral("SELECT 1 FROM OPERADOR WHERE CDOPERADOR = :C"));
        known.Exec({{"C", code}});
        if (!known.Next())
            throw Exception(QStringLiteral("O operador \"%1\" não está cadastrado.").arg(code));
    }
    TSqlStatement(db, QStringLiteral("DELETE FROM SENHAOPER WHERE CDOPERADOR = :C"))
        .Exec({{"C", code}});
    TSqlStatement(db, QStringLiteral("INSERT INTO SENHAOPER (CDOPERADOR, TXHASHSENHA) "
                                     "VALUES (:C, :H)"))
        .Exec({{"C", code}, {"H", hash}});
}

void Set(TDbConnection& db, const QString& code, const QString& password) {
    if (password.isEmpty())
        throw Exception(QStringLiteral("A senha não pode ser vazia."));
    SetHash(db, code, HashPassword(password));
}

} // namespace Passwords

int RunSetPassword(const QString& dbUrl, const QString& code) {
    const auto say = [](const QString& line) {
        std::fprintf(stderr, "ore-server: %s\n", line.toUtf8().constData());
    };
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const QString password = QString::fromUtf8(line);
    if (password.isEmpty()) {
        say(QStringLiteral("A senha não pode ser vazia: informe-a numa linha da entrada "
                           "padrão."));
        return 1;
    }
    try {
        TDbConnection db(dbUrl);
        TTransaction tx(db);
        Passwords::Set(db, code, password);
        tx.Commit();
    } catch (const Exception& e) {
        say(e.Message());
        return 1;
    }
    say(QStringLiteral("Senha do operador %1 gravada.").arg(code));
    return 0;
}
